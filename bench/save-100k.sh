#!/usr/bin/env bash
# Whole-run benchmark of "Save": two identical folders of 100,000 music-style
# files; each round saves every name changed in one folder and, in the same
# run, renames the same names with a bare renameat2(RENAME_NOREPLACE) loop in
# the other.
#   bench/save-100k.sh [BUILD_DIR] [WORK_FOLDER] [ROUNDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
work="${2:-/tmp/quillon-bench-save}"
rounds="${3:-4}"

cmake --build "$build" --target save_bench >/dev/null
# Saving changes the names, so both folders start fresh each run.
rm -rf "$work"
mkdir -p "$work"
python3 "$root/bench/make-folder.py" "$work/saved" 100000
python3 "$root/bench/make-folder.py" "$work/bare" 100000
sync

"$build/bench/save_bench" "$work/saved" "$work/bare" "$rounds"
rm -rf "$work"
