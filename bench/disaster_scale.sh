#!/usr/bin/env bash
# The examiner's loop on the national-disaster demo population: each action of the table in
# bench/README.md, timed end to end (opening the project and loading the lists included) with
# its peak memory. Not part of scripts/test: it takes minutes and needs about 2 GB.
# Usage: bench/disaster_scale.sh QDX QUENDIX [FOLDER]
#   QDX, QUENDIX: the built programs (a Release build for comparable figures);
#   FOLDER: where the demo project is made once and kept (default /tmp/qdx-disaster).
set -euo pipefail
qdx="${1:?QDX}"
quendix="${2:?QUENDIX}"
folder="${3:-/tmp/qdx-disaster}"
mkdir -p "$folder"
project="$folder/disaster.qdx"
if [ ! -f "$project" ]; then
    "$qdx" demo "$project" --pm 100000 --am 300000 --seed 11 >/dev/null
fi
work="$folder/work.qdx"
cp "$project" "$work"
out="$folder/out"
mkdir -p "$out"

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
measure() {
    local name="$1"
    shift
    local line
    line=$( { /usr/bin/time -f "%e s, %M KB" "$@" >/dev/null 2>/dev/null; } 2>&1 | tail -n 1)
    printf '| %s | %s |\n' "$name" "$line"
}
pm="$("$qdx" list "$work" --side pm | head -n 1 | cut -f2)"
am="$("$qdx" list "$work" --side am | head -n 1 | cut -f2)"
echo "| action | wall, peak memory |"
echo "|---|---|"
measure "qdx individual, body $pm (direction 1)" \
    "$qdx" individual "$work" --target "$pm" --direction 1 --csv "$out/individual1.csv"
measure "qdx individual, chart $am (direction 0)" \
    "$qdx" individual "$work" --target "$am" --direction 0 --csv "$out/individual0.csv"
measure "qdx bridge --side 0, chart $am" \
    "$qdx" bridge "$work" --side 0 --target "$am" --csv "$out/bridge0.csv"
measure "qdx list --side am" "$qdx" list "$work" --side am
measure "individual window on its current record (from start)" \
    xvfb-run -a "$quendix" --screenshot="$out/individual.png" --screenshot-window=individual "$work"
measure "full search (direction 1, rank key 3, top 10, CSV)" \
    "$qdx" search "$work" --direction 1 --rank-key 3 --top 10 --csv "$out/search1.csv"
echo "files: $out"
