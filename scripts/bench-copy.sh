#!/usr/bin/env bash
# Prints how long build/transcoder takes to turn a 60 s 1080p H.264 and AAC
# .mkv into an MP4 with the application's default MP4 arguments (both
# streams copied, not encoded again) against a bare "ffmpeg -i in.mkv -c copy
# out.mp4" of the same file (target: at most 1.5 times; medians of alternating
# runs), and checks the output: it decodes without an error, lasts as long as
# the source, and its video packets are the source's bit for bit.
#   scripts/bench-copy.sh [build folder] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-7}
transcoder="$build/transcoder"
[ -x "$transcoder" ] || { echo "no $transcoder: build first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QUILLMORA_PROGRESS_BLOCK="/quillmora-bench-copy.$$"

. scripts/bench-common.sh

echo "Making a 60 s 1080p H.264 and AAC clip in $work ..."
ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=1920x1080:rate=25:duration=60" \
    -f lavfi -i "sine=frequency=440:sample_rate=48000:duration=60" -ac 2 \
    -pix_fmt yuv420p -c:v libx264 -preset veryfast -c:a aac -metadata title="Bench clip" "$work/in.mkv"

# The application's arguments for an MP4 job with its default profile.
job=(-y -i "$work/in.mkv" -threads 4 -preset ultrafast -vcodec libx264 -acodec libfaac "$work/tool.mp4")
echo "the transcoder runs: ffmpeg $("$transcoder" --print-ffmpeg-arguments "${job[@]}" | tr '\n' ' ')"
echo "it reports: $("$transcoder" "${job[@]}")"

tool_times=()
bare_times=()
for ((i = 0; i < runs; i++)); do
    tool_times+=("$(time_ms "$transcoder" "${job[@]}")")
    bare_times+=("$(time_ms ffmpeg -nostdin -v error -y -i "$work/in.mkv" -c copy "$work/bare.mp4")")
done
tool_wall=$(printf '%s\n' "${tool_times[@]}" | cut -d' ' -f1 | median)
tool_cpu=$(printf '%s\n' "${tool_times[@]}" | cut -d' ' -f2 | median)
bare_wall=$(printf '%s\n' "${bare_times[@]}" | cut -d' ' -f1 | median)
bare_cpu=$(printf '%s\n' "${bare_times[@]}" | cut -d' ' -f2 | median)
ratio() { awk -v t="$1" -v b="$2" 'BEGIN { printf "%.2f", t / b }'; }
echo "60 s 1080p H.264/AAC .mkv to MP4, medians of $runs runs (target: at most 1.5 times bare ffmpeg -c copy):"
echo "  wall: transcoder $tool_wall ms, bare ffmpeg $bare_wall ms, ratio $(ratio "$tool_wall" "$bare_wall")"
echo "  cpu:  transcoder $tool_cpu ms, bare ffmpeg $bare_cpu ms, ratio $(ratio "$tool_cpu" "$bare_cpu")"

# The output: decodes cleanly, lasts as long, the same video packets.
errors=$(ffmpeg -nostdin -v error -i "$work/tool.mp4" -f null - 2>&1 || echo "ffmpeg failed")
duration() { ffprobe -v error -show_entries format=duration -of csv=p=0 "$1"; }
packets() { ffmpeg -nostdin -v error -i "$1" -map 0:v:0 -c copy -f framemd5 - | grep -v '^#' | awk -F', *' '{ print $NF }'; }
echo "output: decodes $([ -z "$errors" ] && echo cleanly || echo "with errors: $errors");" \
    "$(duration "$work/tool.mp4") s against the source's $(duration "$work/in.mkv") s;" \
    "video packets $(cmp -s <(packets "$work/tool.mp4") <(packets "$work/in.mkv") && echo "identical to the source's" || echo DIFFERENT)"
echo "load: $(uptime)"
