#!/usr/bin/env bash
# A music library through the batch mode: a tree of two-second FLAC songs in
# 20 folders ("Artist 01/Album" ... "Artist 20/Album").
#   (a) quillmora --convert -f mp3 -o out tree/ against
#       find tree -name '*.flac' -print0 | xargs -0 -P$(nproc) running ffmpeg
#       with the encoder arguments Quillmora's transcoder gives ffmpeg (read
#       with build/transcoder --print-ffmpeg-arguments): wall, CPU, ratio.
#   (b) the same command again with --update, every output up to date, over
#       the songs of (a) and over trees of 400 and 10,000 songs (hard links
#       of (a)'s songs and outputs): targets under 1 s for 400, under 2 s for
#       10,000. Medians of three runs.
#   (c) the real window, offscreen (devtools/bench/librarybench.cpp): MP3
#       chosen, the tree added by "Add Folder...", Convert pressed, until the
#       result box: wall and CPU (every thread and every tool), against the
#       find | xargs figures of (a), measured again right after. Target 1.10.
#   scripts/bench-library.sh [build folder] [songs]     (defaults: build, 400)
# WINDOW_ONLY=1 runs (c) alone, BATCH_ONLY=1 (a) alone: a 4,000-song run in
# two parts, each short enough to hold the benchmark lock. ROUNDS=N takes (a)
# N times, alternating which goes first: the machine's speed drifts by a
# fifth from one minute to the next.
# Each measurement is a function of its own that prints one line.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/bench-common.sh
build=$(realpath "${1:-build}")
songs=${2:-400}
[ -x "$build/quillmora" ] && [ -x "$build/transcoder" ] || { echo "build first: no $build/quillmora" >&2; exit 1; }
cmake --build "$build" -j2 --target quillmora_bench_library >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folders=20

