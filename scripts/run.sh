#!/usr/bin/env bash
# Builds the program and starts it under Wine. With a display it opens there;
# without one it runs on a virtual display, saves a screenshot and prints
# where it is.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
export LUMETRA_PRODUCT_DIR="$PWD/build/windows/Lumetra"
export LUMETRA_E2E_WORK="$PWD/build/run"
if [[ -n "${DISPLAY:-}" ]]; then
  /usr/bin/python3 tests/e2e/harness.py --init-prefix
  export WINEPREFIX="$LUMETRA_E2E_WORK/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  cd "$LUMETRA_PRODUCT_DIR"
  exec wine ./Lumetra.exe "$@"
fi
/usr/bin/python3 tests/e2e/harness.py --screenshot build/screenshot.png
