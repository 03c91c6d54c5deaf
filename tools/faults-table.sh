#!/usr/bin/env bash
# Writes the refusal sweep's table (function x path -> outcome, with the
# totals) into README between its markers, and into OUT/table.md:
#   tools/faults-table.sh OUT README
# OUT is the sweep's folder: runs.log, table.tsv and the paths' baselines.
set -euo pipefail
out=$1
readme=$2
paths="s c-ok c-cancel p none"

# Calls of each function on each path, from the runs without refusals.
for path in $paths; do
    awk -v path="$path" '$1 == "calls" { print path, $2, $3 }' "$out/baseline-$path.log"
done >"$out/calls.txt"

awk -F'\t' -v paths="$paths" -v seconds="${FAULTS_SECONDS:-}" '
    FILENAME ~ /table.tsv$/ { library[$2] = $1; allowed[$2] = $5; rule[$2] = $6; order[++rows] = $2; next }
    FILENAME ~ /calls.txt$/ { split($0, f, " "); calls[f[1], f[2]] = f[3]; reached[f[2]] = 1; next }
    {
        # PATH FUNCTION INDEX exit= seen= taskbar= settings= VERDICT
        if ($0 == "") next
        split($0, f, " ")
        total++
        verdict = f[8]
        if (f[2] == "-") { if (verdict != "sound") baselineFaults++; next }
        sub(/^seen=/, "", f[5])
        outcome = verdict == "sound" ? f[5] : "**" verdict "**"
        if (verdict == "sound") sound++
        else unsound++
        n = split(verdict, w, "+")
        for (i = 1; i <= n; i++) count[w[i]]++
        cell[f[2], f[1], outcome]++
        if (!((f[2], f[1], outcome) in listed)) {
            listed[f[2], f[1], outcome]
            outcomes[f[2], f[1]] = outcomes[f[2], f[1]] (outcomes[f[2], f[1]] ? SUBSEP : "") outcome
        }
        runs[f[2], f[1]]++
    }
    END {
        np = split(paths, p, " ")
        print "| function | what the program must do | /s | /c, OK | /c, Cancel | /p 1234 | none |"
        print "|---|---|---|---|---|---|---|"
        for (r = 1; r <= rows; r++) {
            fn = order[r]
            if (allowed[fn] == "never" || !(fn in reached)) continue
            line = "| `" fn "` | " rule[fn] " (" allowed[fn] ") |"
            for (i = 1; i <= np; i++) {
                text = ""
                if ((fn, p[i]) in runs) {
                    k = split(outcomes[fn, p[i]], o, SUBSEP)
                    for (j = 1; j <= k; j++)
                        text = text (text ? ", " : "") o[j] " " cell[fn, p[i], o[j]]
                    if (calls[p[i], fn] > runs[fn, p[i]])
                        text = text " (first " runs[fn, p[i]] " of " calls[p[i], fn] " calls)"
                }
                line = line " " text " |"
            }
            print line
        }
        print ""
        printf "%d runs, %d of them without a refusal", total, total - sound - unsound
        if (seconds != "") printf ", in %d s", seconds
        print "."
        printf "Refusals: %d, sound %d, not sound %d: ", sound + unsound, sound, unsound
        printf "crashed %d, hung %d, taskbar left hidden %d, ", count["crashed"], count["hung"], count["taskbar-hidden"]
        printf "settings changed or lost %d, ", count["settings-changed"] + count["settings-kept"]
        printf "a box the row does not allow or none where one is due %d.\n", count["not-allowed"]
        if (baselineFaults) printf "Runs without a refusal that were not sound: %d.\n", baselineFaults
        print ""
        line = ""
        for (r = 1; r <= rows; r++) {
            fn = order[r]
            if (allowed[fn] != "never" || !(fn in reached)) continue
            line = line (line ? "; " : "") "`" fn "` (" rule[fn] ")"
        }
        print "Reached but never refused, since Windows has no refusal of them: " line "."
        line = ""
        for (r = 1; r <= rows; r++)
            if (!(order[r] in reached)) line = line (line ? ", " : "") "`" order[r] "`"
        print ""
        print "In the table but reached by none of the paths (the other text variant, or a call no path makes): " line "."
    }' "$out/table.tsv" "$out/calls.txt" "$out/runs.log" >"$out/table.md"

# Between the markers, the old table out and the new one in.
begin='<!-- faults:begin -->'
end='<!-- faults:end -->'
grep -q "^$begin\$" "$readme" || { echo "no '$begin' in $readme" >&2; exit 1; }
awk -v begin="$begin" -v end="$end" -v table="$out/table.md" '
    $0 == begin { print; while ((getline line < table) > 0) print line; skip = 1; next }
    $0 == end { skip = 0 }
    !skip' "$readme" >"$readme.new"
mv "$readme.new" "$readme"
echo "table: $out/table.md, and in $readme"
