#!/usr/bin/env bash
# The inner loop: builds build-asan and runs its tests, without installing packages, the
# format check or the fuzzers. Extra arguments go to ctest; with -R REGEX only the programs
# those tests run are built, plus the shipped languages and the small helper programs tests
# start (-R ui.tst_frameLists builds tst_frameLists). The full run before a merge is
# scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-asan
opts=(-DCMAKE_BUILD_TYPE=Debug -DKT_SANITIZE=ON -DKT_BUILD_BENCH=ON -DKT_WERROR=ON)

regex=""
args=("$@")
for ((i = 0; i < ${#args[@]}; i++)); do
  case ${args[i]} in
    -R | --tests-regex) regex=${args[i + 1]:-} ;;
    -R?*) regex=${args[i]#-R} ;;
    --tests-regex=*) regex=${args[i]#--tests-regex=} ;;
  esac
done

if [ -z "$regex" ] || [ ! -f "$dir/CMakeCache.txt" ]; then
  bash scripts/build.sh "$dir" "${opts[@]}"
else
  cmake -S . -B "$dir" "${opts[@]}" > /dev/null
  # The programs the chosen tests run: every argument of their commands that lies in the
  # build folder names a target (kt_core_tests, tst_frameLists, kt52903-cli, ...).
  mapfile -t targets < <(ctest --test-dir "$dir" -N -R "$regex" --show-only=json-v1 |
    python3 -c '
import json, os, sys
build = os.path.realpath(sys.argv[1])
names = set()
tests = json.load(sys.stdin).get("tests", [])
if not tests:
    print("@unknown")
for test in tests:
    for arg in test.get("command", []):
        path = os.path.realpath(arg)
        if path.startswith(build + os.sep):
            names.add(os.path.basename(path))
if names:
    print("\n".join(sorted(names)))' "$dir")
  if [ "${targets[*]}" = "@unknown" ]; then
    # No test known by that name yet (a new GoogleTest case is listed only once its program
    # is rebuilt): build everything.
    cmake --build "$dir" -j2
  elif [ ${#targets[@]} -gt 0 ]; then
    # The shipped languages and Qt's translations beside the programs, which window and CLI
    # tests read (the second only where Qt's translations were found).
    targets+=(kt_languages)
    known=$(cmake --build "$dir" --target help 2> /dev/null || true)
    [[ $known == *kt_qt_translations:* ]] && targets+=(kt_qt_translations)
    for helper in tests/helpers/*.cpp; do
      [ -e "$helper" ] && targets+=("$(basename "${helper%.cpp}")")
    done
    echo "quick-test: building ${targets[*]}"
    cmake --build "$dir" -j2 --target "${targets[@]}"
  fi
fi
QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j2 "$@"
