#!/usr/bin/env bash
# Sets everything up, builds the configurator and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh build -DCMAKE_BUILD_TYPE=Release -DKT_BUILD_TESTS=OFF -DKT_BUILD_BENCH=OFF
exec ./build/kt52903
