#!/usr/bin/env bash
# Builds and runs the benchmarks: the native look benchmark, then the Windows
# paint, resize and start-up benchmarks under Wine on a private virtual
# display. Writes build/bench/results.md. Extra arguments go to
# bench/run_bench.py (e.g. --only paint --paint-runs 31).
# NATIVE_BUILD and WINDOWS_BUILD choose other build folders than the presets'.
set -euo pipefail
cd "$(dirname "$0")/.."
native_build=${NATIVE_BUILD:-build/native}
windows_build=${WINDOWS_BUILD:-build/windows}
if [[ -z ${NATIVE_BUILD:-} ]]; then cmake --preset native >/dev/null; fi
cmake --build "$native_build" --target lumetra-bench-looks lumetra-bench-writes lumetra-bench-finder
if [[ -z ${WINDOWS_BUILD:-} ]]; then cmake --preset windows >/dev/null; fi
cmake --build "$windows_build" --target Lumetra lumetra-bench-paint lumetra-bench-fit lumetra-bench-follow MinimalWindow
# Debian's interpreter, which sees the python3-xlib package.
exec /usr/bin/python3 bench/run_bench.py --native-build "$native_build" \
  --windows-build "$windows_build" --out build/bench "$@"
