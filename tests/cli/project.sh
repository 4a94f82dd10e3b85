#!/usr/bin/env bash
# End to end: a Project made by hand, then image, dump, gsd and check through the CLI.
# KT_CLI_RUNNER, when set, runs the CLI (wine64 for the Windows build).
set -u
cli=(${KT_CLI_RUNNER:+"$KT_CLI_RUNNER"} "$1")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

# Runs the CLI; keeps stdout, stderr (without the CRs of a Windows program) and the exit code.
run() {
  "${cli[@]}" "$@" >"$tmp/out" 2>"$tmp/err"
  rc=$?
  sed -i 's/\r$//' "$tmp/out" "$tmp/err"
}
expect_rc() { [ "$rc" -eq "$1" ] || fail "$2: exit $rc, wanted $1; stderr: $(cat "$tmp/err")"; }
expect_out() { grep -qF -- "$1" "$tmp/$2" || fail "$3: \"$1\" not in $2: $(cat "$tmp/$2")"; }

p="$tmp/Plant 1"
mkdir -p "$p"
printf '%s' '<Par_Gen><CAN_BAUDRATE>7</CAN_BAUDRATE><PROFIBUS_ID_Device>12</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>0</PROFIBUS_GDS_CAN_Mapping></Par_Gen><!--SW_VERSION = 1.000-->' >"$p/ParGen.xml"
cat >"$p/CAN_Rec_Frames.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<Receive_Frames>
  <row COBID="291" CAN_Type="2.0A (11 bits)" Dim="8" SWAP="0" TimeOut="1000" Mnemonic="pump"/>
  <row COBID="0x18FF0001" CAN_Type="2.0B (29 bits)" Dim="4" SWAP="0x0F" TimeOut="0" Mnemonic=""/>
</Receive_Frames>
XML
printf '%s' '<Transmit_Frames><row COBID="0x200" CAN_Type="2.0A (11 bits)" Dim="2" SWAP="0" OnChange="Y" OnTimer="Y" Time="250" Mnemonic="valve"/></Transmit_Frames>' >"$p/CAN_Send_Frames.xml"

# image: default place, bin created, 4096 bytes, first entry and checksum as bytes.
run image "$p"
expect_rc 0 "image"
img="$p/bin/bank1.bin"
[ -f "$img" ] || fail "image: $img not written"
[ "$(stat -c %s "$img" 2>/dev/null)" = 4096 ] || fail "image: size is not 4096"
[ "$(od -An -tx1 -N16 "$img" | tr -d ' \n')" = "2301000000000000e803000000000800" ] ||
  fail "image: first receive entry $(od -An -tx1 -N16 "$img")"
[ "$(od -An -tx1 -j2048 -N4 "$img" | tr -d ' \n')" = "20a10700" ] || fail "image: baud rate bytes"

run image "$p" -o "$tmp/other.bin"
expect_rc 0 "image -o"
cmp -s "$img" "$tmp/other.bin" || fail "image -o: differs from the default image"

# dump: both tables, named fields, checksum verdict.
run dump "$img"
expect_rc 0 "dump"
expect_out "Receive frames: 2" out "dump"
expect_out "2: CobId 0x18FF0001 29-bit, DataLen 4, DataOffset 8, Swap 0x0F" out "dump"
expect_out "SendFlags 0x07 (OnChange Y, OnTimer Y), SendTime 250 ms" out "dump"
expect_out "CanBaudRate 500000" out "dump"
expect_out "ProfibusAddress 12" out "dump"
expect_out "RecDataBytes 12" out "dump"
expect_out "(matches)" out "dump"

