#!/usr/bin/env bash
# quillmora --convert --jobs 1 on 20 three-minute songs (FLAC to MP3) against a shell
# loop of bare ffmpeg given exactly the arguments the batch's transcoder runs
# (captured from the application, rewritten by build/transcoder
# --print-ffmpeg-arguments). Prints wall and CPU time, the ratio (target:
# the batch within 5% of the loop) and the batch's peak memory.
#   scripts/bench-batch.sh [build folder] [runs]      (defaults: build, 1)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-1}
[ -x "$build/quillmora" ] && [ -x "$build/transcoder" ] || { echo "build first: no $build/quillmora" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/songs"
echo "making 20 songs of 3 minutes in $work/songs ..."
for i in $(seq -w 1 20); do
    ffmpeg -nostdin -v error -f lavfi -i "sine=frequency=$((200 + 10#$i * 30)):sample_rate=44100:duration=180" \
        -ac 2 "$work/songs/song$i.flac"
done

# The transcoder arguments of every job, as the application passes them: a
# copy of the application whose "transcoder" only writes its arguments down.
mkdir -p "$work/capture/bin"
cp "$build/quillmora" "$build/quillmora-convert" "$work/capture/bin/"
cat > "$work/capture/bin/transcoder" <<'SH'
#!/bin/sh
printf '%s\n' "$@" > "$(dirname "$0")/args.$$"
SH
chmod +x "$work/capture/bin/transcoder"
"$work/capture/bin/quillmora" --convert --jobs 1 --format mp3 --output "$work/out" "$work"/songs/*.flac >/dev/null
mkdir "$work/bare"
bare_script=$work/bare.sh
: > "$bare_script"
for args in "$work"/capture/bin/args.*; do
    mapfile -t job < "$args"
    mapfile -t rewritten < <("$build/transcoder" --print-ffmpeg-arguments "${job[@]}")
    rewritten=("${rewritten[@]//$work\/out\//$work/bare/}")
    printf 'ffmpeg -hide_banner -nostdin -loglevel error' >> "$bare_script"
    printf ' %q' "${rewritten[@]}" >> "$bare_script"
    printf '\n' >> "$bare_script"
done
echo "bare ffmpeg, first of $(wc -l < "$bare_script") commands:"
head -n 1 "$bare_script"

# "wall cpu peak" of one run: seconds, seconds (with the children), kB.
measure() {
    /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" >/dev/null 2>"$work/errors" \
        || { cat "$work/errors" >&2; return 1; }
    awk '{ printf "%.2f %.2f %d\n", $1, $2 + $3, $4 }' "$work/time"
}

batch=()
bare=()
for ((r = 0; r < runs; r++)); do # alternating, so a change of load hits both alike
    rm -rf "$work/out" "$work/bare"/*
    batch+=("$(measure "$build/quillmora" --convert --jobs 1 --format mp3 --output "$work/out" "$work"/songs/*.flac)")
    bare+=("$(measure bash "$bare_script")")
done
[ "$(ls "$work/out" | wc -l)" = 20 ] && [ "$(ls "$work/bare" | wc -l)" = 20 ] || { echo "outputs missing" >&2; exit 1; }

. scripts/bench-common.sh
column() { printf '%s\n' "${@:2}" | awk -v c="$1" '{ print $c }' | median; }
batch_wall=$(column 1 "${batch[@]}"); bare_wall=$(column 1 "${bare[@]}")
batch_cpu=$(column 2 "${batch[@]}"); bare_cpu=$(column 2 "${bare[@]}")
batch_peak=$(column 3 "${batch[@]}")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f (%+.1f%%)", a / b, (a - b) * 100 / b }'; }
echo "20 songs of 3 min, FLAC to MP3, medians of $runs run(s):"
echo "  wall: quillmora --convert $batch_wall s, bare ffmpeg loop $bare_wall s, ratio $(ratio "$batch_wall" "$bare_wall")"
echo "  cpu:  quillmora --convert $batch_cpu s, bare ffmpeg loop $bare_cpu s, ratio $(ratio "$batch_cpu" "$bare_cpu")"
echo "  peak memory of the batch (largest process, /usr/bin/time): $batch_peak kB"
