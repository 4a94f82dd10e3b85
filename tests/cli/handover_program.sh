#!/usr/bin/env bash
# The handover command draws the PDF in kt52903-report beside the CLI. A report program that is
# missing, crashes or gives no PDF is an error naming it: exit 1, the old pack untouched.
# Under Wine (KT_CLI_RUNNER) only the missing program is tried; the stand-ins are shell scripts.
set -u
runner=${KT_CLI_RUNNER:-}
exe=""
[[ $1 == *.exe ]] && exe=.exe
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

p="$tmp/Line 1"
mkdir -p "$p"
printf '%s' '<Par_Gen><CAN_BAUDRATE>6</CAN_BAUDRATE><PROFIBUS_ID_Device>5</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping></Par_Gen>' >"$p/ParGen.xml"
printf '%s' '<Receive_Frames><row COBID="257" CAN_Type="2.0A (11 bits)" Dim="4" SWAP="0" TimeOut="500" Mnemonic="sensor"/></Receive_Frames>' >"$p/CAN_Rec_Frames.xml"
printf '%s' '<Transmit_Frames><row COBID="769" CAN_Type="2.0A (11 bits)" Dim="4" SWAP="0" OnChange="Y" OnTimer="Y" Time="100" Mnemonic="drive"/></Transmit_Frames>' >"$p/CAN_Send_Frames.xml"

# case | the stand-in's script ("" for none) | text the message must hold
cases=(
  "missing||Cannot start \""
  "its own failure|cat >/dev/null; printf 'The PDF report could not be drawn'; exit 1|The PDF report could not be drawn"
  "crash|cat >/dev/null; kill -SEGV \$\$|kt52903-report\" was ended by signal 11"
  "no PDF|cat >/dev/null; exit 0|kt52903-report\" wrote no PDF report (exit code 0)"
  "other exit code|cat >/dev/null; printf '%%PDF-1.4'; exit 4|kt52903-report\" wrote no PDF report (exit code 4)"
  "message on exit 0|cat >/dev/null; printf 'drawn'; exit 0|kt52903-report\" wrote no PDF report (exit code 0)"
)
n=0
for c in "${cases[@]}"; do
  IFS='|' read -r name script want <<<"$c"
  [ -n "$runner" ] && [ -n "$script" ] && continue
  n=$((n + 1))
  d="$tmp/bin$n"
  mkdir -p "$d"
  # A copy, not a link: the CLI looks for the report program beside its own file.
  cp "$1" "$d/kt52903-cli$exe"
  if [ -n "$script" ]; then
    printf '#!/bin/sh\n%s\n' "$script" >"$d/kt52903-report"
    chmod +x "$d/kt52903-report"
  fi
  out="$tmp/out$n"
  mkdir -p "$out"
  printf 'OLD' >"$out/bank1.bin"
  ${runner:+"$runner"} "$d/kt52903-cli$exe" handover "$p" -o "$out" --date "2026-12-10 10:30" \
    >"$tmp/stdout" 2>"$tmp/stderr"
  rc=$?
  sed -i 's/\r$//' "$tmp/stdout" "$tmp/stderr"
  [ "$rc" -eq 1 ] || fail "$name: exit $rc, wanted 1"
  grep -qF -- "$want" "$tmp/stderr" || fail "$name: \"$want\" not in the message: $(cat "$tmp/stderr")"
  [ "$name" = "its own failure" ] || grep -qF "kt52903-report$exe\"" "$tmp/stderr" ||
    fail "$name: the message does not name the report program: $(cat "$tmp/stderr")"
  [ ! -s "$tmp/stdout" ] || fail "$name: files reported as written: $(cat "$tmp/stdout")"
  [ "$(ls -A "$out")" = bank1.bin ] && [ "$(cat "$out/bank1.bin")" = OLD ] ||
    fail "$name: the old pack was touched: $(ls -A "$out")"
  [ "$(ls -A "$tmp" | grep -c -e handover -e previous)" = 0 ] || fail "$name: a temporary folder is left"
done

[ "$fails" -eq 0 ] && echo "all $n report program checks passed"
exit $((fails > 0))
