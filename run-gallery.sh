#!/usr/bin/env bash
# Builds the driver (installing missing packages) and saves a picture of every
# dialog template, filled with sample content, in build/gallery/<id>-<name>.png.
set -euo pipefail
cd "$(dirname "$0")"
scripts/build.sh x86_64
exec tools/gallery/run-gallery "$(pwd)/build"
