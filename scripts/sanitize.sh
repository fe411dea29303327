#!/usr/bin/env bash
# Builds the unit tests under AddressSanitizer and UndefinedBehaviorSanitizer
# (the sanitize preset) and runs them. Any finding fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize -j2 --label-regex unit
