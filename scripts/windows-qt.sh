#!/usr/bin/env bash
# Cross-builds a static Qt (qtbase + qtserialport) for 64-bit Windows with mingw-w64 from
# Debian's own sources, against the host Qt that Debian installs (same version).
# Usage: windows-qt.sh <cache folder>; the result lands in <cache>/qt6. It is rebuilt only when
# the sources, the compiler, the toolchain file or the configure line change (one stamp file).
set -euo pipefail
cache=$1
prefix=$cache/qt6
src=$cache/src
bld=$cache/build
mkdir -p "$src" "$bld"
# Qt gets a toolchain of its own, so that changes to the project's do not cost a Qt rebuild.
toolchain=$bld/qt-mingw-toolchain.cmake
cat > "$toolchain" <<'EOT'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOT

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)

# Only what the configurator uses: Core, Gui (QPdfWriter), Widgets, Test, the windows and
# offscreen platform plugins. The features turned off below either pull in a header the Debian
# tarball leaves out (wintab: tabletevent, direct2d) or break every link in 6.4 (directwrite3).
config=(-xplatform win32-g++ -qt-host-path /usr
  -release -static -static-runtime -nomake tests -nomake examples
  -no-opengl -no-dbus -no-icu -no-pkg-config -no-zstd
  -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
  -no-feature-sql -no-feature-network -no-feature-concurrent -no-feature-xml
  -no-feature-vulkan -no-feature-tabletevent -no-feature-direct2d
  -no-feature-directwrite3 -no-feature-androiddeployqt)
# Debian's source package through apt-get source (deb-src list set up by the caller), found
# again in <cache>/src on later runs. The mirror has answered 404 for the tarballs of a .dsc
# it served: a few tries, then the caller decides what to do without it.
fetch() {
  local pkg=$1 dir try
  dir=$(find "$src" -maxdepth 1 -mindepth 1 -type d -name "$pkg-*" | sort | tail -n 1)
  if [ -z "$dir" ]; then
    for try in 1 2 3; do
      (cd "$src" && apt-get -o DPkg::Lock::Timeout=300 source -qq "$pkg${2:+=$2}") \
        > "$bld/fetch-$pkg.log" 2>&1 && break
      echo "apt-get source $pkg failed (try $try of 3): $(grep -m1 '^E:' "$bld/fetch-$pkg.log")" >&2
      [ "$try" = 3 ] || sleep 5
    done
    dir=$(find "$src" -maxdepth 1 -mindepth 1 -type d -name "$pkg-*" | sort | tail -n 1)
  fi
  echo "$dir"
}
base_src=$(fetch qt6-base "$version")
[ -n "$base_src" ] || { echo "no source of qt6-base $version" >&2; exit 1; }
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
want="qtbase $version $compiler $(sha256sum "$toolchain" | cut -c1-16) ${config[*]}"
stamp=$prefix/.qtbase.stamp
if [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$want" ]; then
  echo "== building Qt $version for mingw (static, about 20 minutes on 2 cores)"
  log=$bld/qtbase.log
  # A build folder configured with the same line is carried on where it stopped (an
  # interrupted run); any other starts afresh, since configure keeps cached features.
  configured=$bld/qtbase/.kt-configured
  if [ ! -f "$configured" ] || [ "$(cat "$configured")" != "$want" ]; then
    rm -rf "$prefix" "$bld/qtbase"
    mkdir -p "$bld/qtbase"
    (cd "$bld/qtbase" && "$base_src/configure" -prefix "$prefix" "${config[@]}" -- -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake) > "$log" 2>&1 ||
      { tail -n 40 "$log" >&2; exit 1; }
    echo "$want" > "$configured"
  fi
  cmake --build "$bld/qtbase" --parallel 2 >> "$log" 2>&1 || { tail -n 40 "$log" >&2; exit 1; }
  rm -rf "$prefix"
  cmake --install "$bld/qtbase" >> "$log" 2>&1
  # The build folder (2.7 GB) is not needed once installed.
  rm -rf "$bld/qtbase"
  echo "$want" > "$stamp"
fi

# Qt SerialPort: built when Debian's source can be had. Without it the GUI lists serial ports
# from the registry (see src/app/UProduction.cpp); a failed fetch is tried again only when
# qtbase changes, or after removing <cache>/qt6/.qtserialport.stamp.
stamp=$prefix/.qtserialport.stamp
if [ -f "$stamp" ] && [ "$(tail -n 1 "$stamp")" = "$want" ]; then
  exit 0
fi
serial_src=$(fetch qt6-serialport)
if [ -z "$serial_src" ]; then
  echo "Qt SerialPort left out: Debian's source of qt6-serialport could not be fetched" >&2
  printf 'unavailable\n%s\n' "$want" > "$stamp"
  exit 0
fi
echo "== building Qt SerialPort for mingw"
rm -rf "$bld/qtserialport"
log=$bld/qtserialport.log
cmake -S "$serial_src" -B "$bld/qtserialport" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF > "$log" 2>&1 || { tail -n 40 "$log" >&2; exit 1; }
cmake --build "$bld/qtserialport" --parallel 2 >> "$log" 2>&1 || { tail -n 40 "$log" >&2; exit 1; }
cmake --install "$bld/qtserialport" >> "$log" 2>&1
rm -rf "$bld/qtserialport"
printf '%s\n%s\n' "$(basename "$serial_src")" "$want" > "$stamp"
