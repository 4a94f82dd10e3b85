#!/usr/bin/env bash
# Sets everything up and runs every test in a sanitizer build (ASan + UBSan).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DKT_SANITIZE=ON -DKT_BUILD_BENCH=OFF
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-asan --output-on-failure -j2
