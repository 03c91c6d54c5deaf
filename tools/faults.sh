#!/usr/bin/env bash
# Makes every Windows function the program reaches refuse each of its calls
# in turn, one run each, on the real program file, and tells what the user
# got. Inside a Wine session:
#   tests/wine-session.sh PREFIX tools/faults.sh TREE [README]
#   tests/wine-session.sh PREFIX tools/faults.sh TREE --sample
#   tests/wine-session.sh PREFIX tools/faults.sh TREE --one PATH FUNCTION INDEX...
# TREE holds Quorbel.scr and tests/faults/{launcher.exe,injector.dll}. Each
# path is run once untouched, for how often it calls each function; then
# once per call index of each function that Windows can refuse, up to
# FAULTS_MAX_CALLS (20). The runs are shared out among FAULTS_LANES (2)
# sessions, each with its own display and prefix (TREE/wine-faults-N for
# the second on), since the keys of one run must reach its own program.
# Every run is one line of TREE/faults/runs.log; the table of outcomes goes
# between the markers of README. --sample runs one refusal of each function
# instead, on the path that calls it most, and fails where an outcome is
# not one its row allows.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/windows.sh"
source "$here/../tests/faults/paths.sh"

tree=$(cd "$1" && pwd)
mode=${2:-}
max_calls=${FAULTS_MAX_CALLS:-20}
lanes=${FAULTS_LANES:-2}
out=$tree/faults
[[ $mode == --sample ]] && out=$tree/faults-sample
lane=1
[[ $mode == --lane ]] && out=$3 lane=$4
launcher=$tree/tests/faults/launcher.exe
scr=$tree/Quorbel.scr
scratch=$out/lane-$lane
runs=$out/runs.log
mkdir -p "$scratch"

windows_path() { local p=$1; echo "Z:${p//\//\\}"; }

# The crash dialog would wait for a click: a crash shows as its exit code.
"$QUORBEL_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1
# No browser or mail program of the host's: a link the shell cannot hand on
# is what the program must take quietly anyway.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winebrowser.exe=d"

# launch PATH [FUNCTION INDEX]: one run, left in the lane's run.log and run.out.
launch() {
    local path=$1 function=${2:-} index=${3:-} log=$scratch/run.log result=$scratch/run.out
    : >"$log"
    : >"$log.steps"
    local refuse=()
    [[ -n $function ]] && refuse=(--refuse "$function:$index")
    # shellcheck disable=SC2046
    "$QUORBEL_WINE" "$launcher" "${refuse[@]}" --log "$(windows_path "$log")" --seconds 15 \
        --timer-scale 10 --seed "$(windows_path "$scr")" $(path_arguments "$path") \
        >"$result" 2>>"$scratch/wine.log" &
    local launched=$!
    drive "$path" "$log" "$launched" || true
    wait "$launched" || true
    sed -i 's/\r$//' "$result"
}

# run PATH [FUNCTION INDEX]: one run; prints its result line. A run whose
# launcher reported nothing (Wine failed to start it) is made once more.
run() {
    launch "$@"
    grep -q '^exit ' "$scratch/run.out" || launch "$@"
    classify "$1" "${2:--}" "${3:--}" "$scratch/run.log" "$scratch/run.out"
}

# A path's calls of each function, from a run without refusals.
calls_of() { awk '$1 == "calls" { print $2, $3 }' "$out/baseline-$1.log"; }

# The no-argument path first: what it leaves is the seed itself.
baseline() {
    local path=$1
    launch "$path"
    cp "$scratch/run.log" "$out/baseline-$1.log"
    sed -n 's/^settings //p' "$scratch/run.out" >"$out/expected-$path"
    classify "$path" - - "$scratch/run.log" "$scratch/run.out" >>"$runs"
    grep '^uncovered' "$scratch/run.log" || true
}

refusable() { awk -F'\t' -v f="$1" '$2 == f && $5 != "never" { found = 1 } END { exit !found }' \
    "$out/table.tsv"; }

# --- Sharing the runs out ------------------------------------------------------

# The next line of the work list, numbered, or nothing when all are taken.
take_work() {
    local n
    {
        flock 9
        n=$(<"$out/work.next")
        echo $((n + 1)) >"$out/work.next"
    } 9>"$out/work.lock"
    sed -n "${n}{s/^/$n /;p}" "$out/work"
}

# Runs the work list's lines until none is left, each result numbered.
work() {
    local n path function index
    while read -r n path function index < <(take_work) && [[ -n ${n:-} ]]; do
        echo "$n $(run "$path" "$function" "$index")" >>"$scratch/runs"
    done
}

# Each further lane is a session of its own, on its own display.
run_lanes() {
    echo 1 >"$out/work.next"
    rm -f "$out"/lane-*/runs
    local pids=() k
    for ((k = 2; k <= lanes; k++)); do
        env -u DISPLAY -u QUORBEL_VIRTUAL_DISPLAY "$here/../tests/wine-session.sh" \
            "$tree/wine-faults-$k" "$0" "$tree" --lane "$out" "$k" >"$out/lane-$k.out" 2>&1 &
        pids+=($!)
    done
    work
    for k in "${pids[@]}"; do wait "$k" || true; done
    cat "$out"/lane-*/runs | sort -n | cut -d' ' -f2- >>"$runs"
}

prepare() {
    : >"$runs"
    "$QUORBEL_WINE" "$launcher" --table | tr -d '\r' >"$out/table.tsv"
    rm -rf "$out/unsound"
    for path in $PATHS; do baseline "$path"; done
}

sweep() {
    local started=$SECONDS path function calls index
    prepare
    for path in $PATHS; do
        while read -r function calls; do
            refusable "$function" || continue
            for ((index = 1; index <= calls && index <= max_calls; index++)); do
                echo "$path $function $index"
            done
        done < <(calls_of "$path")
    done >"$out/work"
    run_lanes
    FAULTS_SECONDS=$((SECONDS - started))
    export FAULTS_SECONDS
    echo "$(wc -l <"$runs") runs in $FAULTS_SECONDS s, $lanes lanes"
}

# One refusal of each function, on the path that calls it most (of paths
# that call it as often, the quickest), at the middle one of the calls the
# sweep would make there.
sample() {
    local started=$SECONDS path function calls cost=0 faults
    prepare >/dev/null
    for path in $PATHS; do # in the order of their cost
        cost=$((cost + 1))
        calls_of "$path" | sed "s/\$/ $cost/; s/^/$path /"
    done | sort -k2,2 -k3,3nr -k4,4n | awk '!seen[$2]++' | while read -r path function calls cost; do
        refusable "$function" || continue
        ((calls > max_calls)) && calls=$max_calls
        echo "$path $function $(((calls + 1) / 2))"
    done >"$out/work"
    run_lanes
    awk '$NF != "sound"' "$runs"
    faults=$(awk '$NF != "sound"' "$runs" | wc -l)
    echo "$(wc -l <"$runs") runs in $((SECONDS - started)) s, $lanes lanes: $faults not as their rows allow"
    ((faults == 0))
}

case $mode in
--lane) work ;;
--sample) sample ;;
--one)
    prepare
    shift 2
    while (($#)); do
        run "$1" "$2" "$3"
        grep -v '^calls' "$scratch/run.log"
        shift 3
    done
    ;;
*)
    sweep
    "$here/faults-table.sh" "$out" "${mode:-$here/../README.md}"
    ;;
esac
