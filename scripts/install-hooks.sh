#!/usr/bin/env bash
# Uses the project's git hooks (scripts/hooks: the format check before each commit) and lets
# `git blame` skip the commits listed in .git-blame-ignore-revs. Run once per clone.
set -euo pipefail
cd "$(dirname "$0")/.."
git config core.hooksPath scripts/hooks
git config blame.ignoreRevsFile .git-blame-ignore-revs
echo "hooks: scripts/hooks; blame skips .git-blame-ignore-revs"
