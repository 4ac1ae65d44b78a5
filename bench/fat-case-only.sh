#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Case-only renames on a FUSE FAT image, side by side in one run:
# quillon-cli --apply --case upper on a folder of COUNT files, and on a fresh
# copy of the same image the same renames done the way a careful user would
# on a disk that ignores case, two plain `mv` calls each (to a temporary
# name, then to the new one). Prints both times and the ratio quillon/mv.
# Needs dosfstools, fusefat, /dev/fuse and the rights to mount. Files are
# made through fusefat, whose every create scans the whole folder: filling
# it takes longer than the renames at large counts.
#   bench/fat-case-only.sh [BUILD_DIR] [WORK_FOLDER] [COUNT]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
work="${2:-/tmp/quillon-bench-fat}"
count="${3:-10000}"
export PATH="$PATH:/usr/sbin:/sbin"

cmake --build "$build" --target quillon-cli >/dev/null
cleanup() {
    for m in "$work/quillon" "$work/mv"; do fusermount -u "$m" 2>/dev/null || true; done
    [[ -n "${KEEP:-}" ]] || rm -rf "$work"
}
trap cleanup EXIT
rm -rf "$work"
mkdir -p "$work/quillon" "$work/mv"

mount_image() { # IMAGE MOUNT_POINT
    fusefat -o rw+ "$1" "$2" >/dev/null 2>&1
}

# The files go into a subfolder: the root folder of FAT12/16 holds a fixed
# number of entries. Names begin with their number, so no two share the
# start of their short 8.3 name (fusefat searches long for a free one).
truncate -s "$((count / 64 + 40))M" "$work/quillon.img"
mkfs.vfat "$work/quillon.img" >/dev/null
mount_image "$work/quillon.img" "$work/quillon"
mkdir "$work/quillon/music"
(
    cd "$work/quillon/music"
    for ((i = 1; i <= count; i++)); do
        printf -v name '%05d track - artist.mp3' "$i"
        printf '%s' "$name" >"$name"
    done
)
ls -A "$work/quillon/music" | sort >"$work/before"
fusermount -u "$work/quillon"
cp "$work/quillon.img" "$work/mv.img"
mount_image "$work/quillon.img" "$work/quillon"
mount_image "$work/mv.img" "$work/mv"
sync

now() { date +%s.%N; }
start=$(now)
"$build/cli/quillon-cli" --apply --case upper "$work/quillon/music" >/dev/null 2>&1
quillon=$(now)
(
    cd "$work/mv/music"
    n=0
    while IFS= read -r name; do
        mv -- "$name" "_case $n.tmp"
        mv -- "_case $n.tmp" "${name^^}"
        n=$((n + 1))
    done <"$work/before"
)
moved=$(now)

for side in quillon mv; do
    ls -A "$work/$side/music" | grep -vx '_Quillon - Click me to UNDO.sh' | sort >"$work/after-$side"
done
tr '[:lower:]' '[:upper:]' <"$work/before" | sort >"$work/expected"
for side in quillon mv; do
    if [[ -n "$(comm -23 "$work/expected" "$work/after-$side")" ]]; then
        echo "$side did not land every name" >&2
        exit 1
    fi
    # fusefat itself leaves an odd stray entry after many renames in one
    # folder, plain mv included; named, not counted against either side.
    comm -13 "$work/expected" "$work/after-$side" | sed "s/^/$side: stray entry left by fusefat: /" >&2
done
awk -v a="$start" -v b="$quillon" -v c="$moved" -v n="$count" 'BEGIN {
    printf "%d case-only renames on FUSE FAT: quillon-cli %.2f s, two mv each %.2f s, quillon/mv %.2f\n",
        n, b - a, c - b, (b - a) / (c - b)
}'
