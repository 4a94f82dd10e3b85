#!/usr/bin/env bash
# Builds the Linux packages (build-pkg/: a .deb and a .tar.gz of the same tree) and checks
# them: the file list, Depends, the desktop entry, lintian when installed, and the launcher of
# the unpacked tree, which must make a Workspace of its own and start both programs from it
# (the CLI's handover command with the report program beside it).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-pkg
bash scripts/build.sh "$dir" -DCMAKE_BUILD_TYPE=Release -DKT_BUILD_TESTS=OFF -DKT_BUILD_BENCH=OFF
rm -f "$dir"/kt52903*.deb "$dir"/kt52903*.tar.gz
(cd "$dir" && cpack -G "DEB;TGZ" > cpack.log) || { cat "$dir/cpack.log"; exit 1; }
deb=$(ls "$dir"/kt52903_*.deb)
tgz=$(ls "$dir"/kt52903-*.tar.gz)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
errors=0
fail() {
  echo "FAIL: $*" >&2
  errors=$((errors + 1))
}

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||; s|/$||' | grep -v '^$' | sort > "$tmp/deb.txt"
for f in opt/kt52903/kt52903 opt/kt52903/kt52903-cli opt/kt52903/kt52903-report \
  usr/bin/kt52903 usr/bin/kt52903-cli \
  usr/share/applications/kt52903.desktop usr/share/icons/hicolor/scalable/apps/kt52903.svg \
  usr/share/doc/kt52903/copyright; do
  grep -qx "$f" "$tmp/deb.txt" || fail "$deb lacks $f"
done
for f in src/lang/shipped/*; do
  grep -qx "opt/kt52903/LANGUAGE/${f##*/}" "$tmp/deb.txt" || fail "$deb lacks LANGUAGE/${f##*/}"
done
for l in de es fr it; do
  grep -qx "opt/kt52903/translations/qtbase_$l.qm" "$tmp/deb.txt" || fail "$deb lacks translations/qtbase_$l.qm"
done
strays=$(grep -Ev '^(opt|opt/kt52903(/.*)?|usr|usr/bin(/.*)?|usr/share(/(applications|icons|doc)(/.*)?)?)$' "$tmp/deb.txt" || true)
[ -z "$strays" ] || fail "$deb installs outside /opt/kt52903 and its menu files: $strays"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6serialport6 libpugixml1v5 libcurl4; do
  [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
done

# The tarball holds the same tree below one top folder.
tar -tzf "$tgz" | sed 's|^[^/]*/||; s|/$||' | grep -v '^$' | sort > "$tmp/tgz.txt"
diff "$tmp/deb.txt" "$tmp/tgz.txt" > "$tmp/diff.txt" || fail "the .tar.gz differs from the .deb: $(cat "$tmp/diff.txt")"

mkdir -p "$tmp/tree"
tar -xzf "$tgz" -C "$tmp/tree" --strip-components=1
desktop-file-validate "$tmp/tree/usr/share/applications/kt52903.desktop" || fail "desktop entry"

# Accepted: /opt is where the Workspace design needs the programs; the maintainer address is
# set by whoever publishes the package (KT_PACKAGE_CONTACT); a locally built native package
# carries no Debian changelog.
if command -v lintian > /dev/null 2>&1; then
  lintian --no-tag-display-limit --suppress-tags dir-or-file-in-opt,bogus-mail-host,no-changelog \
    "$deb" > "$tmp/lintian.txt" 2>&1 || true
  if [ -s "$tmp/lintian.txt" ]; then
    echo "lintian findings:"
    sed 's/^/  /' "$tmp/lintian.txt"
  fi
  if grep -q '^E: ' "$tmp/lintian.txt"; then fail "lintian reports errors"; fi
else
  echo "lintian not installed: skipped the lintian check"
fi

# The launcher of the unpacked tree: a Workspace of the user's own, nothing written beside /opt.
chmod -R a-w "$tmp/tree/opt"
export XDG_DATA_HOME="$tmp/data"
ws=$XDG_DATA_HOME/kt52903
QT_QPA_PLATFORM=offscreen timeout 10 "$tmp/tree/usr/bin/kt52903" > "$tmp/gui.txt" 2>&1 && rc=0 || rc=$?
[ "$rc" = 124 ] || fail "the configurator ended by itself (exit $rc): $(cat "$tmp/gui.txt")"
for d in MASTER PROJECTS LANGUAGE; do [ -d "$ws/$d" ] || fail "launcher: no $d in $ws"; done
for f in src/lang/shipped/*; do
  cmp -s "$f" "$ws/LANGUAGE/${f##*/}" || fail "launcher: LANGUAGE/${f##*/} not copied"
done
cmp -s "$tmp/tree/opt/kt52903/kt52903" "$ws/kt52903" || fail "launcher: no copy of the program"
[ -f "$ws/translations/qtbase_de.qm" ] || fail "launcher: Qt's translations not beside the program"
[ -z "$(find "$tmp/tree/opt" -newer "$tgz" -type f)" ] || fail "something was written below opt"
"$tmp/tree/usr/bin/kt52903-cli" lang-check "$ws/LANGUAGE/Deutsch.lng" > "$tmp/cli.txt" ||
  fail "kt52903-cli through its launcher"
grep -q '^summary: ' "$tmp/cli.txt" || fail "kt52903-cli printed no summary"
# The handover command finds its report program beside the installed CLI.
mkdir -p "$tmp/Plant"
printf '%s' '<Par_Gen><CAN_BAUDRATE>6</CAN_BAUDRATE><PROFIBUS_ID_Device>5</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping></Par_Gen>' > "$tmp/Plant/ParGen.xml"
echo '<Receive_Frames/>' > "$tmp/Plant/CAN_Rec_Frames.xml"
echo '<Transmit_Frames/>' > "$tmp/Plant/CAN_Send_Frames.xml"
"$tmp/tree/usr/bin/kt52903-cli" handover "$tmp/Plant" -o "$tmp/pack" > "$tmp/handover.txt" 2>&1 ||
  fail "kt52903-cli handover through its launcher: $(cat "$tmp/handover.txt")"
head -c 5 "$tmp/pack/report.pdf" 2> /dev/null | grep -q '%PDF-' || fail "the installed CLI wrote no report.pdf"
chmod -R u+w "$tmp/tree"

[ "$errors" = 0 ] || { echo "package.sh: $errors problem(s)" >&2; exit 1; }
echo "package.sh: $(basename "$deb") and $(basename "$tgz") checked"
