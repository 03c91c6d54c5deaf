#!/usr/bin/env bash
# What the screen saver costs beside a floor program (a bare full-screen
# popup with a 2 s timer), side by side under the same Wine: the time from
# start to the window on the screen (median of several runs), the CPU time
# of the program and of the wineserver over a stretch of display, and the
# peak resident memory. Then the settings dialog's cost per keystroke and the
# shipped file's size. Prints figures; fails nothing. Run inside a session:
#   tests/wine-session.sh PREFIX tools/bench.sh WINE_TREE SHIPPED_SCR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/windows.sh"
tree=$1
shipped=$2
seconds=${BENCH_SECONDS:-30}
runs=${BENCH_RUNS:-5}
hz=$(getconf CLK_TCK)
server=$(pgrep -o -x 'wineserver|wineserver64' || pgrep -o wineserver)

cpu_ms() { awk -v hz="$hz" '{ print int(($14 + $15) * 1000 / hz) }' "/proc/$1/stat"; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# start TITLE PROGRAM ARGS...: starts it and waits for its window; sets pid.
start() {
    local title=$1
    shift
    "$run" "$@" >/dev/null 2>&1 &
    pid=$!
    wait_for_window "$title" "$pid" >/dev/null
}
finish() {
    xdotool key space
    wait "$pid" 2>/dev/null || true
}

# measure NAME TITLE PROGRAM ARGS...: sets NAME_start, NAME_cpu, NAME_server, NAME_memory.
measure() {
    local name=$1 title=$2
    shift 2
    local times=() began
    for _ in $(seq "$runs"); do
        began=$(now_ms)
        start "$title" "$@"
        times+=($(($(now_ms) - began)))
        finish
    done
    start "$title" "$@"
    local cpu0 server0
    cpu0=$(cpu_ms "$pid")
    server0=$(cpu_ms "$server")
    sleep "$seconds"
    printf -v "${name}_start" '%s' "$(median "${times[@]}")"
    printf -v "${name}_cpu" '%s' $(($(cpu_ms "$pid") - cpu0))
    printf -v "${name}_server" '%s' $(($(cpu_ms "$server") - server0))
    printf -v "${name}_memory" '%s' "$(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")"
    finish
}

measure saver Bildschirmschoner "$tree/Quorbel.scr" /s
measure floor Floor "$tree/tests/bench/floor.exe"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
row() { printf '%-34s %10s %10s %7s\n' "$1" "$2" "$3" "$(ratio "$2" "$3")"; }
echo "$("$QUORBEL_WINE" --version 2>/dev/null); $(nproc) cores; tree $(basename "$tree")"
printf '%-34s %10s %10s %7s\n' "" "saver" "floor" "ratio"
row "start to window on screen, ms" "$saver_start" "$floor_start"
row "CPU of the program over ${seconds} s, ms" "$saver_cpu" "$floor_cpu"
row "CPU of the wineserver meanwhile, ms" "$saver_server" "$floor_server"
row "CPU of both, ms" $((saver_cpu + saver_server)) $((floor_cpu + floor_server))
row "peak resident memory, KiB" "$saver_memory" "$floor_memory"

"$run" "$tree/tests/bench/preview_bench.exe" 2>/dev/null | tr -d '\r'
echo "shipped program file $shipped: $(stat -c %s "$shipped") bytes (budget 524288)"
