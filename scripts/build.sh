#!/usr/bin/env bash
# Configures and builds into the folder given (default: build), passing extra CMake options on.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
gen=()
command -v ninja >/dev/null 2>&1 && gen=(-G Ninja)
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" "${gen[@]}" "$@"
else
  cmake -S . -B "$dir" "$@" >/dev/null
fi
cmake --build "$dir" -j2
