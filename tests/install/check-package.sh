#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the two built .debs: lintian finds no error and no warning in either
# (pedantic tags included), their file lists and dependencies (the command
# line's without Qt), then installs the command line alone and runs it,
# installs the window beside it, and removes both, leaving no file behind.
# Needs root (or sudo) and lintian.
#   check-package.sh PATH/quillon-cli_VERSION_ARCH.deb PATH/quillon_VERSION_ARCH.deb
set -euo pipefail
cli_deb="$(realpath "$1")"
gui_deb="$(realpath "$2")"
sudo=()
if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
status=0

if ! command -v lintian >/dev/null; then
    echo "lintian is not installed"
    exit 1
fi
for deb in "$cli_deb" "$gui_deb"; do
    # Tags are judged below; a non-zero exit here means lintian itself failed.
    findings="$(lintian --fail-on none --pedantic --display-info --display-experimental "$deb" 2>&1)" || {
        echo "$findings"
        echo "lintian failed on $deb"
        exit 1
    }
    # lintian warns when run as root; that line is no finding.
    findings="$(grep -v 'running with root privileges' <<<"$findings" || true)"
    if [[ -n "$findings" ]]; then echo "$findings"; fi
    if grep -qE '^[EW]: ' <<<"$findings"; then
        echo "lintian reports errors or warnings on $deb"
        status=1
    fi
done

# holds DEB FILE...: the package holds each file.
holds() {
    local deb="$1" contents
    shift
    contents="$(dpkg-deb --contents "$deb")"
    for f in "$@"; do
        if ! grep -q " $f\$" <<<"$contents"; then
            echo "$(basename "$deb") lacks $f"
            status=1
        fi
    done
}
holds "$cli_deb" ./usr/bin/quillon-cli ./usr/libexec/quillon/quillon-reader \
    ./usr/share/man/man1/quillon-cli.1.gz \
    ./usr/share/doc/quillon-cli/copyright ./usr/share/doc/quillon-cli/changelog.gz \
    ./usr/share/bash-completion/completions/quillon-cli \
    ./usr/share/zsh/vendor-completions/_quillon-cli \
    ./usr/share/fish/vendor_completions.d/quillon-cli.fish
holds "$gui_deb" ./usr/bin/quillon ./usr/share/applications/org.quillon.Quillon.desktop \
    ./usr/share/metainfo/org.quillon.Quillon.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.quillon.Quillon.svg \
    ./usr/share/icons/hicolor/48x48/apps/org.quillon.Quillon.png \
    ./usr/share/man/man1/quillon.1.gz ./usr/share/kio/servicemenus/quillon.desktop \
    ./usr/share/nemo/actions/quillon.nemo_action \
    ./usr/share/doc/quillon/copyright ./usr/share/doc/quillon/changelog.gz
if dpkg-deb --contents "$gui_deb" | grep -q 'quillon-cli'; then
    echo "the window's package holds files of the command line's"
    status=1
fi

cli_depends="$(dpkg-deb --field "$cli_deb" Depends)"
gui_depends="$(dpkg-deb --field "$gui_deb" Depends)"
gui_recommends="$(dpkg-deb --field "$gui_deb" Recommends)"
if ! grep -q libicu72 <<<"$cli_depends" || grep -q libqt6 <<<"$cli_depends"; then
    echo "quillon-cli's Depends want ICU and no Qt: $cli_depends"
    status=1
fi
for wanted in libqt6widgets6 "quillon-cli (= "; do
    if ! grep -qF "$wanted" <<<"$gui_depends"; then
        echo "quillon's Depends lack $wanted: $gui_depends"
        status=1
    fi
done
for wanted in qt6-translations-l10n qt6-wayland; do
    if ! grep -qF "$wanted" <<<"$gui_recommends"; then
        echo "quillon's Recommends lack $wanted: $gui_recommends"
        status=1
    fi
done

for package in quillon quillon-cli; do
    if dpkg -s "$package" >/dev/null 2>&1; then
        echo "$package is already installed; not touching it"
        exit 1
    fi
done
# listed PACKAGE: the regular files the package installed.
listed() { dpkg -L "$1" | while read -r f; do [[ -f "$f" ]] && echo "$f"; done; }
install_debs() { DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }

install_debs "$cli_deb"
(cd / && PATH=/usr/bin:$PATH quillon-cli --version >/dev/null) || {
    echo "quillon-cli --version failed from the PATH"
    status=1
}
# The installed command line finds its reader process: fields are read.
sample="$(mktemp -d)"
printf 'plain text\n' >"$sample/note.txt"
tags_err="$(cd / && PATH=/usr/bin:$PATH quillon-cli --tags "$sample" 2>&1 >/dev/null)"
rm -rf "$sample"
if [[ -n "$tags_err" ]]; then
    echo "quillon-cli --tags from the package: $tags_err"
    status=1
fi
install_debs "$gui_deb"
mapfile -t files < <(listed quillon-cli; listed quillon)
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove --purge -y -qq quillon quillon-cli >/dev/null
for f in "${files[@]}"; do
    if [[ -e "$f" ]]; then
        echo "left behind: $f"
        status=1
    fi
done
[[ $status -eq 0 ]] &&
    echo "packages: lintian clean, ${#files[@]} files installed and removed cleanly;" \
        "quillon-cli Depends: $cli_depends; quillon Depends: $gui_depends"
exit $status
