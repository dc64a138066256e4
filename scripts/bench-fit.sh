#!/usr/bin/env bash
# "Fit in" a size: ten clips that differ (calm and noisy, 10 s to 10 min,
# with and without sound, odd sizes, a phone clip stored turned), three sizes
# each, fitted as MP4 (H.264), HEVC, WebM (VP9) and AV1 by build/transcoder
# with the arguments the application writes for those formats. Prints for
# each output its share of the size (target: 95-100 %, never over) and how
# many encodes it took, and for each format the CPU time of the fitted jobs
# against one pass of the same encoder at the same speed and bitrate (the
# fitted job's last pass without its statistics, run by ffmpeg), and against
# the application's plain job of the format. They differ for VP9 alone: its
# two passes need libvpx's good deadline, its plain job runs at the realtime
# one. x264 and x265 run ultrafast, SVT-AV1 at preset 12.
# Every size can work by the arithmetic (sound and the least picture fit in
# it): a size that cannot is refused before encoding, as tst_transcoderfit checks.
#   scripts/bench-fit.sh [build folder] [clips, 1-10] [formats, e.g. "mp4 av1"]
# FIT_CLIPS="name ..." runs only the clips of those names.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/bench-common.sh
build=$(realpath "${1:-build}")
clip_count=${2:-10}
formats=(${3:-mp4 hevc webm av1})
transcoder="$build/transcoder"
[ -x "$transcoder" ] || { echo "no $transcoder: build first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" # the passes' statistics go in the working folder
export QUILLMORA_PROGRESS_BLOCK=/quillmora-bench-fit.$$ # not the application's block

lavfi() { ffmpeg -nostdin -v error -y "$@"; }
tone() { echo "sine=frequency=440:sample_rate=44100:duration=$1"; }
hiss() { echo "anoisesrc=color=pink:amplitude=0.3:sample_rate=48000:duration=$1"; }
# name, seconds, three sizes in kB; the clip is made by make_<name>.
clips=(
    "calm-10s 10 200 400 900"
    "noisy-20s 20 400 1000 2500"
    "talk-60s-mono 60 700 1200 2000"
    "silent-45s 45 400 1000 2000"
    "odd-333x187-30s 30 600 1000 1600"
    "phone-turned-20s 20 400 700 1200"
    "fast-60fps-15s 15 300 800 1800"
    "zoom-640x360-20s 20 500 1200 3000"
    "noisy-2min 120 2500 4000 8000"
    "long-10min 600 10000 14000 20000"
)
make_calm-10s() { lavfi -f lavfi -i "testsrc2=size=320x240:rate=25:duration=10" -f lavfi -i "$(tone 10)" -ac 2 "$1"; }
make_noisy-20s() {
    lavfi -f lavfi -i "testsrc2=size=320x240:rate=25:duration=20,noise=alls=30:allf=t" -f lavfi -i "$(hiss 20)" \
        -ac 2 "$1"
}
# Calm: little moves, and little detail to code.
make_talk-60s-mono() { lavfi -f lavfi -i "testsrc=size=320x240:rate=25:duration=60" -f lavfi -i "$(tone 60)" "$1"; }
make_silent-45s() { lavfi -f lavfi -i "testsrc2=size=320x240:rate=25:duration=45,boxblur=2" "$1"; }
make_odd-333x187-30s() {
    lavfi -f lavfi -i "testsrc2=size=333x187:rate=30:duration=30" -f lavfi -i "$(tone 30)" -ac 2 -pix_fmt yuv444p "$1"
}
make_phone-turned-20s() {
    lavfi -f lavfi -i "testsrc2=size=180x320:rate=30:duration=20,transpose=1" -f lavfi -i "$(tone 20)" -ac 2 \
        -pix_fmt yuv420p "$work/stored.mp4"
    lavfi -i "$work/stored.mp4" -c copy -metadata:s:v rotate=90 "$1"
}
make_fast-60fps-15s() {
    lavfi -f lavfi -i "mandelbrot=size=320x240:rate=60,trim=duration=15" -f lavfi -i "$(tone 15)" -ac 2 "$1"
}
make_zoom-640x360-20s() {
    lavfi -f lavfi -i "mandelbrot=size=640x360:rate=25,trim=duration=20" -f lavfi -i "$(hiss 20)" -ac 2 "$1"
}
make_noisy-2min() {
    lavfi -f lavfi -i "testsrc2=size=256x144:rate=25:duration=120,noise=alls=20:allf=t" -f lavfi -i "$(hiss 120)" \
        -ac 2 "$1"
}
make_long-10min() {
    lavfi -f lavfi -i "testsrc2=size=192x108:rate=15:duration=600" -f lavfi -i "$(tone 600)" -ac 2 "$1"
}

# The application's arguments for each format (engine/transcoderarguments.cpp).
codecs_of() {
    case $1 in
    mp4) echo "-vcodec libx264 -acodec libfaac mp4" ;;
    hevc) echo "-vcodec libx265 -acodec libfaac mp4" ;;
    webm) echo "-vcodec libvpx-vp9 -acodec libopus webm" ;;
    av1) echo "-vcodec libsvtav1 -acodec libfaac mp4" ;;
    esac
}

