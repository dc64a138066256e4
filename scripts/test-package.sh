#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian package into a fresh Debian 12 root (debootstrap,
# minbase) with apt, as a user would, and runs it there with no display:
# quillmora --version and one quillmora --convert. Needs root and the
# network to the Debian mirror. The fresh root and the downloaded packages
# are kept under <build>/package-root between runs.
#   scripts/test-package.sh [build folder]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${1:-build}")
if [ "$(id -u)" != 0 ]; then
    echo "skipped: debootstrap and chroot need root"
    exit 77
fi

# The machine's own Debian mirror.
mirror=$( (grep -h '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null
           grep -h '^deb ' /etc/apt/sources.list 2>/dev/null) \
    | grep -oE 'https?://[^ ]+' | grep -v security | head -n 1 || true)
mirror=${mirror:-http://deb.debian.org/debian}

deb=$(scripts/package.sh "$build")
echo "package: $deb"
# Debian reads the licence from the package's copyright file.
grep -q ' \./usr/share/doc/quillmora/copyright$' <<<"$(dpkg-deb -c "$deb")" \
    || { echo "the package has no copyright file" >&2; exit 1; }

work=$build/package-root
pristine=$work/bookworm-minbase
archives=$work/archives
root=$work/root
mkdir -p "$work" "$archives"

unmount_all() {
    if mountpoint -q "$root/proc"; then umount "$root/proc" || umount -l "$root/proc"; fi
}
remove_root() {
    unmount_all
    if findmnt -rno TARGET | grep -q "^$root/"; then
        echo "something is still mounted under $root; not removing it" >&2
        return 1
    fi
    rm -rf "$root"
}
trap remove_root EXIT

if [ ! -f "$pristine/.complete" ]; then
    echo "debootstrap bookworm from $mirror into $pristine ..."
    rm -rf "$pristine"
    debootstrap --variant=minbase bookworm "$pristine" "$mirror" > "$work/debootstrap.log"
    touch "$pristine/.complete"
fi
remove_root
cp -a "$pristine" "$root"
rm -f "$root/.complete"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"
cp "$deb" "$root/tmp/"
# The packages downloaded by earlier runs, so only what is new comes over the network.
cp -al "$archives/." "$root/var/cache/apt/archives/" 2>/dev/null || true

in_root() { chroot "$root" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }

echo "installing $(basename "$deb") and its dependencies with apt ..."
in_root apt-get -q update > "$work/apt.log"
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "/tmp/$(basename "$deb")" >> "$work/apt.log"
cp -aln "$root/var/cache/apt/archives/"*.deb "$archives/" 2>/dev/null || true

in_root quillmora --version | tee /dev/stderr | grep -q '^quillmora 1\.0$'
# The window keeps its unfinished jobs through Qt SQL's SQLite driver.
in_root sh -c 'ls /usr/lib/*/qt6/plugins/sqldrivers/libqsqlite.so' >/dev/null \
    || { echo "the package did not bring Qt SQL's SQLite driver" >&2; exit 1; }
in_root ffmpeg -nostdin -v error -f lavfi -i sine=duration=2 /tmp/tone.wav
in_root quillmora --convert --format mp3 --output /tmp/out /tmp/tone.wav
codec=$(in_root ffprobe -v error -show_entries stream=codec_name -of csv=p=0 /tmp/out/tone.mp3)
[ "$codec" = mp3 ] || { echo "the converted file is not MP3: '$codec'" >&2; exit 1; }
echo "installed in a fresh root: quillmora --version and --convert work"
