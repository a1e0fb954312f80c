#!/usr/bin/env bash
# How often a full search ranks the true partner of a demo population first and in the top 10.
# Usage: bench/demo_accuracy.sh QDX PM AM [SEED] [RANK_KEY]
# Creates the demo project in a temporary folder, runs `qdx search --top 10 --csv` in both
# directions and compares the files with the truth file written by `qdx demo --truth`.
set -euo pipefail
qdx="$1"; pm="$2"; am="$3"; seed="${4:-1}"; rank_key="${5:-0}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$qdx" demo "$work/demo" --pm "$pm" --am "$am" --seed "$seed" --truth "$work/truth.csv" >/dev/null
for direction in 0 1; do
    start=$(date +%s.%N)
    "$qdx" search "$work/demo" --direction "$direction" --rank-key "$rank_key" --top 10 \
        --csv "$work/result$direction.csv"
    end=$(date +%s.%N)
    # Data lines are ASCII apart from the CP932 "★" mark; the IDs of the demo are plain.
    LC_ALL=C awk -F, -v direction="$direction" -v seconds="$(echo "$end - $start" | bc)" '
        FNR == 1 { file++ }
        file == 1 && FNR > 1 { sub(/\r$/, ""); partner[direction == 0 ? $2 : $1] = direction == 0 ? $1 : $2 }
        file == 2 && FNR > 1 {
            sub(/\r$/, "")
            if (!($1 in partner)) next
            for (k = 0; 4 + 7 * k <= NF; k++) {
                id = $(4 + 7 * k); sub(/^ /, "", id)
                if (id == partner[$1]) { rank[$1] = k + 1; break }
            }
        }
        END {
            pairs = length(partner); first = 0; top10 = 0
            for (id in partner) { if (rank[id] == 1) first++; if (rank[id] >= 1) top10++ }
            printf "direction %d: %d pairs, rank 1 %.1f%%, top 10 %.1f%% (search and CSV %.1f s)\n",
                   direction, pairs, 100 * first / pairs, 100 * top10 / pairs, seconds
        }' "$work/truth.csv" "$work/result$direction.csv"
done
