#!/usr/bin/env bash
# Builds the driver (installing missing packages), installs it on a printer in
# a fresh Wine prefix and reports what the driver makes of the printer.
#   ./run-demo.sh [--arch x86_64|i686] [1|2|3] [--show]
#     1, 2 or 3: the sample model profile of that driver variant alone
#                (without one, variants 1, 2 and 3 in turn)
#     --show:    open Printing Preferences on your display instead of taking
#                pictures of its pages on the bench's own display
#     --arch:    the 64-bit driver unless it says otherwise
set -euo pipefail
cd "$(dirname "$0")"
. scripts/common.sh

usage() { echo "usage: ./run-demo.sh [--arch x86_64|i686] [1|2|3] [--show]" >&2; exit 2; }
arch=x86_64
variants=()
show=
while [ $# -gt 0 ]; do
    case "$1" in
    --arch) [ $# -ge 2 ] || usage; arch=$2; shift ;;
    1|2|3) variants=("$1") ;;
    --show) show=--show ;;
    *) usage ;;
    esac
    shift
done
dir=$(build_dir "$arch")
scripts/build.sh "$arch"
[ "$arch" = i686 ] && require_wine32
[ ${#variants[@]} -gt 0 ] || variants=(1 2 3)
for variant in "${variants[@]}"; do
    demo/run-demo "$(pwd)/$dir" "$variant" $show
done
