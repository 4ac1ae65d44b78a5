#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The save with the user's history against the save without it, and "Undo
# Last Save" against the save it takes back, side by side in one run:
# quillon-cli --apply on a folder of music-style names (every name changes),
# then quillon-cli --undo, in turns with and without a history, ROUNDS times.
# Prints the median times and the ratios; the folder must come back name for
# name every time.
#   bench/undo-100k.sh [BUILD_DIR] [WORK_FOLDER] [COUNT] [ROUNDS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
work="${2:-/tmp/quillon-bench-undo}"
count="${3:-100000}"
rounds="${4:-3}"

cmake --build "$build" --target quillon-cli >/dev/null
rm -rf "$work"
mkdir -p "$work/folder" "$work/state"
python3 "$root/bench/make-folder.py" "$work/folder" "$count" 2>/dev/null
ls -A "$work/folder" | sort >"$work/before"
sync

now() { date +%s.%N; }
# run WITH_HISTORY: one save and its undo; appends "save undo" seconds.
run() {
    local env=(env HOME= XDG_STATE_HOME=)
    if [[ "$1" == with ]]; then env=(env XDG_STATE_HOME="$work/state"); fi
    local a b c
    a=$(now)
    "${env[@]}" "$build/cli/quillon-cli" --apply --case upper "$work/folder" >/dev/null
    b=$(now)
    "${env[@]}" "$build/cli/quillon-cli" --undo "$work/folder" >/dev/null
    c=$(now)
    ls -A "$work/folder" | sort >"$work/after"
    cmp -s "$work/before" "$work/after" || { echo "the folder did not come back" >&2; exit 1; }
    awk -v a="$a" -v b="$b" -v c="$c" 'BEGIN { print b - a, c - b }' >>"$work/$1"
}
for ((r = 0; r < rounds; r++)); do
    run without
    run with
done
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
sw=$(cut -d' ' -f1 "$work/with" | median)
uw=$(cut -d' ' -f2 "$work/with" | median)
so=$(cut -d' ' -f1 "$work/without" | median)
uo=$(cut -d' ' -f2 "$work/without" | median)
awk -v n="$count" -v r="$rounds" -v sw="$sw" -v uw="$uw" -v so="$so" -v uo="$uo" 'BEGIN {
    printf "%d files, median of %d rounds in turns\n", n, r
    printf "                 save      undo   undo/save\n"
    printf "no history    %6.2f s  %6.2f s     %.2f\n", so, uo, uo / so
    printf "history       %6.2f s  %6.2f s     %.2f\n", sw, uw, uw / sw
    printf "save with history / save without: %.3f\n", sw / so
}'
rm -rf "$work"
