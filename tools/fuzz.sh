#!/usr/bin/env bash
# Runs every fuzz program, from the committed seeds plus what its earlier
# runs kept, and prints executions and findings.
#   tools/fuzz.sh seconds N [FUZZ_TREE]   a search of N seconds each
#   tools/fuzz.sh runs N [FUZZ_TREE]      N inputs each, from a fixed seed,
#                                         so that a run can be repeated
# A finding (a crash, a failed check, a leak, a time-out or an allocation
# beyond the limit) is kept in FUZZ_TREE/findings and fails the run.
set -euo pipefail

mode=${1:?seconds or runs}
amount=${2:?how many}
tree=$(realpath -m "${3:-build/fuzz}")
cd "$(dirname "$0")/.."
case $mode in
seconds) limit=(-max_total_time="$amount") ;;
runs) limit=(-runs="$amount" -seed=1) ;;
*) echo "tools/fuzz.sh: seconds or runs, not '$mode'" >&2 && exit 2 ;;
esac
mkdir -p "$tree/findings"

failed=0
printf '%-14s %8s %12s %9s\n' program seconds executions findings
for seeds in tests/fuzz/corpus/*/; do
    name=$(basename "$seeds")
    log="$tree/findings/$name.log"
    mkdir -p "$tree/corpus/$name"
    started=$SECONDS
    status=0
    "$tree/tests/fuzz/${name}_fuzz" "${limit[@]}" -timeout=25 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$tree/findings/$name-" \
        "$tree/corpus/$name" "$seeds" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    printf '%-14s %8s %12s %9s\n' "$name" $((SECONDS - started)) "${runs:-?}" $((status != 0))
    if ((status != 0)); then
        failed=1
        { grep -E 'ERROR|runtime error|SUMMARY|Test unit written|\.cpp:[0-9]+:' "$log" ||
            tail -n 5 "$log"; } | head -8 | sed 's/^/    /'
    fi
done
exit $failed
