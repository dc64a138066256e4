#!/usr/bin/env bash
# Loudness normalisation through quillmora --convert --loudness: three-minute
# songs made quiet, loud (clipped), noisy and of struck notes (whose peaks
# need loudnorm's dynamic mode for -14) are brought to -14, -16 and -23 LUFS;
# ffmpeg's ebur128 measures every output (targets: within 1 LU, true peak at
# most -1 dBTP). Then one song to MP3 and to Opus, with and without
# --loudness -16, alternating: medians of wall and CPU time and their ratio
# (target: at most 1.5).
#   scripts/bench-loudness.sh [build folder] [runs]      (defaults: build, 3)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
runs=${2:-3}
[ -x "$build/quillmora" ] && [ -x "$build/transcoder" ] || { echo "build first: no $build/quillmora" >&2; exit 1; }
. scripts/bench-common.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/songs"

# song NAME EXPRESSION NOISE: stereo 44.1 kHz FLAC of aevalsrc's sound and pink noise.
song() {
    ffmpeg -nostdin -v error -f lavfi -i "aevalsrc=$2:s=44100:d=180" -f lavfi -i "anoisesrc=color=pink:a=$3:d=180" \
        -filter_complex "[0][1]amix=inputs=2:normalize=0,aformat=channel_layouts=stereo" -ar 44100 "$work/songs/$1.flac"
}
echo "making four songs of 3 minutes in $work/songs ..."
song quiet "0.01*sin(2*PI*220*t)+0.006*sin(2*PI*660*t)" 0.002
song loud "clip(1.4*sin(2*PI*110*t)+0.7*sin(2*PI*330*t)\,-0.99\,0.99)" 0.05
song noisy "0.05*sin(2*PI*440*t)" 0.3
song notes "0.8*sin(2*PI*261*t)*exp(-12*mod(t\,1.5))+0.5*sin(2*PI*392*t)*exp(-12*mod(t+0.7\,2.1))+0.02*sin(2*PI*130*t)" 0.002

# "I TP" of a file as ebur128 measures it.
measure() {
    ffmpeg -nostdin -hide_banner -nostats -i "$1" -af ebur128=peak=true:framelog=verbose -f null - 2>&1 |
        awk '/Summary:/ { s = 1 } s && $1 == "I:" { i = $2 } s && $1 == "Peak:" { p = $2 } END { print i, p }'
}

echo
echo "outputs (MP3), measured by ebur128: integrated loudness, true peak"
printf '%-8s %-16s %-16s %-16s %-16s\n' song source "-14 LUFS" "-16 LUFS" "-23 LUFS"
worst_lu=0
worst_peak=-99
for name in quiet loud noisy notes; do
    read -r si sp < <(measure "$work/songs/$name.flac")
    row=$(printf '%-8s %-16s' "$name" "$si, $sp")
    for target in -14 -16 -23; do
        out="$work/out$target"
        "$build/quillmora" --convert --jobs 1 --loudness "$target" -f mp3 -o "$out" "$work/songs/$name.flac" >/dev/null
        read -r oi op < <(measure "$out/$name.mp3")
        row+=$(printf ' %-16s' "$oi, $op")
        worst_lu=$(awk -v w="$worst_lu" -v i="$oi" -v t="$target" 'BEGIN { d = i - t; if (d < 0) d = -d; print (d > w) ? d : w }')
        worst_peak=$(awk -v w="$worst_peak" -v p="$op" 'BEGIN { print (p > w) ? p : w }')
    done
    echo "$row"
done
echo "farthest from its target: $worst_lu LU (target: 1); highest true peak: $worst_peak dBTP (target: -1)"

echo
echo "time of one song (noisy.flac, 3 min), medians of $runs alternating runs:"
for format in mp3 opus; do
    plain=()
    normalised=()
    for ((r = 0; r < runs; r++)); do
        rm -rf "$work/time"
        plain+=("$(time_ms "$build/quillmora" --convert --jobs 1 -f "$format" -o "$work/time/plain" "$work/songs/noisy.flac")")
        normalised+=("$(time_ms "$build/quillmora" --convert --jobs 1 --loudness -16 -f "$format" -o "$work/time/normalised" \
            "$work/songs/noisy.flac")")
    done
    column() { printf '%s\n' "${@:2}" | awk -v c="$1" '{ print $c }' | median; }
    pw=$(column 1 "${plain[@]}"); pc=$(column 2 "${plain[@]}")
    nw=$(column 1 "${normalised[@]}"); nc=$(column 2 "${normalised[@]}")
    awk -v f="$format" -v pw="$pw" -v pc="$pc" -v nw="$nw" -v nc="$nc" 'BEGIN {
        printf "  %-4s  wall: %d ms plain, %d ms normalised, ratio %.2f;  cpu: %d ms plain, %d ms normalised, ratio %.2f\n",
            f, pw, nw, nw / pw, pc, nc, nc / pc }'
done
