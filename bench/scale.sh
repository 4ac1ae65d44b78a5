#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-run benchmark at several folder sizes, printed side by side as one
# Markdown table: load, presses of "OK", save, the command line's dry run and
# the window's peak memory, each against the least the same job can cost.
#   bench/scale.sh [--save-only] [COUNT...]   (default: 10000 100000 1000000)
# With QUILLON_BENCH_BASE, the Release build tree of another commit (its
# quillon-cli and save_bench built), the dry run and the save of that build
# run in turns with these and get rows of their own, "base".
# QUILLON_BENCH_SAVE_UPTO: the largest count whose save is measured (default:
# every count); a save takes fresh folders, two more with a base build.
# --save-only measures nothing but saving, the row that varies most on a
# shared disk, in as many rounds as QUILLON_BENCH_ROUNDS says (default: as
# the whole run takes them).
# Environment: QUILLON_BENCH_BUILD, the Release build tree (default
# build-bench); QUILLON_BENCH_WORK, where the folders are made (default: the
# build tree, on disk, as /tmp may live in memory). Progress goes to stderr.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILLON_BENCH_BUILD:-$root/build-bench}"
base="${QUILLON_BENCH_BASE:-}"
if [[ -n "$base" && ! -x "$base/cli/quillon-cli" ]]; then
    echo "no quillon-cli in $base/cli" >&2
    exit 2
fi
usage() { echo "usage: bench/scale.sh [--save-only] [COUNT...]" >&2; exit 2; }
save_only=0
if [[ "${1:-}" == --save-only ]]; then
    save_only=1
    shift
