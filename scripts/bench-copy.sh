#!/usr/bin/env bash
# Prints how long "quillmora --convert -f mp4" (the run and the transcoder,
# which copies the streams itself) and build/transcoder alone take to turn a 60 s 1080p H.264 and
# AAC .mkv into an MP4 with the application's default MP4 arguments (both
# streams copied, not encoded again) against a bare "ffmpeg -i in.mkv -c copy
# out.mp4" of the same file (target: at most 1.3 times; medians of alternating
# runs), and checks both outputs: they decode without an error, last as long
# as the source, and their video and audio packets are the source's bit for bit.
#   scripts/bench-copy.sh [build folder] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-7}
transcoder="$build/transcoder"
quillmora="$build/quillmora"
[ -x "$transcoder" ] && [ -x "$quillmora" ] || { echo "no $transcoder or $quillmora: build first" >&2; exit 1; }

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

mkdir "$work/run"
batch_times=()
tool_times=()
bare_times=()
for ((i = 0; i < runs; i++)); do
    rm -f "$work/run/in.mp4"
    batch_times+=("$(time_ms "$quillmora" --convert -f mp4 -o "$work/run" "$work/in.mkv")")
    tool_times+=("$(time_ms "$transcoder" "${job[@]}")")
    bare_times+=("$(time_ms ffmpeg -nostdin -v error -y -i "$work/in.mkv" -c copy "$work/bare.mp4")")
done
column() { printf '%s\n' "${@:2}" | cut -d' ' -f"$1" | median; }
ratio() { awk -v t="$1" -v b="$2" 'BEGIN { printf "%.2f", t / b }'; }
bare_wall=$(column 1 "${bare_times[@]}")
bare_cpu=$(column 2 "${bare_times[@]}")
echo "60 s 1080p H.264/AAC .mkv to MP4, medians of $runs runs (target: at most 1.3 times bare ffmpeg -c copy):"
for who in "quillmora --convert:batch_times" "transcoder alone:tool_times"; do
    declare -n times=${who#*:}
    wall=$(column 1 "${times[@]}")
    cpu=$(column 2 "${times[@]}")
    echo "  ${who%:*}: wall $wall ms against $bare_wall ms, ratio $(ratio "$wall" "$bare_wall");" \
        "cpu $cpu ms against $bare_cpu ms, ratio $(ratio "$cpu" "$bare_cpu")"
    unset -n times
done

# The outputs: decode cleanly, last as long, the same video packets.
duration() { ffprobe -v error -show_entries format=duration -of csv=p=0 "$1"; }
packets() { ffmpeg -nostdin -v error -i "$1" -map "0:$2:0" -c copy -f framemd5 - | grep -v '^#' | awk -F', *' '{ print $NF }'; }
for output in "$work/run/in.mp4" "$work/tool.mp4"; do
    errors=$(ffmpeg -nostdin -v error -i "$output" -f null - 2>&1 || echo "ffmpeg failed")
    echo "$(basename "$(dirname "$output")")/$(basename "$output"): decodes $([ -z "$errors" ] && echo cleanly || echo "with errors: $errors");" \
        "$(duration "$output") s against the source's $(duration "$work/in.mkv") s;" \
        "video packets $(cmp -s <(packets "$output" v) <(packets "$work/in.mkv" v) && echo "identical to the source's" || echo DIFFERENT)," \
        "audio packets $(cmp -s <(packets "$output" a) <(packets "$work/in.mkv" a) && echo "identical to the source's" || echo DIFFERENT)"
done
echo "load: $(uptime)"
