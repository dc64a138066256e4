#!/usr/bin/env bash
# Several jobs at once against one after another: quillmora --convert with
# the default --jobs auto against the same run with --jobs 1, on
#   20 three-minute songs, MP3 to AAC        (target: at most 0.6 of --jobs 1 on 2 cores)
#   100 photos of 6 megapixels, JPEG to PNG (target: at most 0.6 of --jobs 1 on 2 cores)
#   4 one-minute 1080p videos, to MP4        (target: auto no slower than --jobs 1)
# Prints the wall time of each (median of the runs) and the ratio.
#   scripts/bench-jobs.sh [build folder] [runs] [which: songs,photos,videos]
#   (defaults: build, 1, all three; VIDEO_SECONDS=60 sets the videos' length)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-1}
which=${3:-songs,photos,videos}
video_seconds=${VIDEO_SECONDS:-60}
[ -x "$build/quillmora" ] && [ -x "$build/transcoder" ] || { echo "build first: no $build/quillmora" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

make_songs() {
    mkdir "$work/songs"
    for i in $(seq -w 1 20); do
        ffmpeg -nostdin -v error -f lavfi -i "sine=frequency=$((200 + 10#$i * 30)):sample_rate=44100:duration=180" \
            -ac 2 -c:a libmp3lame -b:a 192k "$work/songs/song$i.mp3"
    done
}

make_photos() {
    mkdir "$work/photos"
    ffmpeg -nostdin -v error -f lavfi -i "testsrc2=size=3000x2000:rate=1" -frames:v 100 -q:v 3 \
        "$work/photos/photo%03d.jpg"
}

make_videos() {
    mkdir "$work/videos"
    for i in 1 2 3 4; do
        ffmpeg -nostdin -v error -f lavfi -i "testsrc2=size=1920x1080:rate=25:duration=$video_seconds" \
            -f lavfi -i "sine=frequency=$((300 + i * 100)):duration=$video_seconds" \
            -c:v mpeg4 -q:v 4 -c:a pcm_s16le "$work/videos/clip$i.avi"
    done
}

# Wall seconds of one batch run; fails when a job failed.
measure() {
    local out=$1; shift
    rm -rf "$out"
    /usr/bin/time -f '%e' -o "$work/time" "$build/quillmora" --convert --output "$out" "$@" \
        >/dev/null 2>"$work/errors" || { cat "$work/errors" >&2; return 1; }
    cat "$work/time"
}

. scripts/bench-common.sh

# name, expected output count, batch arguments
compare() {
    local name=$1 count=$2; shift 2
    local one=() auto=()
    for ((r = 0; r < runs; r++)); do # alternating, so a change of load hits both alike
        one+=("$(measure "$work/one" --jobs 1 "$@")")
        auto+=("$(measure "$work/auto" "$@")")
    done
    [ "$(ls "$work/one" | wc -l)" = "$count" ] && [ "$(ls "$work/auto" | wc -l)" = "$count" ] \
        || { echo "$name: outputs missing" >&2; exit 1; }
    local one_wall auto_wall
    one_wall=$(printf '%s\n' "${one[@]}" | median)
    auto_wall=$(printf '%s\n' "${auto[@]}" | median)
    printf '  %-34s --jobs 1 %7.2f s   auto %7.2f s   ratio %.3f\n' "$name" "$one_wall" "$auto_wall" \
        "$(awk -v a="$auto_wall" -v b="$one_wall" 'BEGIN { print a / b }')"
}

echo "making the media in $work ..."
[[ $which == *songs* ]] && make_songs
[[ $which == *photos* ]] && make_photos
[[ $which == *videos* ]] && make_videos
echo "$(nproc) cores, medians of $runs run(s); ratio = auto / --jobs 1:"
[[ $which == *songs* ]] && compare "20 songs of 3 min, MP3 to AAC" 20 --format aac "$work"/songs/*.mp3
[[ $which == *photos* ]] && compare "100 photos 3000x2000, JPEG to PNG" 100 --format png "$work"/photos/*.jpg
[[ $which == *videos* ]] && compare "4 videos of ${video_seconds} s 1080p, to MP4" 4 --format mp4 "$work"/videos/*.avi
exit 0
