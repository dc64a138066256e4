#!/usr/bin/env bash
# Draws docs/screenshot.png, the README picture of the main window: builds
# quillmora_screenshot and runs it on a virtual X screen, in English, with a
# fresh demo home folder so that the paths in the window read plainly.
# With --run it draws docs/screenshot-run.png, a run in progress.
#   scripts/screenshot.sh [--run] [OUTPUT.png]
# BUILD_DIR (default build) is the build folder; DEMO_HOME (default /tmp/demo)
# must not exist yet: the program makes it and removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=()
default_output=docs/screenshot.png
if [[ ${1:-} == --run ]]; then
    mode=(--run)
    default_output=docs/screenshot-run.png
    shift
fi
output=$(realpath -m "${1:-$default_output}")
build_dir=${BUILD_DIR:-build}
demo_home=${DEMO_HOME:-/tmp/demo}

scripts/install-deps.sh
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target quillmora_screenshot
mkdir -p "$(dirname "$output")"

# Taller than the window, which grows until the Video tab shows all twelve
# buttons; a fixed DPI and no desktop scaling or theme keep the picture the same.
env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_FONT_DPI -u QT_STYLE_OVERRIDE \
    -u QT_QPA_PLATFORMTHEME -u LANGUAGE \
    LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb \
    xvfb-run --auto-servernum --server-args="-screen 0 1920x1600x24 -dpi 96 -nolisten tcp" \
    "$build_dir/tests/screenshot/quillmora_screenshot" "${mode[@]}" "$output" "$demo_home"
