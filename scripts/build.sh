#!/usr/bin/env bash
# Configures and builds the project, installing missing packages first.
#   scripts/build.sh [ARCH...]    x86_64 into build/, i686 into build-i686/;
#                                 both when no ARCH is given
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

scripts/install-deps.sh
require cmake:cmake ninja:ninja-build python3:python3

archs=("$@")
[ ${#archs[@]} -gt 0 ] || archs=(x86_64 i686)

for arch in "${archs[@]}"; do
    dir=$(build_dir "$arch")
    require "$arch-w64-mingw32-g++-posix:g++-mingw-w64-${arch/_/-}-posix" "$arch-w64-mingw32-windres:binutils-mingw-w64-${arch/_/-}"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" >/dev/null
    fi
    cmake --build "$dir"
done
