#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-run benchmark at several folder sizes, printed side by side as one
# Markdown table: load, presses of "OK", save, the command line's dry run and
# the window's peak memory, each against the least the same job can cost.
#   bench/scale.sh [--save-only] [COUNT...]   (default: 10000 100000 1000000)
# --save-only measures nothing but saving, the row that varies most on a
# shared disk, in as many rounds as QUILLON_BENCH_ROUNDS says (default: as
# the whole run takes them).
# Environment: QUILLON_BENCH_BUILD, the Release build tree (default
# build-bench); QUILLON_BENCH_WORK, where the folders are made (default: the
# build tree, on disk, as /tmp may live in memory). Progress goes to stderr.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILLON_BENCH_BUILD:-$root/build-bench}"
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
targets=(load_bench save_bench window_bench quillon-cli)
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
mib() { awk -v k="$1" 'BEGIN { printf "%.0f", k / 1024 }'; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
make_folder() { # FOLDER COUNT
    python3 "$root/bench/make-folder.py" "$1" "$2"
    sync
}

# Runs COMMAND... RUNS times, output discarded; sets ms (median) and kib (peak).
timed() {
    local runs=$1 times=() start
    shift
    for ((i = 0; i < runs; i++)); do
        start=$(now_ms)
        /usr/bin/time -f %M -o "$work/peak" "$@" >/dev/null
        times+=($(($(now_ms) - start)))
    done
    ms=$(median "${times[@]}")
    kib=$(<"$work/peak")
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
measure_dry_run() { # FOLDER COUNT RUNS
    say "  command line dry run and mmv -n"
    local cli_ms cli_kib
    timed "$3" "$build/cli/quillon-cli" --case none --no-update-case --no-char-to-spaces \
        --no-delete-extra-spaces --replace '/1/ - /2/' --with '/2/ - /1/' "$1"
    cli_ms=$ms cli_kib=$kib
    timed "$3" mmv -n "$1/* - *.*" "$1/#2 - #1.#3"
    put dry "$2" "$(ratio "$cli_ms" "$ms")"
    put drymem "$2" "$(mib "$cli_kib") / $(mib "$kib")"
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
    local saves=() bares=() saved=$1 out
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
        rm -rf "$saved" "$work/bare$round"
    done
    put save "$2" "$(ratio "$(median "${saves[@]}")" "$(median "${bares[@]}")")"
}

for n in "${counts[@]}"; do
    say "== $n files"
    # Fewer repeats as folders grow keep the default run near ten minutes.
    runs=5 rounds=3
    ((n < 100000)) || runs=3 rounds=2
    ((n < 1000000)) || runs=1 rounds=1
    rounds=${QUILLON_BENCH_ROUNDS:-$rounds}
    folder="$work/files"
    make_folder "$folder" "$n"
    if ((!save_only)); then
        measure_load "$folder" "$n" "$runs"
        measure_dry_run "$folder" "$n" "$runs"
        measure_window "$folder" "$n"
    fi
    measure_save "$folder" "$n" "$rounds"
done

# --- the table -------------------------------------------------------------------
rows=(load regular reformat save dry drymem window windowms)
((save_only)) && rows=(save)
declare -A label=(
    [load]='Load (Smart case), ms: workspace / bare readdir+fstatat'
    [regular]='One press of "OK", Regular replacement, ms'
    [reformat]='One press of "OK", Reformat, ms'
    [save]='Save (checks, undo script, renames, reload), ms: workspace / bare renameat2'
    [dry]='Dry run, ms: quillon-cli / mmv -n'
    [drymem]='Dry run peak memory, MiB: quillon-cli / mmv -n'
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
    line="| ${label[$row]} |"
    for n in "${counts[@]}"; do line+=" ${cell[$row,$n]-} |"; done
    echo "$line"
done
say "whole run: $((SECONDS - started)) s"
