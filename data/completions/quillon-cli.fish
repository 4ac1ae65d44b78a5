# fish completion for quillon-cli

# PATHs are folders or files; fish offers both by default.

complete -c quillon-cli -s h -l help -d 'Print the options and exit'
complete -c quillon-cli -s V -l version -d 'Print the version and exit'
complete -c quillon-cli -l undo -d 'Rename the files of the last save in FOLDER back'
complete -c quillon-cli -l yes -d 'With --undo, take back an undo file your history does not hold'
complete -c quillon-cli -l history -d 'List the saves of the history, of FOLDER only if given'

complete -c quillon-cli -l files-from -r -F -d 'Read further paths from FILE (- for standard input)'
complete -c quillon-cli -s 0 -l zero -d 'The list of --files-from is NUL-separated'
complete -c quillon-cli -s r -l recursive -d 'Every subfolder of a folder too'
complete -c quillon-cli -l hidden -d 'With -r, enter hidden folders too'
complete -c quillon-cli -l include-folders -d 'List and rename subfolders too, deepest first'
complete -c quillon-cli -l number-across -d 'One run of numbers over all folders'

complete -c quillon-cli -l mask -x -d 'Wildcard mask, ";" separates patterns'
complete -c quillon-cli -l sort -x -a 'name date taken modified natural' -d 'Sort order of the folder list'
# The names of the saved presets; string replace, as fish 3.6 (Debian 12) has
# no "path basename".
function __quillon_cli_presets
    set -l base ~/.config
    set -q XDG_CONFIG_HOME; and set base $XDG_CONFIG_HOME
    for file in $base/quillon/presets/*.json
        string replace -r '^.*/' '' -- $file | string replace -r '\.json$' ''
    end
end
complete -c quillon-cli -l preset -x -a '(__quillon_cli_presets)' -d 'Start from a saved preset'
complete -c quillon-cli -l save-preset -x -d 'Save the options given as a preset'
complete -c quillon-cli -l window-defaults -d "Start from the window's settings"
complete -c quillon-cli -l case -x -a 'smart first upper lower none' -d 'Case mode'
complete -c quillon-cli -l case-scope -x -a 'names extensions both' -d 'Part of each name the case mode changes'
complete -c quillon-cli -l smart -x -d 'Smart case options that are on, comma-separated' \
    -a '(string replace -r "[^,]*\$" "" -- (commandline -ct))(printf "%s\n" most-letters last-field small-words hyphen commas unknown-acronyms known-words)'

complete -c quillon-cli -l replace -x -d 'The "Replace:" box'
complete -c quillon-cli -l with -x -d 'The "With:" box'
complete -c quillon-cli -l regex -d '--replace is an ICU regular expression'
complete -c quillon-cli -l case-sensitive -d 'Search with regard to letter case'
complete -c quillon-cli -l scope -x -a 'names extensions both' -d 'Part of each name a press works on'
complete -c quillon-cli -l delete -x -d 'Delete LENGTH characters at POS (POS:LENGTH)'
complete -c quillon-cli -l insert -x -d 'Insert TEXT at POS (POS:TEXT)'
complete -c quillon-cli -l clean -d 'Turn "%20" and "_" into spaces and delete extra spaces'
complete -c quillon-cli -l char-to-spaces -d 'Turn "%20" and "_" into spaces'
complete -c quillon-cli -l no-char-to-spaces -d 'Keep "%20" and "_"'
complete -c quillon-cli -l delete-digits -d 'Delete every digit'
complete -c quillon-cli -l delete-extra-spaces -d 'Delete repeated and surrounding spaces'
complete -c quillon-cli -l no-delete-extra-spaces -d 'Keep repeated and surrounding spaces'
complete -c quillon-cli -l no-update-case -d 'Do not apply the case mode after a press'
complete -c quillon-cli -l no-cumulate -d 'Start from the names on disk'
complete -c quillon-cli -l number-duplicates -d 'Number names that would be equal'
complete -c quillon-cli -l ok -d 'Press "OK" with the default settings'
complete -c quillon-cli -l then -d 'End this press and start another'

complete -c quillon-cli -l json -d 'Print the dry run or the result as JSON'
complete -c quillon-cli -l null -d 'Separate the printed names by NUL bytes'
complete -c quillon-cli -l apply -d 'Rename the files'
complete -c quillon-cli -l no-undo-file -d 'With --apply: write no undo script'
complete -c quillon-cli -l on-error -x -a 'skip abort' -d 'With --apply: what a failed rename does'
complete -c quillon-cli -l tags -d 'Print the fields inside each listed file'
complete -c quillon-cli -l read-timeout -x -d 'How long reading one file may take (seconds)'
