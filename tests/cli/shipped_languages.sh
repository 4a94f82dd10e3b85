#!/usr/bin/env bash
# The shipped language files read cleanly: usage: shipped_languages.sh <kt52903-cli> <fixtures-dir>
# For every src/lang/shipped/*.lng: UTF-8 BOM, readable by lang-check, no skipped text line,
# no ID that lost a digit or is set twice, every blank that the English text has at its
# start or end kept; and every translation sets exactly the texts that lang-template marks as
# shown by a window (English.lng only overrides a few).
# KT_CLI_RUNNER, when set, runs the CLI (wine64 for the Windows build).
set -euo pipefail
cli=(${KT_CLI_RUNNER:+"$KT_CLI_RUNNER"} "$1")
shipped="$(cd "$(dirname "$0")/../.." && pwd)/src/lang/shipped"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export LC_ALL=C
P=$'\xc2\xb6'
errors=0
fail() { echo "FAIL: $*" >&2; errors=$((errors + 1)); }

# English defaults as "ID<TAB>text", read from the template.
"${cli[@]}" lang-template | tr -d '\r' | awk -F "$P" '
  /^STR[0-9]+ = / { id = substr($1, 4) + 0; print id "\t" $2 }' > "$tmp/english.tsv"
[ -s "$tmp/english.tsv" ] || { echo "FAIL: no English texts from lang-template" >&2; exit 1; }
# The texts a window shows: those whose template line names its window after "/#/".
"${cli[@]}" lang-template | tr -d '\r' | awk '
  /^STR[0-9]+ = .* \/#\/ / { print substr($1, 4) + 0 }' | sort -u > "$tmp/shown.ids"
[ -s "$tmp/shown.ids" ] || { echo "FAIL: lang-template marks no text as shown" >&2; exit 1; }

shopt -s nullglob
files=("$shipped"/*.lng)
[ ${#files[@]} -gt 0 ] || { echo "FAIL: no .lng file in $shipped" >&2; exit 1; }

for file in "${files[@]}"; do
  name=$(basename "$file")
  [ "$(head -c 3 "$file" 2> /dev/null | od -An -tx1 | tr -d ' \n')" = "efbbbf" ] || fail "$name: no UTF-8 byte-order mark"

  if ! "${cli[@]}" lang-check "$file" > "$tmp/check.txt" 2> "$tmp/err.txt"; then
    fail "$name: could not be read: $(cat "$tmp/err.txt")"
    continue
  fi
  sed -i 's/\r$//' "$tmp/check.txt"
  grep -q '^summary: .*, 0 skipped text lines, ' "$tmp/check.txt" \
    || fail "$name: $(tail -1 "$tmp/check.txt")"
  while IFS= read -r line; do fail "$name: $line"; done < <(
    grep -E ': skipped, ' "$tmp/check.txt" | grep -v ': skipped, no STR$' || true)
  while IFS= read -r line; do fail "$name: $line"; done < <(
    grep -E 'no blank before|\(replaces line [0-9]+\)' "$tmp/check.txt" || true)

  # "line N: sets ID = <P>text<P>..." against the English text of the same ID.
  awk -F "$P" -v name="$name" '
    NR == FNR { tab = index($0, "\t"); english[substr($0, 1, tab - 1)] = substr($0, tab + 1); next }
    / sets [0-9]+ = / {
      split($1, w, " "); id = w[4]; text = $2
      print id > ids
      if (!(id in english)) { print name ": ID " id " has no English text"; next }
      e = english[id]
      if (e ~ /^ / && text !~ /^ /) print name ": text " id " lost its leading blank: \"" text "\""
      if (e ~ / $/ && text !~ / $/) print name ": text " id " lost its trailing blank: \"" text "\""
    }' ids="$tmp/ids.txt" "$tmp/english.tsv" "$tmp/check.txt" > "$tmp/blanks.txt"
  while IFS= read -r line; do fail "$line"; done < "$tmp/blanks.txt"

  # IDs of the translations; English.lng may override any few texts.
  if [ "$name" != English.lng ]; then
    touch "$tmp/ids.txt"
    sort -u "$tmp/ids.txt" > "$tmp/$name.ids"
  fi
  rm -f "$tmp/ids.txt"
done

# Every translation sets each shown ID, and no ID that no window shows.
for ids in "$tmp"/*.lng.ids; do
  missing=$(comm -23 "$tmp/shown.ids" "$ids" | tr '\n' ' ')
  [ -z "$missing" ] || fail "$(basename "$ids" .ids) lacks shown texts: $missing"
  extra=$(comm -13 "$tmp/shown.ids" "$ids" | tr '\n' ' ')
  [ -z "$extra" ] || fail "$(basename "$ids" .ids) sets texts no window shows: $extra"
done

[ "$errors" = 0 ] || { echo "shipped_languages.sh: $errors problem(s)" >&2; exit 1; }
echo "shipped_languages.sh: ${#files[@]} language files checked"
