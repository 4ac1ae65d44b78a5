#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reading fields from inside files, side by side with the least the same job
# can cost: a folder of small MP3 files with ID3v2 tags and a phone's folder
# of small JPEG files with Exif dates and small MP4 clips, each pressed with tokens (the first press reads every
# file, the second finds them in the cache) against a bare loop that opens
# each file and reads its first 64 KiB on as many threads. The first press
# runs twice: with the files parsed by the reader processes, as the programs
# do, and parsed in the calling process, which shows what the processes
# cost. Every run reads from a warm page cache. Prints one Markdown table.
#   bench/tags.sh [MP3_COUNT [PHOTO_COUNT [CLIP_COUNT]]]   (default: 100000 20000 2000)
# Environment: QUILLON_BENCH_BUILD, the Release build tree (default
# build-bench); QUILLON_BENCH_WORK, where the folders are made (default: the
# build tree); QUILLON_BENCH_RUNS, runs per figure (default 3, the median is
# shown). Progress goes to stderr.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILLON_BENCH_BUILD:-$root/build-bench}"
mp3_count="${1:-100000}"
photo_count="${2:-20000}"
clip_count="${3:-2000}"
runs="${QUILLON_BENCH_RUNS:-3}"
for n in "$mp3_count" "$photo_count" "$clip_count" "$runs"; do
    [[ "$n" =~ ^[1-9][0-9]*$ ]] || {
        echo "usage: bench/tags.sh [MP3_COUNT [PHOTO_COUNT [CLIP_COUNT]]]" >&2
        exit 2
    }
done
say() { printf '%s\n' "$*" >&2; }

if [[ ! -f "$build/CMakeCache.txt" ]]; then
    generator=()
    command -v ninja >/dev/null && generator=(-G Ninja)
    cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
        -DQUILLON_TESTS=OFF -DQUILLON_BENCH=ON -DCMAKE_CXX_FLAGS=-Wno-restrict >/dev/null
fi
say "building tag_bench in $build"
cmake --build "$build" --target tag_bench >/dev/null
bench="$build/bench/tag_bench"

work="$(mktemp -d "${QUILLON_BENCH_WORK:-$build}/tags.XXXXXX")"
trap 'say "cleaning up $work"; rm -rf "$work"' EXIT

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
field() { awk -F': *' -v key="$1" 'index($0, key) == 1 { print $2 + 0; exit }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f / %.0f = **%.2f**", a, b, a / b }'; }

rows=()
measure() { # LABEL KIND COUNT WITH MAKE_ARGS...
    local folder="$work/$2" bare=() first=() inprocess=() second=() out
    mkdir -p "$folder"
    say "making $3 $2 files"
    "$bench" "make-$2" "$folder" "${@:5}"
    sync
    "$bench" bare "$folder" >/dev/null # warms the page cache
    for ((i = 0; i < runs; i++)); do
        say "  $2 run $((i + 1)) of $runs"
        bare+=("$("$bench" bare "$folder" | field "bare loop")")
        inprocess+=("$("$bench" press "$folder" "$4" in-process | field "first press")")
        out="$("$bench" press "$folder" "$4")"
        first+=("$(field "first press" <<<"$out")")
        second+=("$(field "second press" <<<"$out")")
    done
    local reread cache
    reread="$(sed -n 's/^files read: [0-9]* then //p' <<<"$out")"
    cache="$(field "cache" <<<"$out")"
    local readers
    readers="$(median "${first[@]}")"
    rows+=("| $1 | $3 | $(ratio "$readers" "$(median "${bare[@]}")") | $(ratio "$readers" "$(median "${inprocess[@]}")") | $(median "${second[@]}") | $reread | $cache |")
}

measure "MP3, \`<artist> - <title>\`" mp3 "$mp3_count" '<artist> - <title>' "$mp3_count"
measure "Camera: $photo_count JPEG and $clip_count MP4, \`<taken:yyyy-MM-dd HH.mm.ss>\`" camera \
    "$((photo_count + clip_count))" '<taken:yyyy-MM-dd HH.mm.ss>' "$photo_count" "$clip_count"

echo "Threads: $(nproc) cores; medians of $runs runs, in ms."
echo
echo "| Folder and With text | Files | First press / bare loop | First press / in-process | Second press | Files the second press read | Cache bytes per file |"
echo "|---|---|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
