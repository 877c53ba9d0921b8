#!/usr/bin/env bash
# Builds the driver (installing missing packages) and saves a picture of every
# dialog template, filled with sample content, in build/gallery/<id>-<name>.png,
# at 96 dpi and again at 144 dpi (<id>-<name>@144.png).
set -euo pipefail
cd "$(dirname "$0")"
scripts/build.sh x86_64
exec tools/gallery/run-gallery "$(pwd)/build"
