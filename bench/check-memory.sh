#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when the command line's dry run over a folder of 100,000 empty files
# peaks more than 10% above the figure in bench/memory-limits. Memory is
# counted, not timed, so one run is steady enough for a check.
#   bench/check-memory.sh QUILLON_CLI
# A change that needs more memory raises the figure, with the reason in its
# commit.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cli="${1:?usage: bench/check-memory.sh QUILLON_CLI}"
count=100000
limit="$(awk '$1 == "dry-run-100000" { print $2 }' "$root/bench/memory-limits")"
[[ "$limit" =~ ^[0-9]+$ ]] || { echo "bench/memory-limits names no dry-run-100000 figure" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 "$root/bench/make-folder.py" "$work/files" "$count" 2>/dev/null
# The press of bench/scale.sh: "Artist - Title.ext" to "Title - Artist.ext".
status=0
HOME="$work" XDG_STATE_HOME="$work/state" /usr/bin/time -f %M -o "$work/peak" "$cli" \
    --case none --no-update-case --no-char-to-spaces --no-delete-extra-spaces \
    --replace '/1/ - /2/' --with '/2/ - /1/' "$work/files" >/dev/null 2>"$work/err" || status=$?
if ((status != 0)); then
    cat "$work/err" >&2
    echo "the dry run over $count files failed with status $status" >&2
    exit 1
fi
peak="$(tail -1 "$work/peak")"
allowed=$((limit + limit / 10))
echo "dry run over $count files: peak $peak KiB; figure $limit KiB, allowed $allowed KiB"
if ((peak > allowed)); then
    echo "memory regression: the dry run over $count files peaked at $peak KiB," \
        "more than 10% over the $limit KiB of bench/memory-limits." >&2
    echo "Find what holds the memory (heaptrack on the same run), or raise the figure" \
        "with the reason in the commit." >&2
    exit 1
fi
