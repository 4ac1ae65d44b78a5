#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a translation lacks a text of the sources or leaves one
# unfinished: brings a copy of each .ts file up to date with the sources, as
# update_translations would, and compiles it.
#   check-translations.sh LUPDATE LRELEASE SOURCE_ROOT TS_FILE... -- SOURCE...
set -euo pipefail
lupdate="$1"
lrelease="$2"
root="$3"
shift 3
ts_files=()
while [[ $# -gt 0 && "$1" != "--" ]]; do
    ts_files+=("$1")
    shift
done
shift
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

status=0
for ts in "${ts_files[@]}"; do
    copy="$work/$(basename "$ts")"
    cp "$ts" "$copy"
    "$lupdate" -silent -no-obsolete -locations none -I "$root" "$@" -ts "$copy"
    report="$("$lrelease" "$copy" -qm "$work/out.qm" 2>&1)"
    echo "$(basename "$ts"): $report"
    if ! grep -q ' 0 unfinished' <<<"$report" || grep -q 'untranslated' <<<"$report"; then
        echo "$(basename "$ts"): texts without a finished translation:"
        awk '/<source>/ { text = ""; inside = 1 }
             inside { text = text $0 "\n" }
             /<\/source>/ { inside = 0 }
             /<translation type="unfinished"|<translation><\/translation>/ { printf "%s", text }' \
            "$copy"
        status=1
    fi
done
exit $status
