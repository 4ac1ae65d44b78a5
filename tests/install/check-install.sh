#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a build tree into a temporary prefix and checks what a desktop
# needs: the programs, the desktop entry, the icons, the metainfo, the
# manual pages, the copyright, the changelog and the shell completions, each
# valid.
#   check-install.sh BUILD_DIR WITH_GUI(ON|OFF)
set -euo pipefail
build="$1"
gui="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
id=org.quillon.Quillon
expected=(bin/quillon-cli libexec/quillon/quillon-reader share/man/man1/quillon-cli.1.gz share/doc/quillon-cli/copyright
    share/doc/quillon-cli/changelog.gz share/bash-completion/completions/quillon-cli
    share/zsh/vendor-completions/_quillon-cli share/fish/vendor_completions.d/quillon-cli.fish)
if [[ "$gui" == ON ]]; then
    expected+=(bin/quillon share/man/man1/quillon.1.gz "share/applications/$id.desktop"
        share/doc/quillon/copyright share/doc/quillon/changelog.gz
        "share/metainfo/$id.metainfo.xml" "share/icons/hicolor/scalable/apps/$id.svg"
        share/quillon/translations/quillon_de.qm share/kio/servicemenus/quillon.desktop
        share/nemo/actions/quillon.nemo_action)
    for size in 16 24 32 48 64 128 256; do
        expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
    done
fi
status=0
for f in "${expected[@]}"; do
    if [[ ! -f "$prefix/$f" ]]; then
        echo "missing: $f"
        status=1
    fi
done

if [[ "$gui" == ON ]]; then
    desktop-file-validate "$prefix/share/applications/$id.desktop" || status=1
    # The entry takes a selection and never claims folders: a desktop without
    # a file manager would open every folder in Quillon.
    expect_line() {
        grep -qx -- "$2" "$prefix/$1" || {
            echo "$1 lacks the line $2"
            status=1
        }
    }
    expect_line "share/applications/$id.desktop" 'Exec=quillon %F'
    if grep -q '^MimeType=' "$prefix/share/applications/$id.desktop"; then
        echo "the desktop entry declares MIME types"
        status=1
    fi
    expect_line share/kio/servicemenus/quillon.desktop 'Exec=quillon -- %F'
    expect_line share/kio/servicemenus/quillon.desktop 'MimeType=all/all;'
    expect_line share/nemo/actions/quillon.nemo_action 'Exec=quillon -- %F'
    expect_line share/nemo/actions/quillon.nemo_action 'Selection=notnone'
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null || {
        appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
        status=1
    }
fi
for f in "${expected[@]}"; do
    if [[ $f == *.gz && -f "$prefix/$f" ]]; then gzip -t "$prefix/$f" || status=1; fi
done
version="$("$prefix/bin/quillon-cli" --version)"
if [[ "$version" != "quillon-cli 0.1.0" ]]; then
    echo "installed quillon-cli --version printed: $version"
    status=1
fi
[[ $status -eq 0 ]] && echo "install layout: ${#expected[@]} files, validators pass"
exit $status
