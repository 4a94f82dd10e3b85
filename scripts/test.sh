#!/usr/bin/env bash
# Sets everything up and runs every test in a sanitizer build (ASan + UBSan, warnings as
# errors), after the format check and a short run of each fuzzer (KT_FUZZ_SECONDS,
# default 20; 0 skips them); then builds and checks the Linux packages, and cross-builds the
# core for Windows and runs its tests under Wine (KT_SKIP_WINDOWS=1 skips that, as does a
# machine that cannot install it).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/check-format.sh
bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DKT_SANITIZE=ON -DKT_BUILD_BENCH=ON \
  -DKT_WERROR=ON
fuzz_seconds=${KT_FUZZ_SECONDS:-20}
if [ "$fuzz_seconds" != 0 ]; then
  bash scripts/fuzz.sh "$fuzz_seconds"
fi
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-asan --output-on-failure -j2
bash scripts/package.sh
bash scripts/windows-cross.sh