# ffmpeg's arguments for one pass at the fitted job's speed and bitrate: its
# last pass as the transcoder prints it, without the statistics, writing $1.
one_pass_of() {
    local output=$1 line skip=0 arguments=()
    shift
    while IFS= read -r line; do
        if [ -z "$line" ]; then arguments=(); continue; fi # a pass before the last
        arguments+=("$line")
    done < <("$transcoder" --print-ffmpeg-arguments "$@")
    local kept=() i
    for ((i = 0; i < ${#arguments[@]} - 1; i++)); do
        if ((skip)); then skip=0; continue; fi
        case ${arguments[i]} in
        -pass | -passlogfile) skip=1 ;;
        -x265-params)
            kept+=(-x265-params "$(sed -E 's/(^|:)(pass|stats)=[^:]*//g; s/^://' <<<"${arguments[i + 1]}")")
            skip=1
            ;;
        *) kept+=("${arguments[i]}") ;;
        esac
    done
    printf '%s\n' "${kept[@]}" "$output"
}

# "wall cpu" in ms, or "0 0" when the command failed; stdout to $1, stderr to $1.err.
run_timed() {
    local out=$1
    shift
    time_ms_into "$out" "$out.err" "$@" || { echo "  ($(tail -1 "$out.err"))" >&2; echo "0 0"; }
}

chosen=()
for ((c = 0; c < clip_count; c++)); do
    read -r name _ <<<"${clips[c]}"
    [ -z "${FIT_CLIPS:-}" ] || [[ " $FIT_CLIPS " == *" $name "* ]] && chosen+=("${clips[c]}")
done
echo "Making ${#chosen[@]} clips in $work ..."
for clip in "${chosen[@]}"; do
    read -r name _ <<<"$clip"
    "make_$name" "$work/$name.mkv"
done

declare -A fitted_cpu fitted_wall onepass_cpu plain_cpu within total shares
for format in "${formats[@]}"; do
    fitted_cpu[$format]=0 fitted_wall[$format]=0 onepass_cpu[$format]=0 plain_cpu[$format]=0
    within[$format]=0 total[$format]=0 shares[$format]=""
done
printf '%-20s %-5s %9s %10s %7s %6s %8s\n' clip format "size kB" "written kB" share tries "cpu s"
for clip in "${chosen[@]}"; do
    read -r name seconds sizes <<<"$clip"
    read -r _ middle _ <<<"$sizes"
    for format in "${formats[@]}"; do
        read -r vopt venc aopt aenc suffix <<<"$(codecs_of "$format")"
        job=(-y -i "$work/$name.mkv" -threads 4 -preset ultrafast "$vopt" "$venc" "$aopt" "$aenc")
        read -r _ cpu < <(run_timed plain.out nice "$transcoder" "${job[@]}" "plain.$suffix")
        plain_cpu[$format]=$((plain_cpu[$format] + 3 * cpu))
        mapfile -t one_pass < <(one_pass_of "onepass.$suffix" --fit-size=$((middle * 1000)) "${job[@]}" "fit.$suffix")
        read -r _ cpu < <(run_timed onepass.out nice ffmpeg -nostdin -v error "${one_pass[@]}")
        onepass_cpu[$format]=$((onepass_cpu[$format] + 3 * cpu))
        for kb in $sizes; do
            bytes=$((kb * 1000))
            read -r wall cpu < <(run_timed fit.out nice "$transcoder" --fit-size=$bytes "${job[@]}" "fit.$suffix")
            written=$(stat -c %s "fit.$suffix" 2>/dev/null || echo 0)
            tries=$(sed -n 's/^quillmora:fit-tries=//p' fit.out)
            share=$(awk -v w="$written" -v b="$bytes" 'BEGIN { printf "%.1f", 100 * w / b }')
            fitted_wall[$format]=$((fitted_wall[$format] + wall)) fitted_cpu[$format]=$((fitted_cpu[$format] + cpu))
            total[$format]=$((total[$format] + 1))
            if ((written <= bytes && written * 100 >= bytes * 95)); then within[$format]=$((within[$format] + 1)); fi
            shares[$format]+="$share"$'\n'
            printf '%-20s %-5s %9d %10.1f %6s%% %6s %8.1f\n' "$name" "$format" "$kb" \
                "$(awk -v w="$written" 'BEGIN { print w / 1000 }')" "$share" "${tries:-failed}" \
                "$(awk -v c="$cpu" 'BEGIN { print c / 1000 }')"
            rm -f "fit.$suffix"
        done
        rm -f "plain.$suffix" "onepass.$suffix"
    done
done

echo
echo "Per format: outputs within 95-100 % of the size, the lowest and highest share, the fitted"
echo "jobs' CPU time against one pass at the same speed and bitrate and against the plain job of"
echo "the format (both once a clip, counted three times), and the fitted jobs' wall time:"
for format in "${formats[@]}"; do
    lowest=$(printf '%s' "${shares[$format]}" | sort -n | head -1)
    highest=$(printf '%s' "${shares[$format]}" | sort -n | tail -1)
    awk -v f="$format" -v i="${within[$format]}" -v t="${total[$format]}" -v lo="$lowest" -v hi="$highest" \
        -v fc="${fitted_cpu[$format]}" -v oc="${onepass_cpu[$format]}" -v pc="${plain_cpu[$format]}" \
        -v fw="${fitted_wall[$format]}" \
        'BEGIN { printf "  %-5s %2d of %2d within, %5.1f-%5.1f %%   cpu %.2f x one pass, %.2f x plain job   %.0f s wall\n",
                 f, i, t, lo, hi, (oc > 0 ? fc / oc : 0), (pc > 0 ? fc / pc : 0), fw / 1000 }'
done
echo "Load average now: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores."
