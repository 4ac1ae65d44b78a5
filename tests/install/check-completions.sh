#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every option that quillon-cli --help lists must be offered by each shell
# completion, so the completions cannot fall behind the options. Also checks
# the syntax of each file with the shells that are installed.
#   check-completions.sh QUILLON_CLI COMPLETIONS_DIR
set -euo pipefail
cli="$1"
dir="$2"
bash_file="$dir/quillon-cli.bash"
zsh_file="$dir/_quillon-cli"
fish_file="$dir/quillon-cli.fish"

mapfile -t options < <("$cli" --help | grep -oE '(^|[ ,(])--?[A-Za-z][A-Za-z-]*' |
    sed -E 's/^[ ,(]//' | sort -u)
if ((${#options[@]} < 10)); then
    echo "only ${#options[@]} options found in quillon-cli --help"
    exit 1
fi

# offers FILE PATTERN: PATTERN stands in FILE as a whole option.
offers() { grep -qE -- "(^|[^A-Za-z-])$2([^A-Za-z-]|\$)" "$1"; }

status=0
for option in "${options[@]}"; do
    if [[ $option == --* ]]; then fish="-l ${option#--}"; else fish="-s ${option#-}"; fi
    offers "$bash_file" "$option" || { echo "bash completion lacks $option"; status=1; }
    offers "$zsh_file" "$option" || { echo "zsh completion lacks $option"; status=1; }
    offers "$fish_file" "$fish" || { echo "fish completion lacks $option"; status=1; }
done

bash -n "$bash_file" || status=1
if command -v zsh >/dev/null; then zsh -n "$zsh_file" || status=1; fi
if command -v fish >/dev/null; then fish --no-execute "$fish_file" || status=1; fi
# The shells complete the names of saved presets, one with a blank among
# them, as a user at the prompt sees them.
presets=$(mktemp -d)
trap 'rm -rf "$presets"' EXIT
mkdir -p "$presets/config/quillon/presets" "$presets/functions"
touch "$presets/config/quillon/presets/Holiday photos.json" "$presets/config/quillon/presets/music.json"
# completes SHELL OUTPUT: OUTPUT offers both presets.
completes() {
    [[ $2 == *Holiday*photos* && $2 == *music* ]] || {
        echo "$1 completion of --preset offers no preset names: $2"
        status=1
    }
}
if command -v fish >/dev/null; then
    completes fish "$(XDG_CONFIG_HOME="$presets/config" fish -N -c \
        "source '$fish_file'; complete -C 'quillon-cli --preset '")"
fi
if command -v zsh >/dev/null; then
    cp "$zsh_file" "$presets/functions/"
    # An interactive zsh on a pseudo-terminal, with Tab pressed after --preset=.
    completes zsh "$(HOME="$presets" XDG_CONFIG_HOME="$presets/config" DIR="$presets/functions" \
        timeout 30 zsh -f -c '
        zmodload zsh/zpty
        zpty z env TERM=dumb zsh -f -i
        zpty -w z "PS1=\"> \"; fpath=($DIR \$fpath); autoload -Uz compinit; compinit -u -D; quillon-cli() { :; }"
        zpty -w -n z $'"'"'quillon-cli --preset=\t'"'"'
        out=
        for i in {1..100}; do
            if zpty -r -t z chunk; then out+=$chunk; else sleep 0.1; fi
            [[ $out == *music* ]] && break
        done
        zpty -d z
        print -r -- $out')"
fi

[[ $status -eq 0 ]] && echo "completions: ${#options[@]} options of --help in bash, zsh and fish"
exit $status
