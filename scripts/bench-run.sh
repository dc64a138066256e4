#!/usr/bin/env bash
# Prints what the conversion run adds to the tools' own work:
#  1. the time from a tool's exit to its row's 100 and to its final state;
#  2. the CPU time the progress poller's thread uses over a 60 s pass;
#  3. 20 songs of three minutes (MP3 to AAC) through the run against a shell
#     loop of bare ffmpeg with the same rewritten arguments (target: within 5%).
#   scripts/bench-run.sh [build folder] [song runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-1}
bench="$build/devtools/bench/quillmora_runbench"
for program in "$bench" "$build/transcoder"; do
    [ -x "$program" ] || { echo "no $program: build first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/fake" "$work/in" "$work/out"

. scripts/bench-common.sh
maximum() { sort -n | tail -1; }

# 1. A stand-in tool that stamps the moment of its exit beside its output.
cat >"$work/fake/transcoder" <<'TOOL'
#!/bin/sh
for last; do :; done
sleep "${FAKE_SECONDS:-0.5}"
: >"$last"
date +%s%N >"$last.exit"
TOOL
chmod +x "$work/fake/transcoder"
for i in $(seq -w 0 9); do : >"$work/in/clip$i.avi"; done
"$bench" "$work/fake" 0 "$work/out" "$work/in"/clip*.avi >"$work/latency.txt"
while read -r _ row _ state _ stateAt _ hundredAt _; do
    [ "$state" = 4 ] || { echo "row $row failed" >&2; exit 1; }
    exited=$(cat "$work/out/clip$row.mp4.exit")
    echo "$(( (stateAt - exited) / 1000 )) $(( (hundredAt - exited) / 1000 ))"
done < <(grep '^row ' "$work/latency.txt") >"$work/latency.us"
echo "From the tool's exit (10 passes, microseconds, median / max):"
echo "  to its final state: $(cut -d' ' -f1 "$work/latency.us" | median) / $(cut -d' ' -f1 "$work/latency.us" | maximum)"
echo "  to its 100:         $(cut -d' ' -f2 "$work/latency.us" | median) / $(cut -d' ' -f2 "$work/latency.us" | maximum)"

# 2. One 60 s pass, polled every 100 ms.
rm -f "$work/out"/*
FAKE_SECONDS=60 "$bench" "$work/fake" 0 "$work/out" "$work/in/clip0.avi" >"$work/poller.txt"
poller_us=$(awk '/^row / { print $10 }' "$work/poller.txt")
echo "Progress poller over a 60 s pass: $poller_us us CPU ($(awk -v u="$poller_us" 'BEGIN { printf "%.4f", u / 600000 }')% of one core)"

# 3. Twenty songs. One song is made and copied: the work per song is the same.
echo "Making 20 songs of 3 minutes ..."
ffmpeg -nostdin -v error -y -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=180" \
    -ac 2 -c:a libmp3lame -b:a 192k "$work/song.mp3"
mkdir -p "$work/songs" "$work/run" "$work/bare"
for i in $(seq -w 1 20); do cp "$work/song.mp3" "$work/songs/song$i.mp3"; done

# The ffmpeg arguments of every song: the run's transcoder arguments,
# rewritten by the transcoder as it would rewrite them.
"$bench" --print-arguments "$build" 12 "$work/bare" "$work/songs"/*.mp3 >"$work/jobs.txt"
: >"$work/ffmpeg-jobs.txt"
job=()
while IFS= read -r line; do
    if [ -n "$line" ]; then job+=("$line"); continue; fi
    "$build/transcoder" --print-ffmpeg-arguments "${job[@]}" >>"$work/ffmpeg-jobs.txt"
    echo >>"$work/ffmpeg-jobs.txt"
    job=()
done <"$work/jobs.txt"

bare_loop() {
    local args=()
    while IFS= read -r line; do
        if [ -n "$line" ]; then args+=("$line"); continue; fi
        ffmpeg -hide_banner -nostdin -loglevel error "${args[@]}" >/dev/null
        args=()
    done <"$work/ffmpeg-jobs.txt"
}

# "wall cpu" in seconds of a command; cpu counts the children it waited for (transcoder, ffmpeg).
timed() {
    local TIMEFORMAT='%3R %3U %3S' timing
    timing=$({ time "$@" >/dev/null; } 2>&1)
    awk '{ printf "%.2f %.2f\n", $1, $2 + $3 }' <<<"$timing"
}

run_times=()
bare_times=()
for ((r = 0; r < runs; r++)); do # alternating, so a change of load hits both alike
    rm -f "$work/run"/* "$work/bare"/*
    run_times+=("$(timed "$bench" "$build" 12 "$work/run" "$work/songs"/*.mp3)")
    bare_times+=("$(timed bare_loop)")
done
[ "$(ls "$work/run" | wc -l)" = 20 ] && [ "$(ls "$work/bare" | wc -l)" = 20 ] || { echo "outputs missing" >&2; exit 1; }
read -r run_wall run_cpu < <(printf '%s\n' "${run_times[@]}" | sort -n | awk '{ v[NR] = $0 } END { print v[int((NR + 1) / 2)] }')
read -r bare_wall bare_cpu < <(printf '%s\n' "${bare_times[@]}" | sort -n | awk '{ v[NR] = $0 } END { print v[int((NR + 1) / 2)] }')
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
echo "20 songs of 3 min, MP3 to AAC (median of $runs; target: the run within 5%):"
echo "  wall: run $run_wall s, bare ffmpeg loop $bare_wall s, ratio $(ratio "$run_wall" "$bare_wall")"
echo "  cpu:  run $run_cpu s, bare ffmpeg loop $bare_cpu s, ratio $(ratio "$run_cpu" "$bare_cpu")"
echo "  On a busy machine the CPU figure is the steadier one."
