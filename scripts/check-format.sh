#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it with the
# checked-in .clang-format. Pass file names to check only those.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -gt 0 ]; then
  files=("$@")
else
  mapfile -t files < <(git ls-files '*.h' '*.cpp')
fi
clang-format --dry-run --Werror "${files[@]}"
echo "clang-format: ${#files[@]} files as formatted"
