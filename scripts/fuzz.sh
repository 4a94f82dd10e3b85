#!/usr/bin/env bash
# Builds the libFuzzer harnesses (build-fuzz, clang) and runs each for SECONDS (default 20)
# on a copy of its seed corpus; fails on the first crash, leak or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
dir=build-fuzz
gen=()
command -v ninja >/dev/null 2>&1 && gen=(-G Ninja)
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DKT_FUZZ=ON -DKT_BUILD_GUI=OFF -DKT_BUILD_TESTS=OFF \
    -DKT_BUILD_BENCH=OFF
fi
cmake --build "$dir" --target kt_fuzzers -j2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for seeds in tests/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  mkdir -p "$work/$name"
  cp -r "$seeds". "$work/$name/"
  echo "== $name: ${seconds}s"
  if ! (cd "$work" && UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "$OLDPWD/$dir/tests/fuzz/$name" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 "$work/$name" 2>"$work/$name.log"); then
    tail -n 60 "$work/$name.log"
    mkdir -p fuzz-findings
    cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* fuzz-findings/ 2>/dev/null || true
    echo "== $name FAILED (inputs kept in fuzz-findings/)"
    status=1
  else
    grep -E "stat::number_of_executed_units|cov:" "$work/$name.log" | tail -n 2
  fi
done
exit $status
