#!/usr/bin/env bash
# Configures and builds the project: x86_64 (built and tested under Wine)
# into build/, i686 (built) into build-i686/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# configure DIR TOOLCHAIN [OPTIONS...]: once per build folder.
configure() {
    local dir=$1 toolchain=$2
    shift 2
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/$toolchain" "$@" >/dev/null
    fi
}

configure build mingw-x86_64.cmake
cmake --build build
if [ "${MARTENUI_SKIP_I686:-0}" != 1 ]; then
    configure build-i686 mingw-i686.cmake -DMARTENUI_TESTS=OFF
    cmake --build build-i686
fi
