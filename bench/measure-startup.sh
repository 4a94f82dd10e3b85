#!/usr/bin/env bash
# Start-up to a mapped main window, against a bare Qt Widgets window on the same private Xvfb
# display: N interleaved runs each, medians and their ratio (goal: at most 1.5).
#   bash bench/measure-startup.sh [runs] [build folder]     (defaults: 15, build-release)
# Builds kt52903 and bench/startup/bare_window.cpp in a Release build folder of their own
# (never the sanitizer build). Needs Xvfb, xev and xprop (Debian: xvfb, x11-utils).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}
dir=${2:-build-release}

missing=()
for tool in Xvfb xev xprop stdbuf python3; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "missing: ${missing[*]} (apt-get install xvfb x11-utils)" >&2
  exit 1
fi

gen=()
command -v ninja >/dev/null 2>&1 && gen=(-G Ninja)
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release -DKT_BUILD_TESTS=OFF \
    -DKT_BUILD_BENCH=ON -DKT_SANITIZE=OFF >/dev/null
fi
type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$dir/CMakeCache.txt")
sanitize=$(sed -n 's/^KT_SANITIZE:[A-Z]*=//p' "$dir/CMakeCache.txt")
if [ "$type" != Release ] || [ "$sanitize" = ON ]; then
  echo "$dir is a $type build (sanitizers: $sanitize); times are taken on a Release build" >&2
  exit 1
fi
targets=(kt52903 kt_bare_window)
# The language files and Qt's translations, where this build has them.
for t in kt_languages kt_qt_translations; do
  grep -q "/$t.dir\$" "$dir/CMakeFiles/TargetDirectories.txt" && targets+=("$t")
done
nice -n 10 cmake --build "$dir" -j2 --target "${targets[@]}" >/dev/null

python3 bench/startup/measure.py --app "$dir/kt52903" --bare "$dir/bench/kt_bare_window" \
  --runs "$runs"
