#!/usr/bin/env bash
# Prints how long a 60 s 1080p clip (30 fps, with sound) takes to convert to
# WebM, HEVC and AV1 against the default MP4 (H.264) on this machine, as a
# user's job runs: `quillmora --convert --format NAME`, through the
# transcoder and ffmpeg. Target: each at most 3 times the MP4 time. The runs
# alternate between the formats so that a change of load hits them alike; the
# figures are medians of wall and CPU time, each with the load average of the
# machine (from /proc/loadavg) before its runs began. On a busy machine the
# CPU figure is the steadier one.
#   scripts/bench-formats.sh [build folder] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-3}
quillmora="$build/quillmora"
[ -x "$quillmora" ] || { echo "no $quillmora: build first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. scripts/bench-common.sh
load() { cut -d' ' -f1 /proc/loadavg; }

echo "Making a 60 s 1080p clip in $work ..."
# A moving test picture with grain, so that the encoders have detail to code.
# MPEG-4 Part 2 and MP3, which every format encodes: an H.264/AAC source would
# be copied into the MP4 in seconds and measure nothing.
ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=1920x1080:rate=30:duration=60,noise=alls=8:allf=t" \
    -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=60" -ac 2 \
    -pix_fmt yuv420p -c:v mpeg4 -q:v 3 -c:a libmp3lame -b:a 192k "$work/clip1080.mkv"

formats=(mp4 webm hevc av1)
declare -A walls cpus loads
for format in "${formats[@]}"; do loads[$format]=""; done
for ((i = 0; i < runs; i++)); do
    for format in "${formats[@]}"; do
        loads[$format]+="$(load) "
        read -r wall cpu < <(time_ms env QT_QPA_PLATFORM=offscreen "$quillmora" --convert --overwrite \
            --format "$format" --output "$work/out" "$work/clip1080.mkv")
        walls[$format]+="$wall"$'\n'
        cpus[$format]+="$cpu"$'\n'
    done
done

median_of() { printf '%s' "$1" | median; }
base_wall=$(median_of "${walls[mp4]}")
base_cpu=$(median_of "${cpus[mp4]}")
echo "60 s 1080p clip at 30 fps, medians of $runs runs on $(nproc) cores (target: at most 3.00 x MP4):"
for format in "${formats[@]}"; do
    wall=$(median_of "${walls[$format]}")
    cpu=$(median_of "${cpus[$format]}")
    awk -v f="$format" -v w="$wall" -v c="$cpu" -v bw="$base_wall" -v bc="$base_cpu" -v l="${loads[$format]}" \
        'BEGIN { printf "  %-5s wall %6.1f s (%.2f x MP4)   cpu %6.1f s (%.2f x MP4)   load before runs: %s\n",
                 f, w / 1000, w / bw, c / 1000, c / bc, l }'
done
