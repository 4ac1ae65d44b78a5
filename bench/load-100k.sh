#!/usr/bin/env bash
# Whole-run benchmark: creates a folder of 100,000 files, times the workspace
# load against a bare readdir + fstatat loop in the same run, and measures the
# peak memory of the window holding that folder.
#   bench/load-100k.sh [BUILD_DIR] [FOLDER]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
folder="${2:-/tmp/quillon-bench-100k}"

if [[ ! -d "$folder" ]] || (($(ls -U "$folder" | wc -l) < 100000)); then
    rm -rf "$folder"
    python3 "$root/bench/make-folder.py" "$folder" 100000
fi
cmake --build "$build" --target load_bench quillon >/dev/null

echo "== load, case mode None"
"$build/bench/load_bench" "$folder" 9 none
echo "== load, case mode Smart (the window's default)"
"$build/bench/load_bench" "$folder" 9 smart

echo "== window holding the folder (offscreen, 8 s)"
QT_QPA_PLATFORM=offscreen /usr/bin/time -f "peak memory: %M KiB" \
    timeout --preserve-status -s TERM 8 "$build/app/quillon" "$folder" 2>&1 | grep -E "^peak" || true
