#!/usr/bin/env bash
# Failures a script must see: standard output that cannot be written (a full disk), input
# files that are no files of their kind (too large, endless, a folder or a link to nothing
# under a Project file's name), and a file where a folder is needed.
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

p="$tmp/Plant"
mkdir -p "$p/bin"
printf '%s' '<Par_Gen><CAN_BAUDRATE>7</CAN_BAUDRATE><PROFIBUS_ID_Device>12</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping></Par_Gen>' >"$p/ParGen.xml"
printf '%s' '<Receive_Frames><row COBID="0x100" CAN_Type="2.0A (11 bits)" Dim="8" SWAP="0" TimeOut="100" Mnemonic="pump"/></Receive_Frames>' >"$p/CAN_Rec_Frames.xml"
bash "$fixtures/dbc/network.sh" >"$tmp/plant.dbc"
"${cli[@]}" image "$p" >/dev/null 2>&1 || fail "setup: image"
cp -r "$p" "$tmp/Other"
printf '%s' '<Par_Gen><CAN_BAUDRATE>6</CAN_BAUDRATE></Par_Gen>' >"$tmp/Other/ParGen.xml"

# Standard output on a full disk: every command that prints fails with a message; diff, whose
# 1 means "different", fails with 2.
if [ -z "${KT_CLI_RUNNER:-}" ] && [ -w /dev/full ]; then
  while IFS='|' read -r want args; do
    read -ra argv <<<"${args//@P/$p}"
    argv=("${argv[@]//@O/$tmp/Other}")
    argv=("${argv[@]//@D/$tmp/plant.dbc}")
    "${cli[@]}" "${argv[@]}" >/dev/full 2>"$tmp/err"
    rc=$?
    [ "$rc" -eq "$want" ] || fail "$args > /dev/full: exit $rc, wanted $want"
    grep -qF "cannot write the standard output" "$tmp/err" || fail "$args > /dev/full: no message: $(cat "$tmp/err")"
  done <<'CASES'
1|iomap @P
1|iomap @P --csv --direction in
1|check @P
1|check --json @P
1|dump @P/bin/bank1.bin
1|lang-template
1|image @P
1|gsd @P -o @P/out.gsd
1|import-dbc @P @D --list transmit --node Gateway --replace
2|diff @P @O
2|diff --json @P @P
1|--help
CASES
fi

# Inputs far larger than any real file, or endless: refused with the file's name and size.
head -c $((70 * 1024 * 1024)) /dev/zero >"$tmp/huge.dbc"
run import-dbc "$p" "$tmp/huge.dbc" --list receive --ids 1
expect_rc 1 "import of a 70 MB DBC"
expect_out "huge.dbc\": it has 73400320 bytes" err "import of a 70 MB DBC"
if [ -z "${KT_CLI_RUNNER:-}" ]; then
  for args in "import-dbc $p /dev/zero --list receive --ids 1" "dump /dev/zero" "lang-check /dev/zero"; do
    read -ra argv <<<"$args"
    run "${argv[@]}"
    expect_rc 1 "$args"
    expect_out "\"/dev/zero\": it has more than" err "$args"
  done
fi
head -c 2000000 /dev/zero | tr '\0' 'x' >"$tmp/huge.img"
run dump "$tmp/huge.img"
expect_rc 1 "dump of a 2 MB file"
expect_out "huge.img\": it has 2000000 bytes" err "dump of a 2 MB file"
q="$tmp/Big"
mkdir -p "$q"
{ printf '<Receive_Frames><row COBID="'; head -c 1100000 /dev/zero | tr '\0' '7'; printf '"/></Receive_Frames>'; } >"$q/CAN_Rec_Frames.xml"
run image "$q"
expect_rc 1 "image of a list above 1 MB"
expect_out "CAN_Rec_Frames.xml\": it has 11000" err "image of a list above 1 MB"
[ "$(wc -c <"$tmp/err")" -lt 400 ] || fail "image of a list above 1 MB: message of $(wc -c <"$tmp/err") bytes"

# A folder or a link to nothing named like a Project file is no missing file.
kinds=(folder)
[ -n "${KT_CLI_RUNNER:-}" ] || kinds+=(link) # links of the emulated Windows are not these
for kind in "${kinds[@]}"; do
  for name in ParGen.xml CAN_Rec_Frames.xml CAN_Send_Frames.xml; do
    w="$tmp/w-$kind-$name"
    cp -r "$p" "$w"
    rm -f "$w/$name" "$w/bin/bank1.bin"
    if [ "$kind" = folder ]; then mkdir "$w/$name"; else ln -s "$w/gone.xml" "$w/$name"; fi
    run check "$w"
    expect_rc 1 "check, $kind as $name"
    expect_out "$name\"" err "check, $kind as $name"
    run image "$w"
    expect_rc 1 "image, $kind as $name"
    expect_out "$name\"" err "image, $kind as $name"
    [ ! -e "$w/bin/bank1.bin" ] || fail "image, $kind as $name: an image was written"
  done
done

# A file where a folder is needed.
: >"$tmp/afile"
for target in "$tmp/afile/x.bin" "$tmp/afile/sub/x.bin"; do
  run image "$p" -o "$target"
  expect_rc 1 "image -o $target"
  expect_out "afile\" is a file where a folder is needed" err "image -o $target"
done

[ "$fails" -eq 0 ] && echo "all output and input CLI checks passed"
exit $((fails > 0))
