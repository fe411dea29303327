#!/usr/bin/env bash
# Builds everything and runs every test: unit tests natively, end-to-end
# tests of the real Lumetra.exe under Wine on virtual displays.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
ctest --preset native -j2
bash scripts/sanitize.sh
bash scripts/fuzz.sh
