#!/usr/bin/env bash
# Builds the libFuzzer harnesses (build-fuzz, clang) and runs each on a copy of its seed
# corpus, in RAM (/dev/shm) where there is one; fails on the first crash, leak or sanitizer
# report.
#   scripts/fuzz.sh [SECONDS]        each harness for SECONDS (default 20), as CI runs it
#   scripts/fuzz.sh --long [RUNS]    each harness to RUNS executions (default 10 million), at
#                                    the lowest priority; takes hours
# Besides the corpus in tests/fuzz/corpus the seeds hold real-sized inputs: the shipped
# language files and a DBC of about 1 MB (tests/fuzz/large_dbc.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
limit=(-max_total_time="${1:-20}")
what="${1:-20}s"
timeout=10
if [ "${1:-}" = --long ]; then
  # At the lowest priority a busy machine can hold a run up for seconds: a longer time-out.
  limit=(-runs="${2:-10000000}")
  timeout=60
  what="${2:-10000000} runs"
  renice -n 19 $$ >/dev/null
fi
dir=build-fuzz
gen=()
command -v ninja >/dev/null 2>&1 && gen=(-G Ninja)
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S . -B "$dir" "${gen[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DKT_FUZZ=ON -DKT_BUILD_GUI=OFF -DKT_BUILD_TESTS=OFF \
    -DKT_BUILD_BENCH=OFF
fi
cmake --build "$dir" --target kt_fuzzers -j2

ram=/dev/shm
[ -d "$ram" ] && [ -w "$ram" ] || ram=${TMPDIR:-/tmp}
work=$(mktemp -d "$ram/kt-fuzz-run-XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0
for seeds in tests/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  mkdir -p "$work/$name"
  cp -r "$seeds". "$work/$name/"
  case $name in
    fuzz_lang_file) cp src/lang/shipped/*.lng "$work/$name/" ;;
    fuzz_dbc) bash tests/fuzz/large_dbc.sh >"$work/$name/large.dbc" ;;
  esac
  echo "== $name: $what"
  start=$SECONDS
  # Inputs as long as the largest seed (at least 4096 bytes), so real-sized ones grow too.
  largest=$(find "$work/$name" -type f -printf '%s\n' | sort -n | tail -n 1)
  if ! (cd "$work" && TMPDIR="$ram" UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "$OLDPWD/$dir/tests/fuzz/$name" "${limit[@]}" -timeout=$timeout -rss_limit_mb=2048 \
        -max_len=$((largest > 4096 ? largest : 4096)) \
        -print_final_stats=1 "$work/$name" 2>"$work/$name.log"); then
    tail -n 60 "$work/$name.log"
    mkdir -p fuzz-findings
    cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* fuzz-findings/ 2>/dev/null || true
    echo "== $name FAILED (inputs kept in fuzz-findings/)"
    status=1
  else
    grep -E "stat::number_of_executed_units|cov:" "$work/$name.log" | tail -n 2
    echo "   $((SECONDS - start)) s"
  fi
done
exit $status
