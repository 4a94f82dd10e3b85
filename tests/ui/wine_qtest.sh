#!/usr/bin/env bash
# Runs one Qt Test program under Wine: usage wine_qtest.sh <wine64> <test.exe> [args...]
# Wine loses a Windows program's console output and does not pass QT_* variables on, so the
# platform comes as an argument and the log goes to a file that is printed afterwards.
set -uo pipefail
wine=$1
exe=$2
shift 2
log=$(basename "$exe" .exe).qtest.txt
rm -f "$log"
"$wine" "$exe" -platform offscreen -o "$log,txt" "$@"
rc=$?
[ -f "$log" ] && tr -d '\r' < "$log"
[ -f "$log" ] || echo "no Qt Test log written (exit code $rc)"
exit $rc
