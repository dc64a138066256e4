#!/usr/bin/env bash
# What "Check quality" costs: a 60 s 1080p clip (30 fps, with sound, made as
# bench-formats.sh makes it) converted to the default MP4 (H.264) and to WebM
# (VP9) by `quillmora --convert`, with and without --check-quality, the runs
# alternating so that a change of load hits both alike. Prints the medians of
# wall and CPU time, the check's cost as a share of the encode's time, and
# the figures the check printed.
#   scripts/bench-quality.sh [build folder] [runs]      (defaults: build, 3)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-3}
quillmora="$build/quillmora"
[ -x "$quillmora" ] && [ -x "$build/transcoder" ] || { echo "build first: no $quillmora" >&2; exit 1; }
. scripts/bench-common.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "Making a 60 s 1080p clip in $work ..."
# MPEG-4 Part 2 and MP3, so that the MP4 encodes the pictures instead of copying them.
ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=1920x1080:rate=30:duration=60,noise=alls=8:allf=t" \
    -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=60" -ac 2 \
    -pix_fmt yuv420p -c:v mpeg4 -q:v 3 -c:a libmp3lame -b:a 192k "$work/clip1080.mkv"

# Runs a command with its standard output into a file (time_ms drops it).
into() { local file=$1; shift; "$@" >"$file"; }
convert() {
    into "$work/printed" env QT_QPA_PLATFORM=offscreen "$quillmora" --convert --overwrite --jobs 1 \
        --format "$1" --output "$work/out" "${@:2}" "$work/clip1080.mkv"
}
column() { printf '%s\n' "${@:2}" | awk -v c="$1" '{ print $c }' | median; }

echo "60 s 1080p clip at 30 fps, medians of $runs alternating runs on $(nproc) cores:"
for format in mp4 webm; do
    plain=()
    checked=()
    for ((r = 0; r < runs; r++)); do
        plain+=("$(time_ms convert "$format")")
        checked+=("$(time_ms convert "$format" --check-quality)")
    done
    figures=$(sed -n 's/.*(\(.*SSIM.*\))$/\1/p' "$work/printed")
    pw=$(column 1 "${plain[@]}"); pc=$(column 2 "${plain[@]}")
    cw=$(column 1 "${checked[@]}"); cc=$(column 2 "${checked[@]}")
    awk -v f="$format" -v pw="$pw" -v pc="$pc" -v cw="$cw" -v cc="$cc" -v q="${figures:-no figures}" 'BEGIN {
        printf "  %-4s  wall: %.1f s encode, %.1f s with the check (+%.0f %%);  cpu: %.1f s, %.1f s (+%.0f %%);  %s\n",
            f, pw / 1000, cw / 1000, 100 * (cw - pw) / pw, pc / 1000, cc / 1000, 100 * (cc - pc) / pc, q }'
done
