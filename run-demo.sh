#!/usr/bin/env bash
# Builds the driver (installing missing packages), installs it on a printer in
# a fresh Wine prefix and reports what the driver makes of the printer.
#   ./run-demo.sh [1|2|3]    sample model profile of driver variant 1, 2 or 3
set -euo pipefail
cd "$(dirname "$0")"
MARTENUI_SKIP_I686=1 scripts/build.sh
exec demo/run-demo "$(pwd)/build" "${1:-2}"
