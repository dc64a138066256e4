#!/usr/bin/env bash
# Configures and builds Quillmora into build/ (the application, its tools and the tests).
# ccache, when installed, keeps object files between builds and work trees.
# QUILLMORA_WERROR=ON in the environment (CI sets it) turns the project's
# warnings into errors; without it they are only shown.
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMORA_WERROR="${QUILLMORA_WERROR:-OFF}" "${launcher[@]}"
cmake --build build -j"$(nproc)"
