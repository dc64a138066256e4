#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop entry and the AppStream metainfo as the build writes them pass
# the freedesktop and AppStream validators, and the icon is there at every size.
#   validate-desktop-files.sh <build folder> <desktop id>
set -euo pipefail
desktop=$1/packaging/desktop
id=$2

desktop-file-validate "$desktop/$id.desktop"
appstreamcli validate --no-net --explain "$desktop/$id.metainfo.xml"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$desktop/$id.metainfo.xml"
grep -q '<url type="homepage">https://' "$desktop/$id.metainfo.xml"
for size in 16 22 24 32 48 64 128 256; do
    icon="$desktop/icons/hicolor/${size}x$size/apps/$id.png"
    file "$icon" | grep -q "PNG image data, $size x $size" || { echo "bad icon: $icon" >&2; exit 1; }
done
grep -q '<svg' "$desktop/icons/hicolor/scalable/apps/$id.svg"
for type in video/mp4 video/x-matroska audio/mpeg audio/flac image/png image/jpeg inode/directory; do
    grep -q "^MimeType=.*$type;" "$desktop/$id.desktop" || { echo "no $type in the entry" >&2; exit 1; }
done
! grep -q '^MimeType=.*text/' "$desktop/$id.desktop"
echo "desktop entry, metainfo and icons are valid"
