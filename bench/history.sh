#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What the user's history costs a save and an undo, side by side in one run:
# quillon-cli -r --apply and --undo -r over FOLDERS one-file folders, and a
# save of one file, each with an empty history and with one of ENTRIES
# entries of other folders, in turns, ROUNDS times. Prints the median times
# and their ratios, then saves -r over FOLDERS folders RUNS times more and
# prints the entries left against the history's bound.
#   bench/history.sh [BUILD_DIR] [WORK_FOLDER] [FOLDERS] [ENTRIES] [ROUNDS] [RUNS]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
work="${2:-/tmp/quillon-bench-history}"
folders="${3:-300}"
entries="${4:-3000}"
rounds="${5:-3}"
runs="${6:-4}"
bound=1000
cli="$build/cli/quillon-cli"

cmake --build "$build" --target quillon-cli >/dev/null
rm -rf "$work"
mkdir -p "$work/tree" "$work/one"
for ((i = 0; i < folders; i++)); do
    mkdir "$work/tree/$i"
    echo "$i" >"$work/tree/$i/file $i.txt"
done
echo one >"$work/one/single.txt"

# fill STATE_HOME COUNT: entries of other folders, older than any save here,
# as Quillon writes them.
fill() {
    python3 - "$1/quillon/history" "$2" <<'EOF'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
os.makedirs(folder, mode=0o700, exist_ok=True)
record = "#!/bin/sh\n# Quillon undo record 3\n" + "x" * 2000 + "\n"
for i in range(count):
    header = ("Quillon history entry 2\nfolder \"/elsewhere/%d\"\nfolder-identity 0 0 0\n"
              "time %d\nrenamed 1\nid \"bench-%d\"\nrecord %d\n"
              % (i, 1700000000000000000 + i, i, len(record)))
    name = "20231114T221320.%09dZ-0000000001-%010d-%016x.save" % (i, i, i)
    with open(os.path.join(folder, name), "w") as f:
        f.write(header + record)
EOF
}

now() { date +%s.%N; }
# run KIND: a save -r and its undo -r, then a save of one file; appends
# "save undo one" seconds to $work/KIND.
run() {
    local state="$work/state-$1"
    rm -rf "$state"
    mkdir -p "$state"
    if [[ "$1" == full ]]; then fill "$state" "$entries"; fi
    local env=(env XDG_STATE_HOME="$state")
    local a b c d
    a=$(now)
    "${env[@]}" "$cli" -r --apply --case upper "$work/tree" >/dev/null 2>&1
    b=$(now)
    "${env[@]}" "$cli" --undo -r "$work/tree" >/dev/null 2>&1
    c=$(now)
    "${env[@]}" "$cli" --apply --case upper "$work/one" >/dev/null 2>&1
    d=$(now)
    "${env[@]}" "$cli" --undo "$work/one" >/dev/null 2>&1
    [[ -e "$work/one/single.txt" && -e "$work/tree/0/file 0.txt" ]] ||
        { echo "the folders did not come back" >&2; exit 1; }
    awk -v a="$a" -v b="$b" -v c="$c" -v d="$d" 'BEGIN { print b - a, c - b, d - c }' >>"$work/$1"
}
for ((r = 0; r < rounds; r++)); do
    run empty
    run full
done

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
column_of() { awk -v c="$2" '{ print $c }' "$work/$1" | median; }
echo "history.sh: $folders one-file folders, history of $entries entries, median of $rounds"
printf '%-22s %12s %14s %8s\n' "run" "empty (s)" "$entries (s)" "ratio"
for col in 1 2 3; do
    name=("" "save -r" "undo -r" "save of one file")
    e=$(column_of empty "$col")
    f=$(column_of full "$col")
    awk -v n="${name[$col]}" -v e="$e" -v f="$f" \
        'BEGIN { printf "%-22s %12.3f %14.3f %7.2fx  (%+.0f ms)\n", n, e, f, f / e, (f - e) * 1000 }'
done

# The bound holds over runs that save more folders than it keeps.
state="$work/state-bound"
mkdir -p "$state"
fill "$state" "$entries"
for ((r = 0; r < runs; r++)); do
    env XDG_STATE_HOME="$state" "$cli" -r --apply --case upper "$work/tree" >/dev/null 2>&1
    env XDG_STATE_HOME="$state" "$cli" -r --apply --case lower "$work/tree" >/dev/null 2>&1
done
left=$(find "$state/quillon/history" -name '*.save' | wc -l)
echo "after $((2 * runs)) runs of -r over $folders folders: $left entries (bound $bound)"
((left <= bound)) || { echo "the history grew past its bound" >&2; exit 1; }
