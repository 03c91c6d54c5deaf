#!/usr/bin/env bash
# What the screen saver costs beside a floor program that does the same
# visible work with the set-up any such program needs (tests/bench/floor.cpp),
# both built for the architecture of the tree the suites run on, under the
# same Wine:
#   - start to the first visible window, from BENCH_STARTS (41) interleaved
#     starts each, clocked inside Wine by tests/bench/starter.cpp, and the
#     ratio within each pair of neighbouring starts, which the slow drifts
#     of a shared machine move less than the medians. Even so, the same
#     program under two names measured between 0.96 and 1.15 of itself
#     here: read a ratio from more than one run;
#   - CPU of every thread of the program and of the wineserver over
#     BENCH_SECONDS (60) of display, from the scheduler's nanosecond counters,
#     in two halves in the order saver, floor, floor, saver: the wineserver
#     also serves the whole session, whose own work dies down after the
#     starts, and would otherwise always count against the first;
#   - peak resident memory;
# then the settings dialog's cost per keystroke and the shipped i386 file's
# size with its sections. Prints figures; fails nothing. Run in a session:
#   tests/wine-session.sh PREFIX tools/bench.sh WINE_TREE SHIPPED_SCR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/windows.sh"
tree=$(realpath "$1")
shipped=$2
starts=${BENCH_STARTS:-41}
seconds=${BENCH_SECONDS:-60}
# The session's own wineserver: the one started in this prefix.
for candidate in $(pgrep -u "$(id -u)" '^wineserver'); do
    tr '\0' '\n' <"/proc/$candidate/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
        server=$candidate
done
saver=("$tree/Quorbel.scr" /s)
floor=("$tree/tests/bench/floor.exe")
result=$(mktemp)
trap 'rm -f "$result"' EXIT

windows_path() { echo "Z:${1//\//\\}"; }
# Nanoseconds on a CPU, summed over every thread of the process.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ sum += $1 } END { printf "%.0f", sum }'; }
ms() { awk -v ns="$1" 'BEGIN { printf "%.0f", ns / 1e6 }'; }
# median, minimum and maximum of the numbers given.
spread() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
    printf "%s (%s-%s)", v[int((NR + 1) / 2)], v[1], v[NR] }'; }
median() { spread "$@" | cut -d' ' -f1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

# start_time PROGRAM ARGS...: milliseconds to its first visible window,
# nothing where it showed none; the program is ended with a key, and the
# starter waits for its end. The result goes through a file: the starter's
# standard output stays open in the program it started.
start_time() {
    local program
    program=$(windows_path "$1")
    shift
    : >"$result"
    "$run" "$tree/tests/bench/starter.exe" "$program" "$@" >"$result" 2>/dev/null &
    local starter=$!
    for _ in $(seq 200); do
        [[ -s $result ]] || ! kill -0 "$starter" 2>/dev/null && break
        sleep 0.05
    done
    sleep 0.3
    xdotool key space
    wait "$starter" 2>/dev/null || true
    tr -d '\r' <"$result"
    # Wine ends a process in stages after it has gone; the next start should
    # not pay for them.
    sleep 0.5
}

# running_cost NAME TITLE PROGRAM ARGS...: adds to NAME_cpu and NAME_server
# (ms) what half the stretch of display costs; NAME_memory (KiB) is the
# highest peak.
running_cost() {
    local name=$1 title=$2
    shift 2
    "$run" "$@" >/dev/null 2>&1 &
    local pid=$!
    wait_for_window "$title" "$pid" >/dev/null
    local cpu0 server0
    cpu0=$(cpu_ns "$pid")
    server0=$(cpu_ns "$server")
    sleep "$((seconds / 2))"
    declare -n cpu=${name}_cpu server_cpu=${name}_server memory=${name}_memory
    cpu=$((cpu + $(ms $(($(cpu_ns "$pid") - cpu0)))))
    server_cpu=$((server_cpu + $(ms $(($(cpu_ns "$server") - server0)))))
    local peak
    peak=$(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")
    ((peak > memory)) && memory=$peak
    unset -n cpu server_cpu memory
    xdotool key space
    wait "$pid" 2>/dev/null || true
}

# Rounds alternate which program starts first, so that neither always
# follows the other's ending nor always comes first after a pause.
saver_starts=() floor_starts=() pair_ratios=()
for round in $(seq "$starts"); do
    order=(saver floor)
    ((round % 2)) || order=(floor saver)
    declare -A pair=()
    for name in "${order[@]}"; do
        declare -n program=$name samples=${name}_starts
        time=$(start_time "${program[@]}")
        if [[ -n $time ]]; then samples+=("$time"); else echo "no window from $name" >&2; fi
        pair[$name]=$time
        unset -n program samples
    done
    if [[ -n ${pair[saver]} && -n ${pair[floor]} ]]; then
        pair_ratios+=("$(ratio "${pair[saver]}" "${pair[floor]}")")
    fi
    unset pair
done
saver_cpu=0 saver_server=0 saver_memory=0 floor_cpu=0 floor_server=0 floor_memory=0
running_cost saver Bildschirmschoner "${saver[@]}"
running_cost floor Floor "${floor[@]}"
running_cost floor Floor "${floor[@]}"
running_cost saver Bildschirmschoner "${saver[@]}"

row() { printf '%-44s %18s %18s %6s\n' "$1" "$2" "$3" "$(ratio "$4" "$5")"; }
echo "$("$QUORBEL_WINE" --version 2>/dev/null), $(file -b "$tree/Quorbel.scr" | cut -d, -f1)" \
    "from $(basename "$tree"), $(nproc) cores"
printf '%-44s %18s %18s %6s\n' "" "Quorbel" "floor" "ratio"
row "start to window, ms: median (min-max) of ${#saver_starts[@]}" "$(spread "${saver_starts[@]}")" \
    "$(spread "${floor_starts[@]}")" "$(median "${saver_starts[@]}")" \
    "$(median "${floor_starts[@]}")"
printf '%-44s %37s %6s\n' "start, ratio within each pair: median (min-max)" \
    "$(spread "${pair_ratios[@]}")" "$(median "${pair_ratios[@]}")"
row "CPU of the program over $seconds s, ms" "$saver_cpu" "$floor_cpu" "$saver_cpu" "$floor_cpu"
row "CPU of the wineserver meanwhile, ms" "$saver_server" "$floor_server" "$saver_server" \
    "$floor_server"
both_saver=$((saver_cpu + saver_server)) both_floor=$((floor_cpu + floor_server))
row "CPU of both, ms" "$both_saver" "$both_floor" "$both_saver" "$both_floor"
row "peak resident memory, KiB" "$saver_memory" "$floor_memory" "$saver_memory" "$floor_memory"

"$run" "$tree/tests/bench/preview_bench.exe" 2>/dev/null | tr -d '\r'
echo "shipped program file $shipped: $(stat -c %s "$shipped") bytes (goal 409600), sections:"
i686-w64-mingw32-objdump -h "$shipped" | while read -r index name size _; do
    if [[ $index =~ ^[0-9]+$ ]]; then printf '  %-9s %7d\n' "$name" $((16#$size)); fi
done
