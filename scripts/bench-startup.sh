#!/usr/bin/env bash
# Start-up of the main window with a stored settings file against an empty
# settings store (median of RUNS starts each, and their ratio), then the time
# of one language switch with JOBS rows in the list.
#   scripts/bench-startup.sh [RUNS (default 15)] [JOBS (default 1000)]
# Runs headless (QT_QPA_PLATFORM=offscreen unless set); BUILD_DIR defaults to build.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-15}
jobs=${2:-1000}
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" -j2 --target quillmora_bench_startup >/dev/null
bench=$build_dir/devtools/bench/quillmora_bench_startup

work=$(mktemp -d)
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} LANG=C.UTF-8 LC_ALL=C.UTF-8
unset LANGUAGE

# Each store in a home of its own, so that nothing of the user's is read or written.
mkdir -p "$work/stored/.config/Trolltech" "$work/stored/out" "$work/stored/in" "$work/empty"
cat >"$work/stored/.config/Trolltech/Quillmora.conf" <<CONF
[General]
pos=@Point(120 80)
size=@Size(1500 900)
outFolder=$work/stored/out
openFolder=$work/stored/in
mp4-vCodec=0
mp4-vSize=0
mp4-vFps=0
mp4-vBitrate=0
mp4-vAspectRatio=0
mp4-aCodec=0
mp4-aChannels=0
mp4-aSamples=0
mp4-aBitrate=0
mp3-aCodec=1
mp3-aChannels=0
mp3-aSamples=0
mp3-aBitrate=0
CONF

# Qt's and the window's own remarks go to a file; a failing run shows them.
trap 'status=$?; [ $status -eq 0 ] || grep -v " format!$" "$work/errors" >&2 2>/dev/null; rm -rf "$work"' EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

start_times() { # HOME
    for _ in $(seq "$runs"); do
        HOME=$1 XDG_CONFIG_HOME=$1/.config "$bench" startup 2>"$work/errors"
    done
}

stored=$(start_times "$work/stored" | median)
empty=$(start_times "$work/empty" | median)
echo "start-up to a shown window, median of $runs:"
echo "  stored settings: $stored ms"
echo "  empty store:     $empty ms"
awk -v s="$stored" -v e="$empty" 'BEGIN { printf "  ratio stored/empty: %.2f\n", s / e }'

switch=$(HOME=$work/empty XDG_CONFIG_HOME=$work/empty/.config "$bench" language "$jobs" 2>"$work/errors")
echo "language switch with $jobs jobs in the list: $switch ms (mean of 15: Chinese, Japanese, English)"
