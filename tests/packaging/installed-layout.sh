#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# cmake --install into a temporary prefix: the installed application finds
# its tools (it converts a file, from a folder that holds neither tools nor
# translations) and its translations under <prefix>/share.
#   installed-layout.sh <build folder>
set -euo pipefail
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr

cmake --install "$build" --prefix "$prefix" > "$work/install.log"
for path in bin/quillmora lib/quillmora/quillmora-convert lib/quillmora/quillmora-window lib/quillmora/transcoder lib/quillmora/mediaprobe.so lib/quillmora/imageconvert/convert \
    lib/quillmora/fonts/fonts.conf share/applications/io.quillmora.Quillmora.desktop \
    share/metainfo/io.quillmora.Quillmora.metainfo.xml \
    share/icons/hicolor/48x48/apps/io.quillmora.Quillmora.png \
    share/icons/hicolor/scalable/apps/io.quillmora.Quillmora.svg \
    share/quillmora/translations/Quillmora_zh.qm share/doc/quillmora/copyright; do
    [ -e "$prefix/$path" ] || { echo "not installed: $path" >&2; exit 1; }
done

mkdir "$work/elsewhere"
cd "$work/elsewhere"
ffmpeg -nostdin -v error -f lavfi -i sine=duration=1 tone.wav
env -u DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/quillmora" --convert --format mp3 --output out tone.wav
[ "$(ffprobe -v error -show_entries stream=codec_name -of csv=p=0 out/tone.mp3)" = mp3 ]

# The installed translation speaks to a Chinese user on the command line too.
status=0
message=$(env -u DISPLAY LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8 "$prefix/bin/quillmora" --convert --format mp3 2>&1) || status=$?
[ "$status" = 2 ] || { echo "exit code $status, not 2" >&2; exit 1; }
grep -q "没有要转换的文件" <<<"$message" || { echo "not translated: $message" >&2; exit 1; }
# The command starts the installed window in its place: the same process, still
# running, until it is closed.
HOME=$work XDG_CONFIG_HOME=$work/.config XDG_DATA_HOME=$work/.local/share QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/quillmora" >"$work/window.log" 2>&1 &
window=$!
sleep 3
[ "$(readlink "/proc/$window/exe")" = "$prefix/lib/quillmora/quillmora-window" ] ||
    { echo "the installed window did not start: $(cat "$work/window.log")" >&2; kill "$window" 2>/dev/null; exit 1; }
kill "$window"
wait "$window" 2>/dev/null || true
echo "the installed application found its tools, its window and its translations"
