#!/usr/bin/env bash
# Draws docs/screenshot.png, the README picture of the main window, and
# docs/screenshot-preview.png, the preview dialog: builds quillmora_screenshot
# and quillmora_previewshot and runs them on a virtual X screen, in English,
# with a fresh demo home folder so that the paths in the window read plainly.
#   scripts/screenshot.sh [OUTPUT.png [PREVIEW.png]]
# BUILD_DIR (default build) is the build folder; DEMO_HOME (default /tmp/demo)
# must not exist yet: the program makes it and removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."

output=$(realpath -m "${1:-docs/screenshot.png}")
preview_output=$(realpath -m "${2:-docs/screenshot-preview.png}")
build_dir=${BUILD_DIR:-build}
demo_home=${DEMO_HOME:-/tmp/demo}

scripts/install-deps.sh
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target quillmora_screenshot quillmora_previewshot
mkdir -p "$(dirname "$output")" "$(dirname "$preview_output")"

# Taller than the window, which grows until the Video tab shows all twelve
# buttons; a fixed DPI and no desktop scaling or theme keep the picture the same.
run_on_x() {
    env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_FONT_DPI -u QT_STYLE_OVERRIDE \
        -u QT_QPA_PLATFORMTHEME -u LANGUAGE \
        LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb \
        xvfb-run --auto-servernum --server-args="-screen 0 1920x1600x24 -dpi 96 -nolisten tcp" \
        "$@"
}
run_on_x "$build_dir/tests/screenshot/quillmora_screenshot" "$output" "$demo_home"
run_on_x "$build_dir/tests/screenshot/quillmora_previewshot" "$preview_output"
