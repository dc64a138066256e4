#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build/quillmora_1.0_amd64.deb (CPack; the
# libraries' packages found by dpkg-shlibdeps, the tools' programs and fonts
# named in packaging/CMakeLists.txt). Installs to /usr.
#   scripts/package.sh [build folder]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${1:-build}")
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
cd "$build"
cpack -G DEB -B "$build/package" >/dev/null
deb=$(ls -t "$build"/package/quillmora_*_amd64.deb | head -n 1)
cp "$deb" "$build/"
echo "$build/$(basename "$deb")"