# dump as a gate: a wrong checksum, fixed word or unused entry exits 1 and says which.
cp "$img" "$tmp/good.bin"
printf 'x' | dd of="$img" bs=1 seek=2100 conv=notrunc 2>/dev/null
run dump "$img"
expect_rc 1 "dump of a changed block"
expect_out "(does not match: computed" out "dump of a changed block"
expect_out "error: ParamChecksum" err "dump of a changed block"
# name | byte offset | bytes | message
while IFS='|' read -r name offset bytes message; do
  cp "$tmp/good.bin" "$tmp/bad.bin"
  printf "$bytes" | dd of="$tmp/bad.bin" bs=1 seek="$offset" conv=notrunc 2>/dev/null
  run dump "$tmp/bad.bin"
  expect_rc 1 "dump, $name"
  expect_out "$message" err "dump, $name"
done <<'CASES'
word 4|2052|\x01|error: Word4 (parameter offset 4) is 0x0001E801, not 0x0001E848
word 8|2056|\x81|error: Word8 (parameter offset 8) is 0x00002581, not 0x00002580
word 196|2244|\x01|error: RecTableAddr (parameter offset 196) is 0x00067801, not 0x00067800
word 200|2248|\x01|error: SendTableAddr (parameter offset 200) is 0x00067C01, not 0x00067C00
unused receive entry|96|\x01|error: receive entry 4 is unused but not 16 bytes of 0 and 16 of 0xFF
unused send entry|2046|\x00|error: send entry 32 is unused but not 16 bytes of 0 and 16 of 0xFF
CASES

head -c 100 /dev/zero >"$tmp/short.bin"
run dump "$tmp/short.bin"
[ "$rc" -ne 0 ] || fail "dump of 100 bytes succeeded"
expect_out "this one has 100" err "dump of 100 bytes"
run dump "$tmp/none.bin"
[ "$rc" -ne 0 ] || fail "dump of a missing file succeeded"

# gsd: ".gsd" appended, CR LF lines, the computed numbers.
run gsd "$p" -o "$tmp/plant"
expect_rc 0 "gsd"
g="$tmp/plant.gsd"
[ -f "$g" ] || fail "gsd: $g not written"
grep -q $'^Max_Input_Len=12\r$' "$g" || fail "gsd: Max_Input_Len"
grep -q $'^Max_Output_Len=2\r$' "$g" || fail "gsd: Max_Output_Len"
grep -q $'^Module="DO  (PORT2)    " 0x82,0x01,0x00,0x02\r$' "$g" || fail "gsd: output module"
[ "$(tr -cd '\n' <"$g" | wc -c)" = "$(grep -c $'\r$' "$g")" ] || fail "gsd: a line without CR"
# A name of its own: on Windows "Plant.GSD" would be the plant.gsd written above.
run gsd "$p" -o "$tmp/Station.GSD"
[ -f "$tmp/Station.GSD" ] && [ ! -e "$tmp/Station.GSD.gsd" ] || fail "gsd: Station.GSD should be used as given"
(cd "$tmp" && "${cli[@]}" gsd "$p" -o "" >"$tmp/out" 2>"$tmp/err")
rc=$?
[ "$rc" -ne 0 ] || fail "gsd with an empty name succeeded"
expect_out "The GSD file needs a name" err "gsd with an empty name"
[ ! -e "$tmp/.gsd" ] || fail "gsd with an empty name wrote .gsd"
# A folder, named as it is or with a final separator, is no file name.
mkdir -p "$tmp/outdir"
for target in "$tmp/outdir/" "$tmp/outdir" "$tmp/new/"; do
  run gsd "$p" -o "$target"
  expect_rc 1 "gsd -o $target"
  expect_out "is a folder" err "gsd -o $target"
done
[ ! -e "$tmp/outdir/.gsd" ] && [ ! -e "$tmp/outdir.gsd" ] && [ ! -e "$tmp/new" ] || fail "gsd -o a folder wrote a file"

# check: all valid, then one bad row.
run check "$p"
expect_rc 0 "check"
expect_out "Transmit frames: OK" out "check"
sed -i 's/Dim="4"/Dim="9"/' "$p/CAN_Rec_Frames.xml"
printf '%s' '<Par_Gen><PROFIBUS_ID_Device>126</PROFIBUS_ID_Device></Par_Gen>' >"$p/ParGen.xml"
run check "$p"
expect_rc 1 "check of bad values"
expect_out "Error PROFIBUS!! ID Device must be between 1 and 125" err "check"
expect_out "Error row 2!! Dimension must be between 1 and 8" err "check"
expect_out "Transmit frames: OK" out "check of bad values"

