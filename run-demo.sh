#!/usr/bin/env bash
# Builds the driver (installing missing packages), installs it on a printer in
# a fresh Wine prefix and reports what the driver makes of the printer.
#   ./run-demo.sh [--arch x86_64|i686] [1|2|3]
#       sample model profile of driver variant 1, 2 or 3 (default 2);
#       the 64-bit driver unless --arch says otherwise
set -euo pipefail
cd "$(dirname "$0")"
. scripts/common.sh

arch=x86_64
if [ "${1:-}" = --arch ]; then
    arch=${2:?--arch takes x86_64 or i686}
    shift 2
fi
dir=$(build_dir "$arch")
scripts/build.sh "$arch"
[ "$arch" = i686 ] && require_wine32
exec demo/run-demo "$(pwd)/$dir" "$@"
