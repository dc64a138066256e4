#!/usr/bin/env bash
# Prints the preview player's figures on a local 720p clip: the time from
# opening it to the first painted frame, from a brightness change to the
# first frame that shows it, and the CPU time of 10 s of playback against
# cvlc playing the same clip into null outputs.
#
#   scripts/bench-preview.sh [build folder]     (default: build)
# Headless by default (QT_QPA_PLATFORM=offscreen, silent audio).
set -euo pipefail

build=$(realpath "${1:-build}")
bench="$build/devtools/bench/quillmora_bench_preview"
[ -x "$bench" ] || { echo "no quillmora_bench_preview in $build" >&2; exit 1; }
command -v cvlc >/dev/null || { echo "cvlc is missing (vlc-bin)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
seconds=10

echo "making a 20 s 1280x720 H.264 clip with sound..."
ffmpeg -v error -f lavfi -i testsrc2=size=1280x720:rate=30:duration=20 -f lavfi -i sine=duration=20 \
    -c:v libx264 -preset veryfast -pix_fmt yuv420p -c:a aac "$work/clip.mp4"

QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$bench" "$work/clip.mp4" "$seconds" | tee "$work/ours.txt"
ours=$(awk -F': ' '/^player cpu seconds/ {print $2}' "$work/ours.txt")

# cvlc decodes the same clip and throws the pictures and the sound away.
# VLC refuses to run as root: then it runs as nobody.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chmod 755 "$work"
    chmod 644 "$work/clip.mp4"
    as_user=(runuser -u nobody --)
fi
/usr/bin/time -f "%U %S" -o "$work/cvlc.time" \
    "${as_user[@]}" cvlc --quiet --vout=dummy --aout=adummy --no-video-title-show --run-time="$seconds" --play-and-exit \
    "$work/clip.mp4" >/dev/null 2>&1 || true
cvlc_cpu=$(awk 'NF == 2 && $1 ~ /^[0-9.]+$/ {print $1 + $2}' "$work/cvlc.time")
echo "cvlc, $seconds s into null outputs: $cvlc_cpu CPU s (start-up included)"
awk -v a="$ours" -v b="$cvlc_cpu" 'BEGIN { if (b > 0) printf "player / cvlc CPU: %.2f\n", a / b }'