fi
counts=("$@")
((${#counts[@]})) || counts=(10000 100000 1000000)
for n in "${counts[@]}"; do
    [[ "$n" =~ ^[1-9][0-9]*$ ]] || usage
done
[[ "${QUILLON_BENCH_ROUNDS:-1}" =~ ^[1-9][0-9]*$ ]] || usage
[[ "${QUILLON_BENCH_SAVE_UPTO:-1}" =~ ^[1-9][0-9]*$ ]] || usage

say() { printf '%s\n' "$*" >&2; }
started=$SECONDS

# --- tools and build -------------------------------------------------------
install_package() {
    local sudo=()
    ((EUID == 0)) || sudo=(sudo)
    say "installing $1"
    "${sudo[@]}" apt-get install -y -qq "$1" >/dev/null 2>&1 ||
        { "${sudo[@]}" apt-get update -qq && "${sudo[@]}" apt-get install -y -qq "$1" >/dev/null; }
}
if ((!save_only)); then
    command -v mmv >/dev/null || install_package mmv
    [[ -x /usr/bin/time ]] || install_package time
fi

if [[ ! -f "$build/CMakeCache.txt" ]]; then
    generator=()
    command -v ninja >/dev/null && generator=(-G Ninja)
    # GCC 12 warns falsely about overlapping copies (-Wrestrict) at -O3.
    cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
        -DQUILLON_TESTS=OFF -DQUILLON_BENCH=ON -DCMAKE_CXX_FLAGS=-Wno-restrict >/dev/null
fi
say "building the benchmark programs in $build"
targets=(load_bench save_bench quillon-cli)
# A tree configured without the window (QUILLON_GUI=OFF) has no window row.
has_window=0
cmake --build "$build" --target help | grep -q '^[^ ]*window_bench' && has_window=1
((has_window)) && targets+=(window_bench)
((save_only)) && targets=(save_bench)
cmake --build "$build" --target "${targets[@]}" >/dev/null

work="$(mktemp -d "${QUILLON_BENCH_WORK:-$build}/scale.XXXXXX")"
trap 'say "cleaning up $work"; rm -rf "$work"' EXIT
# Qt wants a private runtime folder; offscreen runs often have none.
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$work/runtime}"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

# --- helpers -----------------------------------------------------------------
declare -A cell # cell[row,count]: the table's entries
put() { cell[$1,$2]="$3"; } # ROW COUNT TEXT
field() { awk -F': *' -v key="$1" 'index($0, key) == 1 { print $2 + 0; exit }'; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f / %.0f = **%.2f**", a, b, a / b }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
make_folder() { # FOLDER COUNT
    python3 "$root/bench/make-folder.py" "$1" "$2"
    sync
}

# Runs COMMAND... once, output discarded; adds its time and peak memory to
# the runs kept under KEY. Commands measured in turns share the machine's
# moods alike.
declare -A run_ms run_kib
once() { # KEY COMMAND...
    local key=$1 start
    shift
    start=$(now_ms)
    /usr/bin/time -f %M -o "$work/peak" "$@" >/dev/null 2>&1
    run_ms[$key]+=" $(($(now_ms) - start))"
    run_kib[$key]+=" $(tail -1 "$work/peak")"
}

# --- one folder size -----------------------------------------------------------
measure_load() { # FOLDER COUNT RUNS
    say "  load and presses"
    local out
    out="$("$build/bench/load_bench" "$1" "$3" smart)"
    put load "$2" "$(ratio "$(field "workspace load" <<<"$out")" "$(field "bare readdir" <<<"$out")")"
    put regular "$2" "$(field "press Regular" <<<"$out")"
    put reformat "$2" "$(field "press Reformat" <<<"$out")"
}

# The same renames both ways: "Artist - Title.ext" to "Title - Artist.ext".
press=(--case none --no-update-case --no-char-to-spaces --no-delete-extra-spaces
    --replace '/1/ - /2/' --with '/2/ - /1/')
# shellcheck disable=SC2086 # the runs kept are words to split
measure_dry_run() { # FOLDER COUNT RUNS
    say "  command line dry run and mmv -n, in turns"
    run_ms=() run_kib=()
    for ((r = 0; r < $3; r++)); do
        once cli "$build/cli/quillon-cli" "${press[@]}" "$1"
        [[ -z "$base" ]] || once base "$base/cli/quillon-cli" "${press[@]}" "$1"
        once mmv mmv -n "$1/* - *.*" "$1/#2 - #1.#3"
    done
    local mmv_ms mmv_kib
    mmv_ms=$(median ${run_ms[mmv]}) mmv_kib=$(median ${run_kib[mmv]})
    put dry "$2" "$(ratio "$(median ${run_ms[cli]})" "$mmv_ms")"
    put drymem "$2" "$(mib "$(median ${run_kib[cli]})") / $(mib "$mmv_kib")"
    [[ -n "$base" ]] || return 0
    put drybase "$2" "$(ratio "$(median ${run_ms[base]})" "$mmv_ms")"
    put drymembase "$2" "$(mib "$(median ${run_kib[base]})") / $(mib "$mmv_kib")"
}

measure_window() { # FOLDER COUNT
    say "  window"
    local out
    out="$(QT_QPA_PLATFORM=offscreen /usr/bin/time -f %M -o "$work/peak" \
        "$build/bench/window_bench" "$1")"
    put window "$2" "$(mib "$(<"$work/peak")")"
    put windowms "$2" "$(sed -n 's/.* in \([0-9]*\) ms/\1/p' <<<"$out")"
}

# Each round renames two fresh folders: the first round reuses the folder the
# read-only measures used, which nothing has renamed yet.
measure_save() { # FOLDER COUNT ROUNDS
    local saves=() bares=() undos=() base_saves=() base_bares=() saved=$1 out
    for ((round = 1; round <= $3; round++)); do
        if ((round > 1)); then
            saved="$work/saved$round"
            make_folder "$saved" "$2"
        fi
        make_folder "$work/bare$round" "$2"
        say "  save, round $round of $3"
        out="$("$build/bench/save_bench" "$saved" "$work/bare$round")"
        saves+=("$(field "save (script" <<<"$out")")
        bares+=("$(field "bare renameat2" <<<"$out")")
        undos+=("$(field "undo (record" <<<"$out")")
        rm -rf "$saved" "$work/bare$round"
        [[ -n "$base" && -x "$base/bench/save_bench" ]] || continue
        make_folder "$work/basesaved$round" "$2"
        make_folder "$work/basebare$round" "$2"
        say "  save of the base build, round $round of $3"
        out="$("$base/bench/save_bench" "$work/basesaved$round" "$work/basebare$round")"
        base_saves+=("$(field "save (script" <<<"$out")")
        base_bares+=("$(field "bare renameat2" <<<"$out")")
        rm -rf "$work/basesaved$round" "$work/basebare$round"
    done
    local save_ms
    save_ms=$(median "${saves[@]}")
    put save "$2" "$(ratio "$save_ms" "$(median "${bares[@]}")")"
    put undo "$2" "$(ratio "$(median "${undos[@]}")" "$save_ms")"
    ((${#base_saves[@]})) &&
        put savebase "$2" "$(ratio "$(median "${base_saves[@]}")" "$(median "${base_bares[@]}")")"
    return 0
}

for n in "${counts[@]}"; do
    say "== $n files"
    # Fewer repeats as folders grow keep the default run near ten minutes.
    runs=5 rounds=3
    ((n < 100000)) || runs=3 rounds=2
    ((n < 1000000)) || runs=1 rounds=1
    rounds=${QUILLON_BENCH_ROUNDS:-$rounds}
    # Medians of three at least where the dry run is compared.
    dry_runs=$((runs < 3 ? 3 : runs))
    folder="$work/files"
    make_folder "$folder" "$n"
    if ((!save_only)); then
        measure_load "$folder" "$n" "$runs"
        measure_dry_run "$folder" "$n" "$dry_runs"
        ((!has_window)) || measure_window "$folder" "$n"
    fi
    ((n > ${QUILLON_BENCH_SAVE_UPTO:-n})) || measure_save "$folder" "$n" "$rounds"
done

# --- the table -------------------------------------------------------------------
rows=(load regular reformat save savebase undo dry drybase drymem drymembase window windowms)
((save_only)) && rows=(save savebase undo)
base_name=base
[[ -z "$base" ]] ||
    base_name="$(git -C "$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$base/CMakeCache.txt")" \
        rev-parse --short HEAD 2>/dev/null || echo base)"
declare -A label=(
    [load]='Load (Smart case), ms: workspace / bare readdir+fstatat'
    [regular]='One press of "OK", Regular replacement, ms'
    [reformat]='One press of "OK", Reformat, ms'
    [save]='Save (checks, undo script, renames, reload), ms: workspace / bare renameat2'
    [savebase]="Save, ms, $base_name: workspace / bare renameat2"
    [undo]='Undo Last Save of that save, ms: undo / save'
    [dry]='Dry run, ms: quillon-cli / mmv -n'
    [drybase]="Dry run, ms, $base_name: quillon-cli / mmv -n"
    [drymem]='Dry run peak memory, MiB: quillon-cli / mmv -n'
    [drymembase]="Dry run peak memory, MiB, $base_name: quillon-cli / mmv -n"
    [window]='Window holding the folder, peak memory, MiB'
    [windowms]='Window loaded and painted, ms'
)
header="| files |" rule="|---|"
for n in "${counts[@]}"; do
    header+=" $(sed ':a; s/\B[0-9]\{3\}\>/,&/; ta' <<<"$n") |" rule+="---:|"
done
echo "$header"
echo "$rule"
for row in "${rows[@]}"; do
    line="| ${label[$row]} |" filled=0
    for n in "${counts[@]}"; do
        line+=" ${cell[$row,$n]-} |"
        [[ -z "${cell[$row,$n]-}" ]] || filled=1
    done
    # Rows of a base build or the window that was not measured stay out.
    ((!filled)) || echo "$line"
done
say "whole run: $((SECONDS - started)) s"
