#!/usr/bin/env bash
# The Windows build as a user meets it, under Wine. With the GUI (KT_WINDOWS_SCREENSHOTS=0
# leaves this part out): on an Xvfb display with the windows platform plugin, screenshots of the main window and the
# receive frame list in a fresh Workspace. Then the installer (the whole product, or the CLI alone without the GUI),
# installed silently into a fresh Wine prefix, started, and uninstalled: Projects and
# settings stay. Called by windows-cross.sh:
#   windows-check.sh <build folder> <version> <scratch folder>
# The screenshots land in <build folder>/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$1
version=$2
tmp=$3
art=$build/artifacts
rm -rf "$art"
mkdir -p "$art"
fail() {
  echo "windows check: $*" >&2
  exit 1
}

gui=0
[ -f "$build/kt52903.exe" ] && gui=1
# With the GUI built, it is driven on Xvfb (screenshots, the installed program started);
# KT_WINDOWS_SCREENSHOTS=0 checks the installed product through its CLI only.
shots=0
[ $gui = 1 ] && [ "${KT_WINDOWS_SCREENSHOTS:-1}" = 1 ] && shots=1
if [ $shots = 1 ]; then
  # An X display of our own; -displayfd picks a free number.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$tmp/display" 2> "$tmp/xvfb.log" &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.2; done
  [ -s "$tmp/display" ] || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
  export DISPLAY=:$(cat "$tmp/display")
  # A prefix of our own, booted on this display: Wine's desktop process keeps the display of
  # the prefix's first program, and the test prefix was booted without one.
  export WINEPREFIX=$tmp/gui
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wine64 wineboot -i > /dev/null 2>&1
  cleanup() {
    wineserver -k 2> /dev/null || true
    kill "$xvfb" 2> /dev/null || true
  }
  trap cleanup EXIT
fi

caption="Tarvix - Configurator KT52903"
# Waits for a top-level window whose title contains $1 and prints its X id.
window() {
  local id
  id=$(timeout 60 xdotool search --sync --onlyvisible --name "$1" 2> /dev/null | tail -n 1) || true
  [ -n "$id" ] || fail "no window \"$1\" appeared"
  echo "$id"
}
# Clicks at client coordinates of a Wine window. Without a window manager Wine draws the
# frame itself inside the X window: the border is half the extra width, the caption the rest
# of the extra height.
click() {
  local id=$1 x=$2 y=$3 cw=$4 ch=$5 w h
  eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(WIDTH|HEIGHT)=')"
  w=$WIDTH
  h=$HEIGHT
  local border=$(((w - cw) / 2))
  local top=$((h - ch - border))
  xdotool mousemove --window "$id" $((border + x)) $((top + y)) click 1
}
# The main window's client size and its buttons' centres (fixed layout).
main_w=694
main_h=484
settle() { sleep "${1:-2}"; }

# Starts kt52903.exe from folder $1 and leaves its Wine process id in $gui_pid.
start_gui() {
  (cd "$1" && exec /usr/lib/wine/wine64 ./kt52903.exe > "$tmp/gui.log" 2>&1) &
  gui_pid=$!
}
# Closes the main window with its close button and waits for the program to end.
close_gui() {
  local id=$1
  click "$id" 657 33 $main_w $main_h
  for _ in $(seq 100); do kill -0 "$gui_pid" 2> /dev/null || break; sleep 0.2; done
  if kill -0 "$gui_pid" 2> /dev/null; then
    import -window root "$art/not-closed.png"
    fail "kt52903.exe did not end after its close button"
  fi
  wait "$gui_pid" || fail "kt52903.exe ended with an error"
}

