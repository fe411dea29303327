#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan, the fuzz preset) in
# build/fuzz and runs each one for a bounded time on a copy of its seed
# corpus, so the repository's corpus never grows. A crash fails the run; its
# input is kept in build/fuzz/artifacts/. Without names it runs every target
# that fuzz/CMakeLists.txt lists.
#   FUZZ_SECONDS=60 scripts/fuzz.sh [target...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-15}
build=build/fuzz

cmake --preset fuzz >/dev/null
targets=("$@")
if ((${#targets[@]} == 0)); then
  mapfile -t targets <"$build/fuzz/targets.txt"
fi
cmake --build --preset fuzz -j2 --target "${targets[@]/#/fuzz_}"

artifacts=$build/artifacts
mkdir -p "$artifacts"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=()
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$target"/* "$corpus"/
  echo "== fuzz_$target: ${seconds} s"
  log=$build/fuzz_$target.log
  if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$artifacts/$target-" "$corpus" >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units' "$log" | sed "s/^/fuzz_$target /"
  else
    failed+=("$target")
    tail -n 40 "$log"
    ls "$artifacts"/"$target"-* 2>/dev/null | sed 's/^/failing input: /'
  fi
done

if ((${#failed[@]})); then
  echo "fuzz: ${#failed[@]} of ${#targets[@]} targets failed: ${failed[*]}"
  exit 1
fi
echo "fuzz: all ${#targets[@]} targets ran clean"
