#!/usr/bin/env bash
# lang-template and lang-check end to end: usage: lang.sh <kt52903-cli> <fixtures-dir>
# KT_CLI_RUNNER, when set, runs the CLI (wine64 for the Windows build).
set -euo pipefail
cli=(${KT_CLI_RUNNER:+"$KT_CLI_RUNNER"} "$1")
fixtures=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# Report text without the CR that a Windows program writes before each LF.
text() { "${cli[@]}" "$@" | tr -d '\r'; }

# The template is UTF-8 with BOM, CR LF, one pilcrow-framed line per ID.
"${cli[@]}" lang-template > "$tmp/English.lng"
[ "$(head -c 3 "$tmp/English.lng" | od -An -tx1 | tr -d ' ')" = "efbbbf" ] || fail "template has no UTF-8 BOM"
[ "$(grep -c '^STR[0-9][0-9][0-9][0-9] = ' "$tmp/English.lng")" = 2000 ] || fail "template lacks text lines"
grep -q $'^STR0009 = \xc2\xb6None Configuration Opened \xc2\xb6 /#/ main window: configuration banner\r$' "$tmp/English.lng" \
  || fail "text 9 with its trailing blank and its window is missing"
grep -q $'^STR0306 = \xc2\xb6 / \xc2\xb6 /#/ Software Options dialog\r$' "$tmp/English.lng" || fail "text 306 is missing"
grep -q $'^STR0021 = \xc2\xb6LoRaWAN Access\xc2\xb6\r$' "$tmp/English.lng" || fail "text 21, shown nowhere, has a comment"

# -o writes the same bytes to a file.
"${cli[@]}" lang-template -o "$tmp/File.lng"
cmp -s "$tmp/English.lng" "$tmp/File.lng" || fail "lang-template -o differs from standard output"

# Reading the template back sets every text and skips no text line.
text lang-check "$tmp/English.lng" > "$tmp/check.txt"
grep -q '^summary: 2004 lines, 2000 set texts (2000 distinct IDs), 0 skipped text lines, 4 lines without STR$' \
  "$tmp/check.txt" || { tail -1 "$tmp/check.txt" >&2; fail "template round trip"; }
grep -q $'^line 5: sets 0 = \xc2\xb6Begin\xc2\xb6$' "$tmp/check.txt" || fail "first text line not reported"

# A translator's file: every line explained.
text lang-check "$fixtures/lang/Sample.lng" > "$tmp/sample.txt"
cat > "$tmp/expected.txt" <<'END'
line 1: skipped, no STR
line 2: sets 17 = ¶Aggiorna Dispositivo¶
line 3: sets 317 = ¶ a ¶
line 4: sets 1 = ¶Informazioni¶ (no blank before "=": its last character was dropped)
line 5: sets 17 = ¶Aggiorna¶ (replaces line 2)
line 6: skipped, ID out of range (5000)
line 7: skipped, comment only
summary: 7 lines, 4 set texts (3 distinct IDs), 2 skipped text lines, 1 lines without STR
END
diff "$tmp/expected.txt" "$tmp/sample.txt" || fail "lang-check report of Sample.lng"

# --strict: a skipped STR line fails the run; a clean file passes.
rc=0
"${cli[@]}" lang-check --strict "$fixtures/lang/Sample.lng" > /dev/null || rc=$?
[ "$rc" = 1 ] || fail "--strict with skipped STR lines: exit $rc, expected 1"
"${cli[@]}" lang-check --strict "$tmp/English.lng" > /dev/null || fail "--strict on the template failed"

# A one-digit ID against "=" and an ID beyond any integer: the hint, and the ID as written.
printf 'STR5=x\r\nSTR99999999999999 = y\r\n' > "$tmp/ids.lng"
text lang-check "$tmp/ids.lng" > "$tmp/ids.txt"
grep -qxF 'line 1: skipped, bad ID (no blank before "=": its last character was dropped)' "$tmp/ids.txt" \
  || fail "STR5= without the dropped-character hint: $(head -1 "$tmp/ids.txt")"
grep -qxF 'line 2: skipped, ID out of range (99999999999999)' "$tmp/ids.txt" \
  || fail "out-of-range ID not as written: $(sed -n 2p "$tmp/ids.txt")"

# A file that cannot be read: exit 1, the reason on stderr, nothing on stdout.
rc=0
text lang-check "$tmp/missing.lng" > "$tmp/out.txt" 2> "$tmp/err.txt" || rc=$?
[ "$rc" = 1 ] || fail "missing file: exit $rc, expected 1"
grep -q 'missing.lng.*No such file' "$tmp/err.txt" || fail "missing file: no reason on stderr"
[ ! -s "$tmp/out.txt" ] || fail "missing file: output on stdout"

# lang-check needs its FILE.
if text lang-check > /dev/null 2>&1; then fail "lang-check without FILE succeeded"; fi
echo "lang.sh: all checks passed"