# check as a gate: not a Project at all fails; warnings exit 0, or 2 with --strict.
mkdir -p "$tmp/notproject"
run check "$tmp/notproject"
expect_rc 1 "check of a folder without Project files"
expect_out "not a Project folder" err "check of a folder without Project files"
mkdir -p "$tmp/onlybin/bin"
run check "$tmp/onlybin"
expect_rc 0 "check of a new Project"
expect_out "warning [no-project-files] Project: The folder holds none of the Project files" err "check of a new Project"
run check --strict "$tmp/onlybin"
expect_rc 2 "check --strict with warnings"
rows=$(for i in $(seq 1 31); do printf '<row COBID="%d" CAN_Type="2.0A (11 bits)" Dim="1" SWAP="0" TimeOut="0"/>' "$i"; done)
# name | ParGen.xml | receive list ('-' for none) | warning
while IFS='|' read -r name pargen receive warning; do
  w="$tmp/warn"
  rm -rf "$w"
  mkdir -p "$w/bin"
  printf '%s' "$pargen" >"$w/ParGen.xml"
  [ "$receive" = - ] || printf '%s' "${receive//ROWS/$rows}" >"$w/CAN_Rec_Frames.xml"
  run check "$w"
  expect_rc 0 "check, $name"
  expect_out "warning [$warning" err "check, $name"
  run check --strict "$w"
  expect_rc 2 "check --strict, $name"
done <<'CASES'
baud above 9|<Par_Gen><CAN_BAUDRATE>12</CAN_BAUDRATE></Par_Gen>|-|baud-index] Communication settings: CAN bit rate index 12 is not in the list
baud negative|<Par_Gen><CAN_BAUDRATE>-1</CAN_BAUDRATE></Par_Gen>|-|baud-index] Communication settings: CAN bit rate index -1 is not in the list
other root|<Settings><CAN_BAUDRATE>7</CAN_BAUDRATE></Settings>|-|pargen-root] Communication settings: ParGen.xml has the root element <Settings>, not <Par_Gen>
31 rows|<Par_Gen/>|<Receive_Frames>ROWS</Receive_Frames>|over-editor-rows] Receive frames: The list holds 31 frames; the frame list editor keeps only the first 30
CASES
run check --strict "$p"
expect_rc 1 "check --strict with errors"

# A Project without settings: text 1504 and no file.
q="$tmp/empty"
mkdir -p "$q"
run gsd "$q" -o "$tmp/q.gsd"
expect_rc 1 "gsd without ParGen.xml"
expect_out "Error! Please set the Set Communication Parameter before to create the GSD file" err "gsd without ParGen.xml"
[ ! -e "$tmp/q.gsd" ] || fail "gsd without ParGen.xml wrote a file"

# Malformed XML: the parser's message with the file's name, nothing written.
printf '%s' '<Transmit_Frames><row>' >"$q/CAN_Send_Frames.xml"
run image "$q"
[ "$rc" -ne 0 ] || fail "image of malformed XML succeeded"
expect_out "CAN_Send_Frames.xml" err "image of malformed XML"
[ ! -e "$q/bin/bank1.bin" ] || fail "image of malformed XML wrote a file"
run check "$q"
expect_rc 1 "check of malformed XML"
expect_out "CAN_Send_Frames.xml" err "check of malformed XML"

# Unwritable target and a missing Project folder.
: >"$tmp/afile"
run image "$p" -o "$tmp/afile/sub/bank1.bin"
[ "$rc" -ne 0 ] || fail "image into a path below a file succeeded"
expect_out "afile" err "image into a path below a file"
run image "$tmp/no-such-project"
[ "$rc" -ne 0 ] || fail "image of a missing Project succeeded"

[ "$fails" -eq 0 ] && echo "all project CLI checks passed"
exit $((fails > 0))
