#!/usr/bin/env bash
# Start-up of the main window against a bare Qt Widgets main window with a
# menu, a tool bar and a table (devtools/bench/barewindow.cpp), side by side
# in one run: from the launch of each program to its window's first paint,
# alternating, medians of RUNS; the target is at most 1.5 times the bare
# window. The main window starts twice, with a stored settings file and with
# an empty store; the command's own start, before the window's program takes
# its place, is timed apart and added. Then the time of one language switch
# with JOBS rows.
#   scripts/bench-startup.sh [RUNS (default 9)] [JOBS (default 1000)]
# Everything runs under one Xvfb and one D-Bus session bus, as on a desktop
# (without a bus, Qt's menu bar would start dbus-launch in both programs);
# BUILD_DIR defaults to build.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-9}
jobs=${2:-1000}
build_dir=$(realpath "${BUILD_DIR:-build}")
cmake --build "$build_dir" -j2 --target quillmora quillmora_bench_startup quillmora_bench_barewindow >/dev/null
bench=$build_dir/devtools/bench/quillmora_bench_startup
bare=$build_dir/devtools/bench/quillmora_bench_barewindow

work=$(mktemp -d)
export LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
unset LANGUAGE

# Each store in a home of its own, so that nothing of the user's is read or written.
mkdir -p "$work/stored/.config/Trolltech" "$work/stored/out" "$work/stored/in" "$work/empty"
cat >"$work/stored/.config/Trolltech/Quillmora.conf" <<CONF
[General]
pos=@Point(120 80)
size=@Size(1500 900)
outFolder=$work/stored/out
openFolder=$work/stored/in
mp4-vCodec=0
mp4-vSize=0
mp4-vFps=0
mp4-vBitrate=0
mp4-vAspectRatio=0
mp4-aCodec=0
mp4-aChannels=0
mp4-aSamples=0
mp4-aBitrate=0
mp3-aCodec=1
mp3-aChannels=0
mp3-aSamples=0
mp3-aBitrate=0
CONF

# Qt's and the window's own remarks go to a file; a failing run shows them.
trap 'status=$?; [ $status -eq 0 ] || grep -v " format!$" "$work/errors" >&2 2>/dev/null; rm -rf "$work"' EXIT

# The runs, inside the display and the bus: one line "bare stored empty" per round.
cat >"$work/rounds.sh" <<'ROUNDS'
set -euo pipefail
# ms from the launch to the first paint; the launch is stamped just before exec.
launch() { # HOME program [arguments]
    local home=$1
    shift
    HOME=$home XDG_CONFIG_HOME=$home/.config bash -c 'QUILLMORA_LAUNCHED_AT=$EPOCHREALTIME exec "$@"' _ "$@" 2>>"$WORK/errors"
}
for _ in $(seq "$RUNS"); do
    echo "$(launch "$WORK/empty" "$BARE") $(launch "$WORK/stored" "$BENCH" startup) $(launch "$WORK/empty" "$BENCH" startup)"
done
HOME=$WORK/empty XDG_CONFIG_HOME=$WORK/empty/.config "$BENCH" language "$JOBS" >"$WORK/switch" 2>>"$WORK/errors"
ROUNDS
WORK=$work RUNS=$runs JOBS=$jobs BENCH=$bench BARE=$bare \
    xvfb-run --auto-servernum --server-args="-screen 0 1920x1080x24 -nolisten tcp" \
    dbus-run-session -- bash "$work/rounds.sh" >"$work/rounds" 2>>"$work/errors"

# The command a user starts (build/quillmora) hands a window over to the
# window's program in its own process; its part, timed with /bin/true in the
# window's place, is added to the window's figures.
mkdir "$work/hop"
cp "$build_dir/quillmora" "$work/hop/"
ln -s /bin/true "$work/hop/quillmora-window"
hop_ms=$(for _ in $(seq 21); do
    start=$EPOCHREALTIME
    "$work/hop/quillmora"
    echo "$start $EPOCHREALTIME"
done | awk '{ print ($2 - $1) * 1000 }' | sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", v[(NR + 1) / 2] }')

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column() { awk -v c="$1" '{ print $c }' "$work/rounds" | median; }
bare_ms=$(column 1)
stored=$(awk -v m="$(column 2)" -v h="$hop_ms" 'BEGIN { print m + h }')
empty=$(awk -v m="$(column 3)" -v h="$hop_ms" 'BEGIN { print m + h }')
echo "launch to the first paint of the window, medians of $runs alternating runs under one Xvfb:"
echo "  bare Qt main window (menu, tool bar, table): $bare_ms ms"
echo "  the command's hop to the window's program: $hop_ms ms (median of 21), in the figures below"
echo "  Quillmora, stored settings: $stored ms"
echo "  Quillmora, empty store:     $empty ms"
awk -v s="$stored" -v e="$empty" -v b="$bare_ms" \
    'BEGIN { printf "  ratio to the bare window: %.2f stored, %.2f empty (target: at most 1.5)\n", s / b, e / b }'
echo "language switch with $jobs jobs in the list: $(cat "$work/switch") ms (mean of 15: Chinese, Japanese, English)"
echo "load: $(uptime)"
