#!/usr/bin/env bash
# Builds everything (installing missing packages) and runs every test under
# Wine on a fresh, throwaway Wine prefix.
set -euo pipefail
cd "$(dirname "$0")"
scripts/build.sh
ctest --test-dir build --output-on-failure "$@"
