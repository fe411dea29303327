#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests under ASan and UBSan,
# a bounded fuzzing run, then the unit tests natively and the end-to-end
# tests of the real Lumetra.exe under Wine on virtual displays, and the built
# manual's pictures and links in headless Chromium.
#
# The end-to-end tests run one at a time and leave most of a second core
# idle, so the sanitizer and fuzzing runs use it meanwhile, at the lowest
# priority so that they never hold up a scenario. Their output follows the
# tests'.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
built=$SECONDS

mkdir -p build
background_log=build/sanitize-and-fuzz.log
# setsid gives it a session of its own, and where Linux groups the CPU by
# session (autogroup) nice counts only inside the group: the group itself is
# put at the lowest priority too, else it takes half of the machine.
setsid nice -n 19 bash -c 'echo 19 >/proc/self/autogroup 2>/dev/null || true
  bash scripts/sanitize.sh && echo "== sanitizers took $SECONDS s" && bash scripts/fuzz.sh &&
  echo "== sanitizers and fuzzing took $SECONDS s"' >"$background_log" 2>&1 &
background=$!
# A test run that is stopped stops the background run too (its own process
# group, the session setsid starts).
trap 'kill -- "-$background" 2>/dev/null || true' EXIT

tests=0
ctest --preset native -j2 || tests=$?
tested=$SECONDS
sanitize_and_fuzz=0
wait "$background" || sanitize_and_fuzz=$?
trap - EXIT

echo "== sanitizers and fuzzing"
cat "$background_log"
echo "== times: build $built s, tests $((tested - built)) s, then $((SECONDS - tested)) s more for the sanitizers and fuzzing"
if ((sanitize_and_fuzz != 0)); then
  echo "test.sh: the sanitizer or fuzzing run failed ($sanitize_and_fuzz)"
fi
if ((tests != 0)); then
  echo "test.sh: ctest failed ($tests)"
fi
exit $((tests != 0 || sanitize_and_fuzz != 0))
