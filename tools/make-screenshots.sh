#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the screenshots in docs/ from a build tree, offscreen: light, dark,
# at scale 2 and in German.
#   tools/make-screenshots.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
tool="${1:-$root/build}/tools/quillon_screenshot"
# The folder tree shows the sample folder's neighbours: give it a quiet place.
quiet="$(mktemp -d /var/tmp/q.XXXXXX)"
trap 'rm -rf "$quiet"' EXIT

shoot() {
    local out="$1"
    shift
    TMPDIR="$quiet" QT_QPA_PLATFORM=offscreen "$tool" "$@" "$root/docs/$out"
    echo "docs/$out"
}
shoot screenshot-light.png
shoot screenshot-dark.png --dark
shoot screenshot-scale2.png --scale 2
shoot screenshot-de.png --locale de
