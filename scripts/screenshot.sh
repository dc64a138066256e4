#!/usr/bin/env bash
# Draws docs/screenshot.png, the README picture of the main window: builds
# quillmora_screenshot and runs it on a virtual X screen, in English, with a
# fresh demo home folder so that the paths in the window read plainly. Then
# draws the GIF maker with a generated clip loaded into docs/screenshot-gifmaker.png.
#   scripts/screenshot.sh [OUTPUT.png [GIFMAKER.png]]
# BUILD_DIR (default build) is the build folder; DEMO_HOME (default /tmp/demo)
# must not exist yet: the program makes it and removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."

output=$(realpath -m "${1:-docs/screenshot.png}")
gifmaker_output=$(realpath -m "${2:-docs/screenshot-gifmaker.png}")
build_dir=${BUILD_DIR:-build}
demo_home=${DEMO_HOME:-/tmp/demo}

scripts/install-deps.sh
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target quillmora_screenshot quillmora_gifmaker_screenshot
mkdir -p "$(dirname "$output")" "$(dirname "$gifmaker_output")"

# Taller than the window, which grows until the Video tab shows all twelve
# buttons; a fixed DPI and no desktop scaling or theme keep the picture the same.
on_virtual_screen() {
    env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_FONT_DPI -u QT_STYLE_OVERRIDE \
        -u QT_QPA_PLATFORMTHEME -u LANGUAGE \
        LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb \
        xvfb-run --auto-servernum --server-args="-screen 0 1920x1600x24 -dpi 96 -nolisten tcp" "$@"
}
on_virtual_screen "$build_dir/tests/screenshot/quillmora_screenshot" "$output" "$demo_home"

# The GIF maker's preview plays a small clip made here; the picture is silent.
clip_dir=$(mktemp -d)
trap 'rm -rf "$clip_dir"' EXIT
ffmpeg -v error -f lavfi -i testsrc2=size=480x270:rate=25:duration=8 -pix_fmt yuv420p "$clip_dir/clip.mp4"
on_virtual_screen "$build_dir/tests/screenshot/quillmora_gifmaker_screenshot" "$gifmaker_output" "$clip_dir/clip.mp4"
