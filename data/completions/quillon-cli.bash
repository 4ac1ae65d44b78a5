# bash completion for quillon-cli                           -*- shell-script -*-

_quillon_cli() {
    local cur prev words cword
    _init_completion -s || return

    case $prev in
        --sort)
            COMPREPLY=($(compgen -W 'name date taken modified natural' -- "$cur"))
            return
            ;;
        --case)
            COMPREPLY=($(compgen -W 'smart first upper lower none' -- "$cur"))
            return
            ;;
        --scope | --case-scope)
            COMPREPLY=($(compgen -W 'names extensions both' -- "$cur"))
            return
            ;;
        --on-error)
            COMPREPLY=($(compgen -W 'skip abort' -- "$cur"))
            return
            ;;
        --smart)
            # A comma-separated list: complete the item after the last comma.
            local done="" item="$cur"
            if [[ $cur == *,* ]]; then
                done="${cur%,*},"
                item="${cur##*,}"
            fi
            COMPREPLY=($(compgen -P "$done" -W 'most-letters last-field small-words hyphen
                commas unknown-acronyms known-words' -- "$item"))
            compopt -o nospace
            return
            ;;
        --undo)
            _filedir -d
            return
            ;;
        --preset | --save-preset)
            # The names of the saved presets.
            local dir="${XDG_CONFIG_HOME:-$HOME/.config}/quillon/presets" names=() f
            for f in "$dir"/*.json; do
                [[ -f $f ]] && names+=("$(basename "$f" .json)")
            done
            local IFS=$'\n'
            COMPREPLY=($(compgen -W "${names[*]}" -- "$cur"))
            return
            ;;
        --files-from)
            _filedir
            return
            ;;
        --mask | --replace | --with | --delete | --insert | --read-timeout)
            return
            ;;
        -h | --help | -V | --version)
            return
            ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '--mask --sort --preset --save-preset --window-defaults --case --case-scope --smart
            --replace --with --regex --case-sensitive --scope --delete --insert --clean --char-to-spaces
            --no-char-to-spaces --delete-digits --delete-extra-spaces --no-delete-extra-spaces
            --no-update-case --no-cumulate --number-duplicates --ok --then --json --null --apply --no-undo-file
            --on-error --undo --yes --history --tags -h --help -V --version
            --files-from -0 --zero -r --recursive --hidden --include-folders
            --number-across --read-timeout' -- "$cur"))
        return
    fi
    # Folders are listed, files taken one by one; --undo takes folders only.
    if [[ " ${words[*]} " == *" --undo "* ]]; then
        _filedir -d
    else
        _filedir
    fi
} &&
    complete -F _quillon_cli quillon-cli

# ex: filetype=sh
