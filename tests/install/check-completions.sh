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
[[ $status -eq 0 ]] && echo "completions: ${#options[@]} options of --help in bash, zsh and fish"
exit $status
