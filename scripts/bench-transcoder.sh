#!/usr/bin/env bash
# Prints how long build/transcoder takes against bare ffmpeg given the same
# rewritten arguments (median wall and CPU time of alternating runs): on a
# 10 s 720p clip (target: at most 2% slower) and on a 60 s 1080p clip, the
# size of a real job (target: at most 1% slower); and how long a 5 s stretch
# near the end of a long clip takes against a 5 s clip. On a busy machine the
# CPU figure is the steadier one. The clips are MPEG-4 Part 2 with MP3, so that
# the MP4 job encodes them: an H.264 and AAC clip would be copied, which
# scripts/bench-copy.sh measures.
#   scripts/bench-transcoder.sh [build folder] [runs] [runs of the 60 s clip]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-7}
long_runs=${3:-3}
transcoder="$build/transcoder"
[ -x "$transcoder" ] || { echo "no $transcoder: build first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_clip() { # path seconds size
    ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=$3:rate=25:duration=$2" \
        -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=$2" -ac 2 \
        -pix_fmt yuv420p -c:v mpeg4 -b:v 8M -c:a libmp3lame "$1"
}

. scripts/bench-common.sh

# Medians of "wall cpu" lines: "wall cpu".
medians() {
    local lines
    lines=$(cat)
    echo "$(cut -d' ' -f1 <<<"$lines" | median) $(cut -d' ' -f2 <<<"$lines" | median)"
}

percent() { awk -v t="$1" -v b="$2" 'BEGIN { printf "%+.1f%%", (t - b) * 100 / b }'; }

# The application's arguments for an MP4 job with its default profile, into
# the array "job" (the transcoder rewrites libfaac for Debian's ffmpeg).
set_job() { # input output [options...]
    local input=$1 output=$2
    shift 2
    job=(-y -i "$input" -threads 4 -preset ultrafast "$@" -vcodec libx264 -acodec libfaac "$output")
}

echo "Making test clips in $work ..."
make_clip "$work/clip720.mp4" 10 1280x720
make_clip "$work/long.mp4" 300 320x240
make_clip "$work/short.mp4" 5 320x240
make_clip "$work/clip1080.mp4" 60 1920x1080

# The transcoder against bare ffmpeg given exactly what the transcoder would
# give it, in alternating runs, so that a change of load hits both alike.
compare() { # input runs label target
    local input=$1 count=$2 label=$3 target=$4 tool_times=() bare_times=() rewritten
    set_job "$input" "$work/bare.mp4"
    mapfile -t rewritten < <("$transcoder" --print-ffmpeg-arguments "${job[@]}")
    set_job "$input" "$work/tool.mp4"
    for ((i = 0; i < count; i++)); do
        tool_times+=("$(time_ms "$transcoder" "${job[@]}")")
        bare_times+=("$(time_ms ffmpeg -hide_banner -nostdin -loglevel error "${rewritten[@]}")")
    done
    read -r tool_wall tool_cpu < <(printf '%s\n' "${tool_times[@]}" | medians)
    read -r bare_wall bare_cpu < <(printf '%s\n' "${bare_times[@]}" | medians)
    echo "$label, medians of $count runs (target: transcoder at most $target):"
    echo "  wall: transcoder $tool_wall ms, bare ffmpeg $bare_wall ms, transcoder $(percent "$tool_wall" "$bare_wall")"
    echo "  cpu:  transcoder $tool_cpu ms, bare ffmpeg $bare_cpu ms, transcoder $(percent "$tool_cpu" "$bare_cpu")"
}

compare "$work/clip720.mp4" "$runs" "10 s 720p clip" "+2%"
compare "$work/clip1080.mp4" "$long_runs" "60 s 1080p clip, default MP4 job" "+1%"

# What the transcoder itself adds to a run (loading libavformat, probing the
# input, planning the arguments), without ffmpeg: steadier on a busy machine
# than the differences above.
own_times=()
for ((i = 0; i < 11; i++)); do
    own_times+=("$(time_ms "$transcoder" --print-ffmpeg-arguments "${job[@]}")")
done
read -r own_wall own_cpu < <(printf '%s\n' "${own_times[@]}" | medians)
echo "the transcoder's own work on the 60 s clip, medians of 11: wall $own_wall ms, cpu $own_cpu ms" \
    "($(awk -v o="$own_cpu" -v b="$bare_cpu" 'BEGIN { printf "%.2f%%", o * 100 / b }') of bare ffmpeg's cpu)"

stretch_times=()
short_times=()
for ((i = 0; i < 5; i++)); do
    set_job "$work/long.mp4" "$work/stretch.mp4" -ss 240 -t 5
    stretch_times+=("$(time_ms "$transcoder" "${job[@]}")")
    set_job "$work/short.mp4" "$work/whole.mp4"
    short_times+=("$(time_ms "$transcoder" "${job[@]}")")
done
read -r stretch _ < <(printf '%s\n' "${stretch_times[@]}" | medians)
read -r short _ < <(printf '%s\n' "${short_times[@]}" | medians)
echo "5 s from 240 s of a 300 s 320x240 clip: $stretch ms; a whole 5 s clip: $short ms" \
    "(ratio $(awk -v s="$stretch" -v w="$short" 'BEGIN { printf "%.2f", s / w }'); wall, medians of 5)"
