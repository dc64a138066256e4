#!/usr/bin/env bash
# Prints how quickly the preview dialog shows pictures on a local 720p clip:
# from Edit to the first painted frame (target under 0.3 s), and from a move
# of the brightness slider to the first painted frame that shows it. Runs on
# a virtual X screen with a throwaway home folder.
#
#   scripts/bench-edit.sh [build folder] [rounds]     (defaults: build, 5)
set -euo pipefail

build=$(realpath "${1:-build}")
rounds=${2:-5}
bench="$build/devtools/bench/quillmora_bench_edit"
[ -x "$bench" ] || { echo "no quillmora_bench_edit in $build (build the project first)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "making a 20-second 1280x720 H.264 clip..."
ffmpeg -v error -f lavfi -i testsrc2=size=1280x720:rate=25:duration=20 -f lavfi -i sine=duration=20 \
    -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac "$work/clip720p.mp4"

mkdir "$work/home"
env HOME="$work/home" LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb \
    xvfb-run --auto-servernum --server-args="-screen 0 1600x1000x24 -nolisten tcp" \
    "$bench" "$work/clip720p.mp4" "$rounds"
