#!/usr/bin/env bash
# Adding files to the real window, offscreen: through a format button and its
# file dialog, a drop, the command line ("Open With"), and a drop of the folder
# that holds them (walked off the window's thread), with 10,000 and 100,000
# files. For each: the time until every row is there, the longest time
# the event loop was blocked, the peak memory per job, the time until the
# kept job list was written and the CPU time the window's thread spent on the
# add (on a busy machine, the add's own cost); then the growth from 10,000 to
# 100,000.
#   scripts/bench-add.sh [SIZES (default "10000 100000")] [LIMIT_S (default 600)]
# Targets: 10,000 under 100 ms, 100,000 under 1 s, growth within 12x, under
# 1 KB per job. BUILD_DIR defaults to build; BENCH names another build's
# quillmora_bench_add to measure instead (an add that outlasts LIMIT_S is
# reported with the rows it had).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-common.sh

sizes=${1:-10000 100000}
limit=${2:-600}
if [ -z "${BENCH:-}" ]; then
    build_dir=${BUILD_DIR:-build}
    cmake --build "$build_dir" -j2 --target quillmora_bench_add >/dev/null
    BENCH=$build_dir/devtools/bench/quillmora_bench_add
fi
bench=$(realpath "$BENCH")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
offscreen_home "$work"
mkdir -p "$work/in"

largest=$(tr ' ' '\n' <<<"$sizes" | sort -n | tail -1)
(cd "$work/in" && seq -f 'clip%06g.mp4' 0 $((largest - 1)) | xargs touch)
for n in $sizes; do # a folder of exactly n files for each size
    mkdir "$work/folder-$n"
    (cd "$work/folder-$n" && seq -f 'clip%06g.mp4' 0 $((n - 1)) | xargs touch)
done

printf '%-7s %7s %10s %12s %10s %10s %8s\n' path files "added ms" "blocked ms" "B per job" "kept ms" "CPU ms"
declare -A added
for mode in dialog drop open folder; do
    for n in $sizes; do
        rm -rf "$XDG_DATA_HOME"
        folder=$work/in
        [ "$mode" = folder ] && folder=$work/folder-$n
        line=$("$bench" "$mode" "$n" "$folder" "$limit" 2>"$work/errors") || {
            echo "$mode $n: ${line:-failed}" >&2
            grep -v -e " format!$" -e "^QStandardPaths: " -e "propagateSizeHints" "$work/errors" >&2 || true
            continue
        }
        read -r _ _ ms blocked perjob kept cpu <<<"$line"
        added[$mode.$n]=$ms
        printf '%-7s %7d %10.1f %12.1f %10d %10s %8s\n' "$mode" "$n" "$ms" "$blocked" "$perjob" "$kept" "$cpu"
    done
done

small=$(tr ' ' '\n' <<<"$sizes" | sort -n | head -1)
if [ "$small" != "$largest" ]; then
    for mode in dialog drop open folder; do
        a=${added[$mode.$small]:-} b=${added[$mode.$largest]:-}
        if [ -n "$a" ] && [ -n "$b" ]; then
            awk -v m="$mode" -v a="$a" -v b="$b" -v s="$small" -v l="$largest" \
                'BEGIN { printf "growth %s %d -> %d: %.1fx\n", m, s, l, b / a }'
        fi
    done
fi
