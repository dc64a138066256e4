#!/usr/bin/env bash
# The one list of Debian packages that Quillmora needs to build, run and test.
# Installs only what is missing; does nothing when everything is present.
set -euo pipefail

packages=(
    # build
    build-essential cmake
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
    # run: window system plugins, the transcoder's and image converter's engines
    qt6-qpa-plugins ffmpeg imagemagick
    libqt6sql6-sqlite           # Qt SQL's SQLite driver: the kept job lists' database
    libavformat-dev pkg-config  # the transcoder probes its inputs in-process
    libfontconfig-dev           # the transcoder finds font files for drawn text
    libheif-dev                 # the image converter keeps a HEIC photo's EXIF and colour profile
    libheif-examples            # heif-enc makes the tests' phone photos (ImageMagick 6 writes no EXIF into HEIC)
    libvlc-dev vlc-plugin-base  # the preview players (libVLC 3)
    vlc-bin                     # cvlc, the preview benchmark's reference
    # fonts for the interface, drawn text and subtitles (Latin and CJK)
    fonts-dejavu-core fonts-liberation fonts-noto-cjk
    # headless tests and screenshots
    xvfb xauth
    chromium chromium-driver    # the browser test plays the outputs in a real Chromium
    # the desktop entry, icons and metainfo; the notification test's private bus
    qt6-svg-dev desktop-file-utils appstream file dbus-daemon
    # the Debian package and its test in a fresh root
    dpkg-dev debootstrap
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
