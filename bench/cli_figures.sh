#!/usr/bin/env bash
# Start-up and hand-over figures of kt52903-cli, one line a build folder, measured side by side
# in one run so that the machine's load hits every build alike:
#   bash bench/cli_figures.sh [runs] <build folder>...
# Each build folder holds kt52903-cli (and kt52903-report beside it when the build has one).
# Printed a build: the shared libraries the CLI loads (ldd) and how many are Qt's; the median
# wall time of `image` on a full Project over that of `true` (hyperfine, no shell); the median
# CPU seconds (user + system, the report program included) of `handover` on that Project.
# Use Release builds; hyperfine: apt-get install -y hyperfine.
set -euo pipefail
runs=20
if [[ ${1:-} =~ ^[0-9]+$ ]]; then
  runs=$1
  shift
fi
[ $# -ge 1 ] || { echo "usage: $0 [runs] <build folder>..." >&2; exit 2; }
command -v hyperfine > /dev/null || { echo "hyperfine is not installed" >&2; exit 2; }
builds=()
for b in "$@"; do
  [ -x "$b/kt52903-cli" ] || { echo "$b/kt52903-cli not found" >&2; exit 2; }
  builds+=("$(cd "$b" && pwd)")
done
# In RAM where there is one: the image is written with fsync, and the disk's flush would
# stand for the CLI's own time.
tmp=$(mktemp -d -p "$([ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")")
trap 'rm -rf "$tmp"' EXIT

# 30 receive and 30 transmit frames of 4 bytes, one module per frame.
# shellcheck source=/dev/null
source "$(dirname "$0")/../tests/cli/lib/full_project.sh"
p="$tmp/Line 4"
full_project "$p"

# Wall time: `true` and every build's `image` in one hyperfine run.
cmds=(true)
for b in "${builds[@]}"; do cmds+=("$b/kt52903-cli image '$p' -o $tmp/x.bin"); done
hyperfine -N --warmup 3 --runs "$((runs * 5))" --export-json "$tmp/wall.json" "${cmds[@]}" > /dev/null

# CPU seconds of the hand-over, children included, runs of the builds interleaved.
python3 - "$runs" "$p" "$tmp" "${builds[@]}" > "$tmp/cpu.txt" << 'EOF'
import os, resource, statistics, subprocess, sys
runs, project, tmp, builds = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4:]
times = {b: [] for b in builds}
for r in range(runs + 1):
    for b in builds:
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        subprocess.run([b + "/kt52903-cli", "handover", project, "-o", tmp + "/pack",
                        "--date", "2026-12-10 10:30"], check=True, stdout=subprocess.DEVNULL)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        if r > 0:  # the first round warms the caches
            times[b].append(after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime)
for b in builds:
    print(b, "%.3f" % statistics.median(times[b]))
EOF

python3 - "$tmp/wall.json" "$tmp/cpu.txt" "${builds[@]}" << 'EOF'
import json, subprocess, sys
wall = [r["median"] for r in json.load(open(sys.argv[1]))["results"]]
cpu = dict(line.split() for line in open(sys.argv[2]))
print("%-40s %5s %5s %9s %11s %12s" % ("build", "libs", "Qt", "image ms", "image/true", "handover s"))
print("%-40s %5s %5s %9.2f %11s %12s" % ("(true)", "", "", wall[0] * 1000, "1.00", ""))
for i, b in enumerate(sys.argv[3:]):
    ldd = subprocess.run(["ldd", b + "/kt52903-cli"], capture_output=True, text=True).stdout
    libs = [l for l in ldd.splitlines() if "/" in l]
    qt = [l for l in libs if "libQt6" in l]
    print("%-40s %5d %5d %9.2f %11.2f %12s" % (b[-40:], len(libs), len(qt), wall[i + 1] * 1000,
                                               wall[i + 1] / wall[0], cpu[b]))
EOF