# make_tree TREE N [SONG]: N songs spread over the folders, named "NNNN Song.flac":
# hard links of one song made by ffmpeg for each folder, or of SONG.
make_tree() {
    local tree=$1 n=$2 song=${3:-} f i folder
    for ((f = 1; f <= folders; f++)); do
        printf -v folder '%s/Artist %02d/Album' "$tree" "$f"
        mkdir -p "$folder"
        [ -n "$song" ] || ffmpeg -nostdin -v error -f lavfi \
            -i "sine=frequency=$((200 + f * 30)):sample_rate=44100:duration=2" -ac 2 "$folder/first.flac"
    done
    for ((i = 0; i < n; i++)); do
        printf -v folder '%s/Artist %02d/Album' "$tree" $((i % folders + 1))
        printf '%s\0%s/%04d Song.flac\0' "${song:-$folder/first.flac}" "$folder" "$i"
    done | link_pairs
    [ -n "$song" ] || rm -f "$tree"/*/Album/first.flac
}

# Hard links from the pairs "file, new name" on standard input (NUL-separated),
# in one process: ten thousand ln would take minutes on a busy machine.
link_pairs() { perl -0 -ne 'chomp; if (defined $from) { link($from, $_) or die "$_: $!\n"; undef $from } else { $from = $_ }'; }

# link_outputs TREE OUT MP3: an up-to-date output for every song of TREE, hard links of MP3.
link_outputs() {
    local tree=$1 out=$2 mp3=$3 folder song
    for folder in "$tree"/*/Album; do
        mkdir -p "$out/${folder#"$tree"/}"
        for song in "$folder"/*.flac; do
            song=${song#"$tree"/}
            printf '%s\0%s\0' "$mp3" "$out/${song%.flac}.mp3"
        done
    done | link_pairs
}

# The ffmpeg arguments of one FLAC-to-MP3 job as the transcoder runs them,
# one a line, with IN and OUT for the paths: taken from a copy of the
# application whose "transcoder" writes its arguments down.
encoder_arguments() {
    local capture=$work/capture
    mkdir -p "$capture/bin" "$capture/in"
    cp "$build/quillmora" "$build/quillmora-convert" "$capture/bin/"
    printf '#!/bin/sh\nprintf "%%s\\n" "$@" > "$(dirname "$0")/args"\n' > "$capture/bin/transcoder"
    chmod +x "$capture/bin/transcoder"
    ffmpeg -nostdin -v error -f lavfi -i sine=duration=1 "$capture/in/IN.flac"
    "$capture/bin/quillmora" --convert -f mp3 -o "$capture/out" "$capture/in" >/dev/null
    mapfile -t job < "$capture/bin/args"
    "$build/transcoder" --print-ffmpeg-arguments "${job[@]}" \
        | sed -e "s|^$capture/in/IN.flac\$|IN|" -e "s|^$capture/out/IN.mp3\$|OUT|"
}

# The script xargs runs for each song: the same arguments, the tree mirrored.
write_bare_script() {
    local tree=$1 out=$2 script=$work/bare-one.sh arg
    {
        echo '#!/bin/sh'
        echo 'rel=${1#'"$tree"'/}; out='"$out"'/${rel%.flac}.mp3; mkdir -p "${out%/*}"'
        printf 'exec ffmpeg -hide_banner -nostdin -loglevel error -y'
        while IFS= read -r arg; do
            case $arg in
            IN) printf ' "$1"' ;;
            OUT) printf ' "$out"' ;;
            *) printf ' %q' "$arg" ;;
            esac
        done < "$work/arguments"
        printf '\n'
    } > "$script"
    chmod +x "$script"
    echo "$script"
}

target_for() { case $1 in 400) echo 'under 1 s' ;; 10000) echo 'under 2 s' ;; *) echo 'none' ;; esac; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
seconds() { awk -v ms="$1" 'BEGIN { printf "%.2f s", ms / 1000 }'; }

# (a) converting the tree, against find | xargs -P ffmpeg: ROUNDS pairs
# (default 1), each pair in the other order than the one before, medians.
measure_convert() {
    local tree=$1 n=$2 bare_script=$work/bare-one.sh rounds=${ROUNDS:-1} r qs=() bs=() made bare_made
    for ((r = 0; r < rounds; r++)); do
        rm -rf "$work/out" "$work/bare"
        if ((r % 2 == 0)); then
            qs+=("$(time_ms "$build/quillmora" --convert -f mp3 -o "$work/out" "$tree/")")
            bs+=("$(time_ms bash -c "find '$tree' -name '*.flac' -print0 | xargs -0 -n1 -P\"\$(nproc)\" '$bare_script'")")
        else
            bs+=("$(time_ms bash -c "find '$tree' -name '*.flac' -print0 | xargs -0 -n1 -P\"\$(nproc)\" '$bare_script'")")
            qs+=("$(time_ms "$build/quillmora" --convert -f mp3 -o "$work/out" "$tree/")")
        fi
        made=$(find "$work/out" -name '*.mp3' | wc -l)
        bare_made=$(find "$work/bare" -name '*.mp3' | wc -l)
        [ "$made" = "$n" ] && [ "$bare_made" = "$n" ] || { echo "outputs missing: $made and $bare_made of $n" >&2; exit 1; }
    done
    column() { printf '%s\n' "${@:2}" | cut -d' ' -f"$1" | median; }
    local qw qc bw bc
    qw=$(column 1 "${qs[@]}") qc=$(column 2 "${qs[@]}") bw=$(column 1 "${bs[@]}") bc=$(column 2 "${bs[@]}")
    bare_wall=$bw bare_cpu=$bc
    printf '(a) %6d songs to MP3: quillmora wall %s, CPU %s; find | xargs -P%d ffmpeg wall %s, CPU %s; ratio wall %s, CPU %s%s\n' \
        "$n" "$(seconds "$qw")" "$(seconds "$qc")" "$(nproc)" "$(seconds "$bw")" "$(seconds "$bc")" \
        "$(ratio "$qw" "$bw")" "$(ratio "$qc" "$bc")" "$( ((rounds > 1)) && echo " (medians of $rounds pairs)")"
}

# (c) the tree through the window, against find | xargs run again beside it.
measure_window() {
    local tree=$1 n=$2 rows wall cpu kept succeeded b
    rm -rf "$work/bare"
    b=$(time_ms bash -c "find '$tree' -name '*.flac' -print0 | xargs -0 -n1 -P\"\$(nproc)\" '$work/bare-one.sh'")
    (
        offscreen_home "$work/window"
        mkdir -p "$XDG_CONFIG_HOME/Trolltech"
        printf '[General]\noutFolder=%s\n' "$work/window-out" > "$XDG_CONFIG_HOME/Trolltech/Quillmora.conf"
        "$build/devtools/bench/quillmora_bench_library" "$build" "$tree" 2>/dev/null
    ) > "$work/window-line" || { echo "the window run failed: $(cat "$work/window-line")" >&2; exit 1; }
    read -r rows wall cpu kept succeeded < "$work/window-line"
    [ "$rows" = "$n" ] && [ "$succeeded" = "$n" ] && [ "$(find "$work/window-out" -name '*.mp3' | wc -l)" = "$n" ] \
        || { echo "the window converted $succeeded of $rows rows, $n songs" >&2; exit 1; }
    read -r bw bc <<<"$b"
    local earlier=''
    [ -z "${bare_wall:-}" ] || earlier=" (in (a): $(seconds "$bare_wall"), $(seconds "$bare_cpu"))"
    printf '(c) %6d songs through the window, Convert to the result box: wall %s, CPU %s (kept list written at %s); find | xargs wall %s, CPU %s%s; ratio wall %s, CPU %s\n' \
        "$n" "$(seconds "$wall")" "$(seconds "$cpu")" "$(seconds "$kept")" "$(seconds "$bw")" "$(seconds "$bc")" \
        "$earlier" "$(ratio "$wall" "$bw")" "$(ratio "$cpu" "$bc")"
}

# (b) the same command with --update over a tree whose outputs are all up to date.
measure_update() {
    local tree=$1 out=$2 n=$3 target=$4 walls=() cpus=() r line
    for r in 1 2 3; do
        line=$(time_ms "$build/quillmora" --convert -f mp3 -o "$out" --update "$tree/")
        walls+=("${line% *}")
        cpus+=("${line#* }")
    done
    "$build/quillmora" --convert -f mp3 -o "$out" --update "$tree/" | tail -n 1 | grep -q "0 of $n jobs converted, $n up to date" \
        || { echo "--update over $n songs converted something" >&2; exit 1; }
    printf '(b) %6d songs, all up to date: wall %s, CPU %s (target: %s)\n' "$n" \
        "$(seconds "$(printf '%s\n' "${walls[@]}" | median)")" "$(seconds "$(printf '%s\n' "${cpus[@]}" | median)")" "$target"
}

echo "making $songs songs of 2 s in $folders folders ..."
make_tree "$work/tree" "$songs"
encoder_arguments > "$work/arguments"
echo "ffmpeg arguments of a job: $(tr '\n' ' ' < "$work/arguments")"
write_bare_script "$work/tree" "$work/bare" >/dev/null
[ -n "${WINDOW_ONLY:-}" ] || measure_convert "$work/tree" "$songs"
[ -n "${BATCH_ONLY:-}" ] || measure_window "$work/tree" "$songs"
[ -n "${WINDOW_ONLY:-}${BATCH_ONLY:-}" ] && exit 0
measure_update "$work/tree" "$work/out" "$songs" "$(target_for "$songs")"
song=$(find "$work/tree" -name '*.flac' -print -quit)
mp3=$(find "$work/out" -name '*.mp3' -print -quit)
for n in 400 10000; do
    [ "$n" = "$songs" ] && continue
    make_tree "$work/tree-$n" "$n" "$song"
    link_outputs "$work/tree-$n" "$work/out-$n" "$mp3"
    measure_update "$work/tree-$n" "$work/out-$n" "$n" "$(target_for "$n")"
done
