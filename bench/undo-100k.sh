#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# "Undo Last Save" against the save it takes back, side by side in one run:
# quillon-cli --apply on a folder of music-style names (every name changes),
# then quillon-cli --undo on the record it left; prints both times and the
# ratio undo/save. The folder must come back name for name.
#   bench/undo-100k.sh [BUILD_DIR] [WORK_FOLDER] [COUNT]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
work="${2:-/tmp/quillon-bench-undo}"
count="${3:-100000}"

cmake --build "$build" --target quillon-cli >/dev/null
rm -rf "$work"
mkdir -p "$work/folder"
python3 "$root/bench/make-folder.py" "$work/folder" "$count" 2>/dev/null
ls -A "$work/folder" | sort >"$work/before"
sync

now() { date +%s.%N; }
start=$(now)
"$build/cli/quillon-cli" --apply --case upper "$work/folder" >/dev/null
saved=$(now)
"$build/cli/quillon-cli" --undo "$work/folder" >/dev/null
undone=$(now)

ls -A "$work/folder" | sort >"$work/after"
cmp -s "$work/before" "$work/after" || { echo "the folder did not come back" >&2; exit 1; }
awk -v a="$start" -v b="$saved" -v c="$undone" -v n="$count" 'BEGIN {
    printf "%d files: save %.2f s, undo %.2f s, undo/save %.2f\n", n, b - a, c - b, (c - b) / (b - a)
}'
rm -rf "$work"
