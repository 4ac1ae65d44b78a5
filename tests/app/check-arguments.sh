#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The options quillon answers on the command line, without a display.
#   check-arguments.sh QUILLON VERSION
set -euo pipefail
quillon="$1"
version="$2"
status=0

# expect EXIT PATTERN ARGS...: runs quillon without any display and with the
# variables in environment, and checks its exit status and that its output
# (standard output and error) matches PATTERN.
expect() {
    local want="$1" pattern="$2"
    shift 2
    local out code=0
    out="$(env -u DISPLAY -u WAYLAND_DISPLAY -u LC_ALL -u LANGUAGE QT_QPA_PLATFORM= LANG=C.UTF-8 \
        "${environment[@]}" "$quillon" "$@" 2>&1)" ||
        code=$?
    if [[ "$code" != "$want" ]] || ! grep -qE -- "$pattern" <<<"$out"; then
        echo "quillon $*: exit $code (want $want), output:"
        echo "$out"
        echo "(wanted /$pattern/)"
        status=1
    fi
}

# A version that cannot be written is no success.
for option in -V --help; do
    if env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$quillon" "$option" >/dev/full 2>/dev/null; then
        echo "quillon $option >/dev/full: exit 0"
        status=1
    fi
done

environment=()
expect 0 '^Usage: quillon \[OPTION\] \[FOLDER \| FILE\.\.\.\]' --help
expect 0 '^Usage: quillon' -h
expect 0 "^quillon $version\$" --version
expect 0 "^quillon $version\$" -v
expect 0 "^quillon $version\$" -V
# Short options bundle; the first letter decides.
expect 0 '^Usage: quillon' -hV
expect 0 "^quillon $version\$" -Vh
# The options count anywhere before "--", also after a folder.
expect 0 '^Usage: quillon' /tmp --help
# The user's language.
environment=(LANG=de_DE.UTF-8)
expect 0 '^Aufruf: quillon' --help
environment=(LANGUAGE=de)
expect 0 '^Aufruf: quillon' --help
# English first among the user's languages keeps the texts as written.
environment=(LANG=de_DE.UTF-8 LANGUAGE=en:de)
expect 0 '^Usage: quillon' --help
# What is not an option of Quillon or of Qt is refused before a window opens.
environment=(QT_QPA_PLATFORM=offscreen)
expect 1 'unknown option: --no-such-option' --no-such-option
# Without any display no option aborts: it is named instead.
environment=()
expect 1 'unknown option: --no-such-option' --no-such-option
expect 1 'unknown option: -x' -x /tmp
# --reset-settings forgets the window's place, without a display.
config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT
mkdir -p "$config/quillon"
printf '[window]\nsize=@Size(900 600)\n' >"$config/quillon/quillon.conf"
environment=(XDG_CONFIG_HOME="$config")
expect 0 '^$' --reset-settings
if grep -q size "$config/quillon/quillon.conf" 2>/dev/null; then
    echo "quillon --reset-settings kept the window's size"
    status=1
fi
exit $status
