#!/usr/bin/env bash
# Draws the README pictures on a virtual X screen, with a fresh demo home
# folder so that the paths in the window read plainly.
#   scripts/screenshot.sh                   all seven pictures in docs/
#   scripts/screenshot.sh OUTPUT.png [VIEW] one picture; VIEW is en (default),
#                                           zh, jp, settings, run, gifmaker or preview
# docs/screenshot.png is the window in English, docs/screenshot-zh.png and
# docs/screenshot-jp.png in Chinese and Japanese, docs/screenshot-settings.png
# the output settings dialog, docs/screenshot-run.png a run in progress,
# docs/screenshot-gifmaker.png the GIF maker with a generated clip loaded,
# docs/screenshot-preview.png the preview dialog.
# BUILD_DIR (default build) is the build folder; DEMO_HOME (default /tmp/demo)
# must not exist yet: the program makes it and removes it again.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${BUILD_DIR:-build}
demo_home=${DEMO_HOME:-/tmp/demo}

scripts/install-deps.sh
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j"$(nproc)" \
    --target quillmora_screenshot quillmora_gifmaker_screenshot quillmora_previewshot

# Taller than the window, which grows until the Video tab shows all fifteen
# buttons; a fixed DPI and no desktop scaling or theme keep the picture the same.
on_x() {
    env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_FONT_DPI -u QT_STYLE_OVERRIDE \
        -u QT_QPA_PLATFORMTHEME -u LANGUAGE \
        LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb \
        xvfb-run --auto-servernum --server-args="-screen 0 1920x2100x24 -dpi 96 -nolisten tcp" "$@"
}

draw() { # OUTPUT VIEW
    local output clip_dir
    output=$(realpath -m "$1")
    mkdir -p "$(dirname "$output")"
    case $2 in
    preview) on_x "$build_dir/devtools/screenshot/quillmora_previewshot" "$output" ;;
    gifmaker)
        # The GIF maker's preview plays a small clip made here; the picture is silent.
        clip_dir=$(mktemp -d)
        ffmpeg -v error -f lavfi -i testsrc2=size=480x270:rate=25:duration=8 -pix_fmt yuv420p "$clip_dir/clip.mp4"
        on_x "$build_dir/devtools/screenshot/quillmora_gifmaker_screenshot" "$output" "$clip_dir/clip.mp4"
        rm -rf "$clip_dir"
        ;;
    *) on_x "$build_dir/devtools/screenshot/quillmora_screenshot" "$output" "$demo_home" "$2" ;;
    esac
}

if [ $# -gt 0 ]; then
    draw "$1" "${2:-en}"
else
    draw docs/screenshot.png en
    draw docs/screenshot-zh.png zh
    draw docs/screenshot-jp.png jp
    draw docs/screenshot-settings.png settings
    draw docs/screenshot-run.png run
    draw docs/screenshot-gifmaker.png gifmaker
    draw docs/screenshot-preview.png preview
fi
