#!/usr/bin/env bash
# Builds the driver (installing missing packages), installs it on a printer in
# a fresh Wine prefix and reports what the driver makes of the printer.
#   ./run-demo.sh [1|2|3] [--show]
#     1, 2 or 3: the sample model profile of that driver variant (default 2)
#     --show:    open Printing Preferences on your display instead of taking
#                pictures of its pages on the bench's own display
set -euo pipefail
cd "$(dirname "$0")"
variant=2
show=
for argument in "$@"; do
    case "$argument" in
    1|2|3) variant=$argument ;;
    --show) show=--show ;;
    *) echo "usage: ./run-demo.sh [1|2|3] [--show]" >&2; exit 2 ;;
    esac
done
MARTENUI_SKIP_I686=1 scripts/build.sh
exec demo/run-demo "$(pwd)/build" "$variant" $show
