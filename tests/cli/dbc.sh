#!/usr/bin/env bash
# End to end: a plant network DBC imported into both lists, the Project checked, then
# changed and compared with diff (exit 0 equal, 1 different, 2 error).
set -u
cli=(${KT_CLI_RUNNER:+"$KT_CLI_RUNNER"} "$1") # KT_CLI_RUNNER: wine64 for the Windows build
fixtures=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }
run() {
  "${cli[@]}" "$@" >"$tmp/out" 2>"$tmp/err"
  rc=$?
  sed -i 's/\r$//' "$tmp/out" "$tmp/err" # the CRs of a Windows program
}
expect_rc() { [ "$rc" -eq "$1" ] || fail "$2: exit $rc, wanted $1; stderr: $(cat "$tmp/err")"; }
expect_out() { grep -qF -- "$1" "$tmp/$2" || fail "$3: \"$1\" not in $2: $(cat "$tmp/$2")"; }

bash "$fixtures/dbc/network.sh" >"$tmp/plant.dbc"
p="$tmp/Plant"
mkdir -p "$p/bin"
printf '%s' '<Par_Gen><CAN_BAUDRATE>6</CAN_BAUDRATE><PROFIBUS_ID_Device>5</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping></Par_Gen>' >"$p/ParGen.xml"

run import-dbc "$p" "$tmp/plant.dbc" --list receive --node Gateway
expect_rc 0 "import receive"
expect_out "24 frames imported" out "import receive"
run import-dbc "$p" "$tmp/plant.dbc" --list transmit --node Gateway
expect_rc 0 "import transmit"
expect_out "20 frames imported" out "import transmit"
rx="$p/CAN_Rec_Frames.xml"
tx="$p/CAN_Send_Frames.xml"
[ "$(grep -o '<row ' "$rx" | wc -l)" = 24 ] || fail "receive file: not 24 rows"
[ "$(grep -o '<row ' "$tx" | wc -l)" = 20 ] || fail "transmit file: not 20 rows"
# Message 0: standard, cyclic 10 ms, 1 byte; message 4: extended; message 2: event-driven.
grep -qF '<row COBID="0x100" CAN_Type="2.0A (11 bits)" Dim="1" SWAP="0" TimeOut="30" Mnemonic="Msg00_Engine"/>' "$rx" || fail "receive row 1"
grep -qF '<row COBID="0x18FF0004" CAN_Type="2.0B (29 bits)" Dim="5" SWAP="0" TimeOut="150" Mnemonic="Msg04_Engine"/>' "$rx" || fail "receive extended row"
grep -qF '<row COBID="0x102" CAN_Type="2.0A (11 bits)" Dim="3" SWAP="0" TimeOut="0" Mnemonic="Msg02_Brakes"/>' "$rx" || fail "receive event row"
grep -qF '<row COBID="0x119" CAN_Type="2.0A (11 bits)" Dim="2" SWAP="0" OnChange="N" OnTimer="Y" Time="60" Mnemonic="Msg25_Gateway"/>' "$tx" || fail "transmit cyclic row"
grep -qF '<row COBID="0x11A" CAN_Type="2.0A (11 bits)" Dim="3" SWAP="0" OnChange="Y" OnTimer="N" Time="" Mnemonic="Msg26_Gateway"/>' "$tx" || fail "transmit event row"
run check "$p"
expect_rc 0 "check after import"

# More messages than the 6 free receive rows: refused, the file untouched.
cp "$rx" "$tmp/rx.before"
run import-dbc "$p" "$tmp/plant.dbc" --list receive --node Gateway
expect_rc 1 "import into a full list"
expect_out "Not enough empty rows: messages chosen 24, empty rows 6. Not imported: Msg06_Brakes (0x106)" err "import into a full list"
cmp -s "$rx" "$tmp/rx.before" || fail "a refused import changed the file"
# --replace starts again from an empty list; --ids picks in the order given.
run import-dbc "$p" "$tmp/plant.dbc" --list receive --ids 0x101,256 --timeout-factor 0 --replace
expect_rc 0 "import --ids --replace"
[ "$(grep -o '<row ' "$rx" | wc -l)" = 2 ] || fail "--replace: not 2 rows"
grep -qF '<Receive_Frames><row COBID="0x101" CAN_Type="2.0A (11 bits)" Dim="2" SWAP="0" TimeOut="0" Mnemonic="Msg01_Gearbox"/><row COBID="0x100"' "$rx" || fail "--ids order or factor 0"
cp "$tmp/rx.before" "$rx"
run import-dbc "$p" "$tmp/plant.dbc" --list receive --ids 999
expect_rc 1 "unknown id"
run import-dbc "$p" "$tmp/plant.dbc" --list receive
expect_rc 1 "no --node nor --ids"
printf 'BU_: A\r\nBO_ 1 Bad: x A\r\n' >"$tmp/bad.dbc"
run import-dbc "$p" "$tmp/bad.dbc" --list receive --node A
expect_rc 1 "bad dbc"
expect_out "line 2, column 12: the message length is not a number" err "bad dbc"

# diff: a copy is equal; then exactly the rows changed show.
cp -r "$p" "$tmp/Copy"
run diff "$p" "$tmp/Copy"
expect_rc 0 "diff equal"
expect_out "The Projects are equal" out "diff equal"
sed -i 's|COBID="0x105" CAN_Type="2.0A (11 bits)" Dim="6"|COBID="0x105" CAN_Type="2.0A (11 bits)" Dim="7"|' "$tmp/Copy/CAN_Rec_Frames.xml"
sed -i 's|<row COBID="0x11B"[^>]*/>||' "$tmp/Copy/CAN_Send_Frames.xml"
run diff "$p" "$tmp/Copy"
expect_rc 1 "diff different"
grep -v '^Device:' "$tmp/out" >"$tmp/frames"
printf '%s\n' "A: $p" "B: $tmp/Copy" 'Receive frames: changed row 6 0x105 2.0A (11 bits) Dim: 6 -> 7' \
  'Transmit frames: only in A row 4 0x11B 2.0A (11 bits)' >"$tmp/want"
diff "$tmp/want" "$tmp/frames" >/dev/null || fail "diff rows: $(cat "$tmp/frames")"
expect_out "Device: changed GSD modules:" out "diff device"
expect_out "Device: changed image checksum:" out "diff device"
expect_out "Device: differing image bytes: " out "diff device"
grep -q -- '-> 0$' "$tmp/out" && fail "diff: a count as two values: $(cat "$tmp/out")"
run diff "$p" "$tmp/Copy" --json
expect_rc 1 "diff --json"
expect_out '{"section":"receive","kind":"changed","in":"AB","rowA":6,"rowB":6,"item":"0x105 2.0A (11 bits)","field":"Dim","a":"6","b":"7"}' out "diff --json"
expect_out '"kind":"removed","in":"A","rowA":4,"rowB":0,"item":"0x11B 2.0A (11 bits)"' out "diff --json"
run diff "$p" "$tmp/none"
expect_rc 2 "diff of a missing Project"
mkdir -p "$tmp/Empty"
run diff "$p" "$tmp/Empty"
expect_rc 2 "diff with a folder that holds no Project file"
expect_out "Empty: not a Project folder" err "diff with an empty folder"
run diff "$p"
expect_rc 2 "diff without a second Project"

[ "$fails" = 0 ] || { echo "dbc.sh: $fails failure(s)"; exit 1; }
echo "dbc.sh: all passed"
