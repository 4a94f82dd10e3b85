#!/usr/bin/env bash
# Fails when a program loads a Qt library: every command of kt52903-cli but handover (which
# starts kt52903-report for the PDF) must start without Qt. CTest runs it on the built CLI
# (arch.cli_no_qt) and, to show that it can fail, on kt52903-report (arch.cli_no_qt_fails).
#   check-no-qt.sh PROGRAM    exit 0: no Qt; 1: Qt found (listed); 2: PROGRAM cannot be read
set -uo pipefail
program=${1:?usage: check-no-qt.sh PROGRAM}
[ -f "$program" ] || { echo "no such program: $program" >&2; exit 2; }
# ldd lists what the loader loads, the libraries of the libraries included.
libs=$(ldd "$program") || { echo "ldd cannot read $program" >&2; exit 2; }
qt=$(grep -E '(^|[[:space:]/])libQt[0-9]*[A-Za-z]*\.so' <<<"$libs")
if [ -n "$qt" ]; then
  echo "$program loads Qt:"
  sed 's/^[[:space:]]*/  /' <<<"$qt"
  exit 1
fi
echo "$program loads no Qt ($(grep -c '/' <<<"$libs") libraries)"
