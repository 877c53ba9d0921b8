#!/usr/bin/env bash
# Builds everything (installing missing packages) and runs every test under
# Wine on a fresh, throwaway Wine prefix: the 64-bit suite, then the 32-bit one.
#   ./run-tests.sh [--arch x86_64|i686] [CTEST OPTIONS...]
set -euo pipefail
cd "$(dirname "$0")"
. scripts/common.sh

archs=(x86_64 i686)
asked=0
if [ "${1:-}" = --arch ]; then
    asked=1
    archs=("${2:?--arch takes x86_64 or i686}")
    shift 2
fi
for arch in "${archs[@]}"; do build_dir "$arch" >/dev/null; done

scripts/build.sh "${archs[@]}"
status=0
for arch in "${archs[@]}"; do
    if [ "$arch" = i686 ] && [ -x /usr/lib/wine/wine ] && ! runs_32bit_programs; then
        # The 32-bit build above still compiled and linked every test program.
        echo "== Tests on i686: not run, this machine's kernel runs no 32-bit programs"
        continue
    fi
    if [ "$arch" = i686 ] && [ ! -x /usr/lib/wine/wine ] && [ $asked = 0 ]; then
        echo "== Tests on i686: not run, $(wine32_missing_reason)"
        continue
    fi
    [ "$arch" = i686 ] && require_wine32
    echo "== Tests on $arch"
    ctest --test-dir "$(build_dir "$arch")" --output-on-failure "$@" || status=1
done
exit $status
