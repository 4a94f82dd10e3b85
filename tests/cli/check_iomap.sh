#!/usr/bin/env bash
# check (findings, --json, --strict) and iomap through the CLI: usage: check_iomap.sh <kt52903-cli> <fixtures-dir>
set -u
cli=(${KT_CLI_RUNNER:+"$KT_CLI_RUNNER"} "$1") # KT_CLI_RUNNER: wine64 for the Windows build
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
run() {
  "${cli[@]}" "$@" >"$tmp/out" 2>"$tmp/err"
  rc=$?
  cp "$tmp/out" "$tmp/raw" # as written, for the CSV's own CR LF
  sed -i 's/\r$//' "$tmp/out" "$tmp/err" # the CRs of a Windows program
}
expect_rc() { [ "$rc" -eq "$1" ] || fail "$2: exit $rc, wanted $1; stderr: $(cat "$tmp/err")"; }
expect_out() { grep -qF -- "$1" "$tmp/$2" || fail "$3: \"$1\" not in $2: $(cat "$tmp/$2")"; }

p="$tmp/p"
mkdir -p "$p"
settings() { printf '<Par_Gen><CAN_BAUDRATE>7</CAN_BAUDRATE><PROFIBUS_ID_Device>12</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>%s</PROFIBUS_GDS_CAN_Mapping></Par_Gen>' "$1" >"$p/ParGen.xml"; }
settings 1
printf '%s' '<Receive_Frames><row COBID="0x123" CAN_Type="2.0A (11 bits)" Dim="3" SWAP="0x80" TimeOut="100" Mnemonic="pump"/></Receive_Frames>' >"$p/CAN_Rec_Frames.xml"
printf '%s' '<Transmit_Frames><row COBID="0x200" CAN_Type="2.0A (11 bits)" Dim="2" SWAP="0" OnChange="N" OnTimer="N" Time="0" Mnemonic="valve"/></Transmit_Frames>' >"$p/CAN_Send_Frames.xml"

# A warning only: exit 0, with --strict 2; the finding names its code, list and row.
run check "$p"
expect_rc 0 "check with a warning"
expect_out "warning [never-sent] Transmit frames, row 1: Never sent: OnChange and OnTimer are both off" err "check with a warning"
expect_out "Receive frames: OK" out "check with a warning"
expect_out "note [bus-load] Project: Estimated CAN bus load" out "check with a warning"
run check --strict "$p"
expect_rc 2 "check --strict with a warning"

run check --json "$p"
expect_rc 0 "check --json"
expect_out '{"severity":"warning","code":"never-sent","list":"transmit","row":1,' out "check --json"
expect_out '"errors":0,"warnings":1,' out "check --json"
[ ! -s "$tmp/err" ] || fail "check --json wrote to stderr: $(cat "$tmp/err")"

# An error wins over --strict: exit 1.
printf '%s' '<Transmit_Frames><row COBID="0x200" CAN_Type="2.0A (11 bits)" Dim="2" SWAP="0" OnChange="Y" OnTimer="N" Time="0" Mnemonic=""/><row COBID="512" CAN_Type="2.0A (11 bits)" Dim="2" SWAP="0" OnChange="Y" OnTimer="N" Time="0" Mnemonic=""/></Transmit_Frames>' >"$p/CAN_Send_Frames.xml"
run check --strict "$p"
expect_rc 1 "check with an error"
expect_out "error [duplicate-id] Transmit frames, row 2: Identifier and type already used in row 1" err "check with an error"

# iomap: the swap group 1-2 (bit 7) reverses bytes 1 and 2 of the receive frame.
run iomap "$p" --csv --direction in
expect_rc 0 "iomap --csv"
[ "$(head -1 "$tmp/raw")" = $'\xEF\xBB\xBFPROFIBUS byte;Module;Module byte;Module identifier;CAN row;CobID;Type;CAN byte;Mnemonic;Swap\r' ] ||
  fail "iomap --csv header: $(head -1 "$tmp/out")"
[ "$(sed -n 2p "$tmp/raw")" = $'0;1;0;"0x42,0x02,0x00,0x01";1;0x123;2.0A (11 bits);2;pump;1-2\r' ] ||
  fail "iomap --csv first byte: $(sed -n 2p "$tmp/out")"
[ "$(wc -l <"$tmp/out")" = 4 ] || fail "iomap --csv: $(wc -l <"$tmp/out") lines, wanted 4"
run iomap "$p" --direction out
expect_rc 0 "iomap --direction out"
expect_out "0x82,0x01,0x00,0x03" out "iomap --direction out"
run iomap "$p" --csv
[ "$rc" -ne 0 ] || fail "iomap --csv without a direction succeeded"
run iomap "$p" --direction sideways
[ "$rc" -ne 0 ] || fail "iomap --direction sideways succeeded"

[ "$fails" -eq 0 ] && echo "all check and iomap CLI checks passed"
[ "$fails" -eq 0 ]
