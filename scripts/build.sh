#!/usr/bin/env bash
# Builds the Windows program (build/windows/Lumetra/) and the native core,
# tools and tests (build/native/).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build --preset windows
cmake --preset native >/dev/null
cmake --build --preset native