if [ $shots = 1 ]; then
  # 1. A fresh Workspace: the program and the shipped languages, nothing else.
  ws=$tmp/workspace
  rm -rf "$ws"
  mkdir -p "$ws/LANGUAGE"
  cp "$build/kt52903.exe" "$ws/"
  cp src/lang/shipped/*.lng src/lang/shipped/*.bmp "$ws/LANGUAGE/"
  start_gui "$ws"
  main=$(window "$caption")
  settle 3
  import -window root "$art/main-window.png"
  for d in MASTER PROJECTS LANGUAGE; do [ -d "$ws/$d" ] || fail "the fresh Workspace has no $d"; done
  # New Project "Demo", then the receive frame list.
  click "$main" 165 130 $main_w $main_h
  settle 2
  xdotool type --delay 50 "Demo"
  xdotool key Return
  settle 2
  [ -d "$ws/PROJECTS/Demo" ] || { import -window root "$art/no-project.png"; fail "New Project made no PROJECTS/Demo"; }
  click "$main" 165 218 $main_w $main_h
  settle 3
  import -window root "$art/receive-frames.png"
  xdotool key Escape
  settle 2
  close_gui "$main"
  grep -q "Demo" "$ws/Korvel.xml" || fail "Korvel.xml does not name the Project Demo"
  echo "windows check: screenshots in $art (main-window.png, receive-frames.png)"
fi

# 2. The installer of the whole product.
stage=$build/installer-stage
rm -rf "$stage"
mkdir -p "$stage"
cp "$build/kt52903-cli.exe" "$stage/"
setup=$build/kt52903-cli-$version-setup.exe
if [ $gui = 1 ]; then
  # With the GUI comes the PDF: the CLI's handover command draws it in kt52903-report.exe.
  cp "$build/kt52903.exe" "$build/kt52903-report.exe" "$stage/"
  setup=$build/kt52903-$version-setup.exe
fi
updater=()
[ -n "${KT_UPDATER_EXE:-}" ] && updater=(-DUPDATER="$KT_UPDATER_EXE")
makensis -V2 -DBUILD_DIR="$root/$stage" -DLANG_DIR="$root/src/lang/shipped" \
  -DQT_TRANSLATIONS=/usr/share/qt6/translations -DVERSION="$version" "${updater[@]}" \
  -DOUT_FILE="$root/$setup" packaging/windows/kt52903.nsi
[ "$(head -c 2 "$setup")" = MZ ] || fail "installer is no Windows program"

# 3. Installed silently into a fresh prefix, started, uninstalled.
export WINEPREFIX=$tmp/install
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wine64 wineboot -i > /dev/null 2>&1
/usr/lib/wine/wine64 "$setup" /S '/D=C:\KT52903' || fail "silent install failed"
wineserver -w
inst=$WINEPREFIX/drive_c/KT52903
installed=(kt52903-cli.exe Uninstall.exe translations/qtbase_de.qm translations/qtbase_es.qm \
  translations/qtbase_fr.qm translations/qtbase_it.qm LANGUAGE/Deutsch.lng MASTER PROJECTS)
[ $gui = 0 ] || installed+=(kt52903.exe kt52903-report.exe)
for f in "${installed[@]}"; do
  [ -e "$inst/$f" ] || fail "the installer did not install $f"
done
menu=$(find "$WINEPREFIX/drive_c/users" -path "*Start Menu/Programs/KT52903 Configurator.lnk" | head -n 1)
[ -n "$menu" ] || fail "no Start menu entry"
if [ $shots = 1 ]; then
  start_gui "$inst"
  main=$(window "$caption")
  settle 3
  import -window root "$art/installed.png"
  close_gui "$main"
  [ -f "$inst/Korvel.xml" ] || fail "the installed configurator wrote no Korvel.xml"
else
  # The CLI finds the installed languages beside it.
  (cd "$inst" && /usr/lib/wine/wine64 ./kt52903-cli.exe lang-check LANGUAGE/Deutsch.lng > "$tmp/cli.txt") ||
    fail "the installed kt52903-cli.exe does not run"
  grep -q '^summary: ' "$tmp/cli.txt" || fail "the installed kt52903-cli.exe printed no summary"
  if [ $gui = 1 ]; then
    # The installed handover command finds its report program beside it. Paths relative to
    # the installation: Wine takes a Unix path there for one on drive C:.
    plant=$inst/PROJECTS/Plant
    mkdir -p "$plant"
    printf '%s' '<Par_Gen><CAN_BAUDRATE>6</CAN_BAUDRATE><PROFIBUS_ID_Device>5</PROFIBUS_ID_Device><PROFIBUS_GDS_CAN_Mapping>1</PROFIBUS_GDS_CAN_Mapping></Par_Gen>' > "$plant/ParGen.xml"
    echo '<Receive_Frames/>' > "$plant/CAN_Rec_Frames.xml"
    echo '<Transmit_Frames/>' > "$plant/CAN_Send_Frames.xml"
    (cd "$inst" && /usr/lib/wine/wine64 ./kt52903-cli.exe handover PROJECTS/Plant -o PROJECTS/Plant/pack > "$tmp/handover.txt" 2>&1) ||
      fail "the installed handover command failed: $(cat "$tmp/handover.txt")"
    [ "$(head -c 5 "$plant/pack/report.pdf" 2> /dev/null)" = "%PDF-" ] || fail "the installed handover command wrote no report.pdf"
  fi
  echo "<settings/>" > "$inst/Korvel.xml"
fi
mkdir -p "$inst/PROJECTS/Kept"
echo "<kept/>" > "$inst/PROJECTS/Kept/ParGen.xml"
/usr/lib/wine/wine64 "$inst/Uninstall.exe" /S || fail "silent uninstall failed"
wineserver -w
for f in kt52903.exe kt52903-cli.exe kt52903-report.exe Uninstall.exe translations LANGUAGE/Deutsch.lng; do
  [ ! -e "$inst/$f" ] || fail "the uninstaller left $f"
done
[ ! -e "$menu" ] || fail "the uninstaller left the Start menu entry"
[ -f "$inst/Korvel.xml" ] && [ -f "$inst/PROJECTS/Kept/ParGen.xml" ] ||
  fail "the uninstaller removed the settings or a Project"
wineserver -k 2> /dev/null || true
echo "windows check: installer $setup installs, starts and uninstalls under Wine"
