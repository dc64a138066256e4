#!/usr/bin/env bash
# The kept job list of the real window, offscreen, with N jobs (default
# 100,000): a window adds N empty files and is ended as a kill ends it, once
# its list is on disk; the next window restores them (Yes to the question),
# then one row's state changes. Prints the time to restore and how much the
# restore raised the peak memory, the time until the restored list was
# written, and for the one change: the time until another connection reads it
# on disk and the CPU time the writer's thread spent on it. RUNS (default 3)
# restores are made of the one list; the figures are their medians.
#   scripts/bench-keep.sh [N] [RUNS]
# Targets: a change on disk within 1.1 s and under 20 ms of the writer's
# time; a restore of 100,000 under 1 s and under 200 MB. BUILD_DIR defaults to build.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-common.sh

n=${1:-100000}
runs=${2:-3}
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" -j2 --target quillmora_bench_keep >/dev/null
bench=$(realpath "$build_dir/devtools/bench/quillmora_bench_keep")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
offscreen_home "$work"
mkdir -p "$work/in"
(cd "$work/in" && seq -f 'clip%06g.wav' 0 $((n - 1)) | xargs touch)

quiet() { grep -v -e "^QStandardPaths: " -e "propagateSizeHints" -e "^index : " >&2 || true; }
read -r _ _ added filled < <("$bench" fill "$n" "$work/in" 2> >(quiet))
db=$XDG_DATA_HOME/quillmora/unfinished-jobs.db
echo "list of $n jobs: every row there after ${added} ms, on disk after ${filled} ms; database $(du -m "$db" | cut -f1) MB (+ $(du -m "$db-wal" 2>/dev/null | cut -f1 || echo 0) MB log)"

printf '%8s %10s %10s %11s %8s %8s %10s %10s\n' jobs "restore ms" "CPU ms" "restore MB" "peak MB" "kept ms" "change ms" "writer ms"
: > "$work/figures"
for run in $(seq "$runs"); do
    # Each restore leaves the list as its own; ended like the first window, it is left again.
    line=$("$bench" restore 2> >(quiet)) || { echo "restore failed: $line" >&2; exit 1; }
    read -r _ jobs ms cpu grown peak kept change writer <<<"$line"
    printf '%8d %10d %10d %11d %8d %8d %10d %10.1f\n' "$jobs" "$ms" "$cpu" "$grown" "$peak" "$kept" "$change" "$writer"
    echo "$ms $cpu $grown $change $writer" >> "$work/figures"
done
for column in 1 2 3 4 5; do
    values[column]=$(cut -d' ' -f$column "$work/figures" | median)
done
echo "median: restore ${values[1]} ms (${values[2]} ms of CPU), ${values[3]} MB more at the peak;" \
    "a change on disk after ${values[4]} ms, ${values[5]} ms of the writer's CPU"
