#!/usr/bin/env bash
# Builds the driver (installing missing packages) and saves a picture of every
# dialog template, filled with sample content, in build/gallery/<id>-<name>.png.
set -euo pipefail
cd "$(dirname "$0")"
MARTENUI_SKIP_I686=1 scripts/build.sh
exec tools/gallery/run-gallery "$(pwd)/build"
