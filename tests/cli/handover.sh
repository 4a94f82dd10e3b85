#!/usr/bin/env bash
# End to end: the hand-over pack of a full Project against the gsd and image commands.
set -u
cli=(${KT_CLI_RUNNER:+"$KT_CLI_RUNNER"} "$1") # KT_CLI_RUNNER: wine64 for the Windows build
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp" 2>/dev/null; rm -rf "$tmp"' EXIT
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
run() {
  "${cli[@]}" "$@" >"$tmp/out" 2>"$tmp/err"
  rc=$?
  sed -i 's/\r$//' "$tmp/out" "$tmp/err" # the CRs of a Windows program
}

# 30 receive and 30 transmit frames of 4 bytes, one module per frame.
# shellcheck source=/dev/null
source "$(dirname "$0")/lib/full_project.sh"
p="$tmp/Line 4"
full_project "$p"

run handover "$p" -o "$tmp/pack" --date "2026-12-10 10:30"
[ "$rc" -eq 0 ] || fail "handover: exit $rc: $(cat "$tmp/err")"
for f in "Line 4.gsd" DPV0_1N.bmp DPV0_1S.bmp bank1.bin io_map.csv report.html report.pdf; do
  [ -f "$tmp/pack/$f" ] || fail "handover: $f missing"
done
[ "$(ls -A "$tmp" | grep -c handover)" = 0 ] || fail "handover: a temporary folder is left"

"${cli[@]}" gsd "$p" -o "$tmp/ref.gsd" >/dev/null 2>&1 || fail "gsd failed"
cmp -s "$tmp/ref.gsd" "$tmp/pack/Line 4.gsd" || fail "the pack's GSD differs from gsd's"
"${cli[@]}" image "$p" -o "$tmp/ref.bin" >/dev/null 2>&1 || fail "image failed"
cmp -s "$tmp/ref.bin" "$tmp/pack/bank1.bin" || fail "the pack's bank1.bin differs from image's"

head -c 4 "$tmp/pack/report.pdf" | grep -q '%PDF' || fail "report.pdf does not start with %PDF"
pages=$(grep -ac '/Type /Page$' "$tmp/pack/report.pdf")
# The page count follows the fonts: Linux's are fixed here, a Windows program gets Wine's.
if [ -z "${KT_CLI_RUNNER:-}" ]; then
  [ "$pages" = 6 ] || fail "report.pdf has $pages pages, wanted 6"
else
  [ "$pages" -ge 6 ] && [ "$pages" -le 8 ] || fail "report.pdf has $pages pages, wanted 6 to 8"
fi
[ "$(head -c 2 "$tmp/pack/DPV0_1S.bmp")" = BM ] || fail "DPV0_1S.bmp is no bitmap"
# 240 data bytes and the header.
[ "$(wc -l <"$tmp/pack/io_map.csv")" = 241 ] || fail "io_map.csv: $(wc -l <"$tmp/pack/io_map.csv") lines"
grep -q $'^Output;0;31;0;"0x82,0x03,0x00,0x1F";1;0x301;2.0A (11 bits);1;"drive; 1";\r$' "$tmp/pack/io_map.csv" ||
  fail "io_map.csv: first output byte"
grep -q 'sha256\|[0-9a-f]\{64\}' "$tmp/pack/report.html" || fail "report.html has no SHA-256"
grep -qF "$(sha256sum "$tmp/pack/bank1.bin" | cut -c1-64)" "$tmp/pack/report.html" ||
  fail "report.html: SHA-256 of bank1.bin"

# Same Project, same date: the same bytes, the PDF included; another date changes the report only.
run handover "$p" -o "$tmp/again" --date "2026-12-10 10:30"
diff -r "$tmp/pack" "$tmp/again" >/dev/null || fail "a second run differs: $(diff -rq "$tmp/pack" "$tmp/again")"
run handover "$p" -o "$tmp/later" --date "2027-01-02 08:15"
[ "$(diff -rq "$tmp/pack" "$tmp/later" | wc -l)" = 2 ] || fail "another date: $(diff -rq "$tmp/pack" "$tmp/later")"
grep -q '2027-01-02 08:15' "$tmp/later/report.html" || fail "the date is not in the report"

# German texts from a language file.
run handover "$p" -o "$tmp/de" --date "2026-12-10 10:30" --language "$(dirname "$0")/../../src/lang/shipped/Deutsch.lng"
grep -q '<h1>Inbetriebnahmeprotokoll</h1>' "$tmp/de/report.html" || fail "German report title"

# Unwritable places leave nothing behind and exit 1.
: >"$tmp/afile"
run handover "$p" -o "$tmp/afile/pack" --date "2026-12-10 10:30"
[ "$rc" -eq 1 ] || fail "pack below a file: exit $rc"
mkdir -p "$tmp/busy/report.pdf"
printf 'OLD' >"$tmp/busy/bank1.bin"
run handover "$p" -o "$tmp/busy" --date "2026-12-10 10:30"
[ "$rc" -eq 1 ] || fail "pack with a folder in the way: exit $rc"
grep -q report.pdf "$tmp/err" || fail "the message does not name report.pdf: $(cat "$tmp/err")"
[ "$(cat "$tmp/busy/bank1.bin")" = OLD ] || fail "the old bank1.bin was replaced"
[ "$(ls "$tmp/busy" | tr '\n' ' ')" = "bank1.bin report.pdf " ] || fail "files left in busy: $(ls "$tmp/busy")"
[ "$(ls -A "$tmp" | grep -c handover)" = 0 ] || fail "a temporary folder is left after a failure"

# Refusals: no settings, a bad date.
mkdir -p "$tmp/empty"
run handover "$tmp/empty" -o "$tmp/e"
[ "$rc" -eq 1 ] || fail "pack without ParGen.xml: exit $rc"
grep -q "Please set the Set Communication Parameter" "$tmp/err" || fail "pack without ParGen.xml: $(cat "$tmp/err")"
[ ! -e "$tmp/e" ] || fail "pack without ParGen.xml wrote a folder"
run handover "$p" -o "$tmp/d" --date "10.12.2026"
[ "$rc" -ne 0 ] && [ ! -e "$tmp/d" ] || fail "a bad date was accepted"

[ "$fails" -eq 0 ] && echo "all handover CLI checks passed"
exit $((fails > 0))
