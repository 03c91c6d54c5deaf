#!/usr/bin/env bash
# Runs every fuzz program for the given seconds, or the given number of
# inputs (FUZZ_RUNS), from the committed seeds plus what earlier runs found,
# and prints executions and findings.
#   [FUZZ_RUNS=N] tools/fuzz.sh SECONDS [FUZZ_TREE]
# A finding (a crash, a failed check, a leak, a time-out or an allocation
# beyond the limit) is kept in FUZZ_TREE/findings and fails the run.
set -euo pipefail

seconds=${1:?seconds per program}
tree=${2:-build/fuzz}
seeds=tests/fuzz/corpus
mkdir -p "$tree/findings"

failed=0
printf '%-20s %8s %12s %9s\n' program seconds executions findings
for seed_dir in "$seeds"/*/; do
    name=$(basename "$seed_dir")
    program="$tree/tests/fuzz/${name}_fuzz"
    corpus="$tree/corpus/$name"
    log="$tree/findings/$name.log"
    mkdir -p "$corpus"
    status=0
    started=$SECONDS
    limit=(-max_total_time="$seconds")
    [[ -n "${FUZZ_RUNS:-}" ]] && limit=(-runs="$FUZZ_RUNS")
    "$program" "${limit[@]}" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$tree/findings/$name-" "$corpus" "$seed_dir" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    findings=$((status == 0 ? 0 : 1))
    printf '%-20s %8s %12s %9s\n' "$name" $((SECONDS - started)) "${runs:-?}" "$findings"
    if ((findings)); then
        failed=1
        grep -E 'ERROR|runtime error|SUMMARY|Test unit written|\.cpp:[0-9]+:' "$log" | head -8 | sed 's/^/    /'
    fi
done
exit $failed
