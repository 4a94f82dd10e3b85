#!/usr/bin/env bash
# The inner loop: builds build-asan and runs its tests, without installing packages, the
# format check or the fuzzers. Extra arguments go to ctest, e.g. -R ui.tst_frameLists.
# The full run before a merge is scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DKT_SANITIZE=ON -DKT_BUILD_BENCH=ON \
  -DKT_WERROR=ON
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j2 "$@"
