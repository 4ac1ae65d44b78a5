#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a built .deb: lintian finds no error and no warning (pedantic tags
# included), its file list and dependencies, then installs it with apt-get,
# runs quillon-cli from the PATH and removes it again, leaving no file behind.
# Needs root (or sudo) and lintian.
#   check-package.sh PATH/quillon_VERSION_ARCH.deb
set -euo pipefail
deb="$(realpath "$1")"
sudo=()
if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
status=0

if ! command -v lintian >/dev/null; then
    echo "lintian is not installed"
    exit 1
fi
# Tags are judged below; a non-zero exit here means lintian itself failed.
findings="$(lintian --fail-on none --pedantic --display-info --display-experimental "$deb" 2>&1)" || {
    echo "$findings"
    echo "lintian failed"
    exit 1
}
# lintian warns when run as root; that line is no finding.
findings="$(grep -v 'running with root privileges' <<<"$findings" || true)"
if [[ -n "$findings" ]]; then echo "$findings"; fi
if grep -qE '^[EW]: ' <<<"$findings"; then
    echo "lintian reports errors or warnings"
    status=1
fi

contents="$(dpkg-deb --contents "$deb")"
for f in ./usr/bin/quillon ./usr/bin/quillon-cli ./usr/share/applications/org.quillon.Quillon.desktop \
    ./usr/share/metainfo/org.quillon.Quillon.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/org.quillon.Quillon.svg \
    ./usr/share/icons/hicolor/48x48/apps/org.quillon.Quillon.png \
    ./usr/share/man/man1/quillon-cli.1.gz ./usr/share/man/man1/quillon.1.gz \
    ./usr/share/doc/quillon/copyright ./usr/share/doc/quillon/changelog.gz \
    ./usr/share/bash-completion/completions/quillon-cli \
    ./usr/share/zsh/vendor-completions/_quillon-cli \
    ./usr/share/fish/vendor_completions.d/quillon-cli.fish; do
    if ! grep -q " $f\$" <<<"$contents"; then
        echo "package lacks $f"
        status=1
    fi
done
depends="$(dpkg-deb --field "$deb" Depends)"
for lib in libqt6widgets6 libicu72; do
    if ! grep -q "$lib" <<<"$depends"; then
        echo "Depends lacks $lib: $depends"
        status=1
    fi
done

if dpkg -s quillon >/dev/null 2>&1; then
    echo "quillon is already installed; not touching it"
    exit 1
fi
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "$deb" >/dev/null
mapfile -t files < <(dpkg -L quillon | while read -r f; do [[ -f "$f" ]] && echo "$f"; done)
(cd / && PATH=/usr/bin:$PATH quillon-cli --help >/dev/null) || {
    echo "quillon-cli --help failed from the PATH"
    status=1
}
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove --purge -y -qq quillon >/dev/null
for f in "${files[@]}"; do
    if [[ -e "$f" ]]; then
        echo "left behind: $f"
        status=1
    fi
done
[[ $status -eq 0 ]] && echo "package: lintian clean, ${#files[@]} files installed and removed cleanly; Depends: $depends"
exit $status
