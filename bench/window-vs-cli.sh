#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window's press and save against the command line's, side by side: in
# each round the window (window_bench press-save) loads a fresh folder of
# COUNT files, presses "OK" (song -> Tune) and saves, and quillon-cli
# --window-defaults does the same on a folder of the same names, the two in
# turns, each timed as a whole process. Prints each run, the medians and
# the ratio of each round.
#   bench/window-vs-cli.sh BUILD [COUNT] [ROUNDS]   (default: 100000 3)
# Environment: QUILLON_BENCH_WORK, where the folders are made (default: the
# build tree). Progress goes to stderr.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:?usage: bench/window-vs-cli.sh BUILD [COUNT] [ROUNDS]}"
count="${2:-100000}"
rounds="${3:-3}"
work="$(mktemp -d "${QUILLON_BENCH_WORK:-$build}/window-vs-cli.XXXXXX")"
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$work/runtime}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
# Saves go into a history of this run's own, never the user's.
export XDG_STATE_HOME="$work/state" XDG_CONFIG_HOME="$work/config"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
fresh() { # FOLDER
    rm -rf "$1"
    python3 "$root/bench/make-folder.py" "$1" "$count" 2>/dev/null
    sync
}
window() { # FOLDER
    QT_QPA_PLATFORM=offscreen "$build/bench/window_bench" "$1" 1200 press-save >"$work/window.out"
}
cli() { # FOLDER
    "$build/cli/quillon-cli" --window-defaults --replace song --with Tune --apply "$1" \
        >/dev/null 2>"$work/cli.err"
}
timed() { # NAME FOLDER: prints the whole run's milliseconds
    local start
    fresh "$2"
    start=$(now_ms)
    "$1" "$2"
    echo $(($(now_ms) - start))
}

windows=() clis=()
for ((round = 1; round <= rounds; round++)); do
    echo "round $round of $rounds" >&2
    # Which goes first alternates, so both meet the machine's moods alike.
    if ((round % 2)); then
        windows+=("$(timed window "$work/folder")")
        clis+=("$(timed cli "$work/folder")")
    else
        clis+=("$(timed cli "$work/folder")")
        windows+=("$(timed window "$work/folder")")
    fi
    echo "  window ${windows[-1]} ms, command line ${clis[-1]} ms" >&2
    grep -E '^(press|save)' "$work/window.out" | sed 's/^/    /' >&2
done
ratios=()
for ((i = 0; i < rounds; i++)); do
    ratios+=("$(awk -v w="${windows[i]}" -v c="${clis[i]}" 'BEGIN { printf "%.2f", w / c }')")
done
printf '%d files: window %d ms, command line %d ms (medians); by round %s: median %s\n' \
    "$count" "$(median "${windows[@]}")" "$(median "${clis[@]}")" "${ratios[*]}" \
    "$(median "${ratios[@]}")"
