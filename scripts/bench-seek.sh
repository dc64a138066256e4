#!/usr/bin/env bash
# Prints how long build/transcoder takes to cut 10 s from near the end of a
# six-minute video, and its peak memory: seeking on the input (the filters do
# not depend on time), decoding from the beginning (burnt-in subtitles are
# timed from the file's start), and ffmpeg given the cut without the rewrite.
#
#   scripts/bench-seek.sh [build folder]     (default: build)
set -euo pipefail

build=$(realpath "${1:-build}")
transcoder="$build/transcoder"
[ -x "$transcoder" ] || { echo "no transcoder in $build" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

echo "making a six-minute 640x360 clip..."
ffmpeg -v error -f lavfi -i testsrc2=size=640x360:rate=25:duration=360 -f lavfi -i sine=duration=360 \
    -c:v libx264 -preset ultrafast -pix_fmt yuv420p -c:a aac long.mp4
printf '1\n00:05:30,000 --> 00:05:40,000\nHELLO\n\n' > film.srt

measure() {
    local label=$1
    shift
    /usr/bin/time -f "$label: %e s, peak memory %M kB" "$@" > /dev/null
}

cut=(-y -i long.mp4 -threads 4 -preset ultrafast -ss 330 -t 10)
echo "ffmpeg's arguments for the first cut:"
"$transcoder" --print-ffmpeg-arguments "${cut[@]}" -vf transpose=1 -vcodec libx264 -acodec libfaac fast.mp4 | paste -sd ' '
measure "cut with a turn, seeking on the input      " \
    "$transcoder" "${cut[@]}" -vf transpose=1 -vcodec libx264 -acodec libfaac fast.mp4
measure "cut with subtitles, decoding from the start" \
    "$transcoder" "${cut[@]}" -vf subtitles=film.srt:charenc=UTF-8 -vcodec libx264 -acodec libfaac slow.mp4
measure "cut with a turn, ffmpeg without the rewrite" \
    ffmpeg -v error "${cut[@]}" -vf transpose=1 -vcodec libx264 -acodec aac plain.mp4
