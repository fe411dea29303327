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

# Runs one target on a fresh copy of its seed corpus; its report goes to
# build/fuzz/fuzz_<target>.report, its whole log beside it.
run_target() {
  local target=$1 corpus=$build/corpus/$1 log=$build/fuzz_$1.log report=$build/fuzz_$1.report
  rm -rf "$corpus"
  mkdir -p "$corpus"
  cp fuzz/corpus/"$target"/* "$corpus"/
  if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$artifacts/$target-" "$corpus" >"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units' "$log" | sed "s/^/fuzz_$target /" >"$report"
  else
    { tail -n 40 "$log"; ls "$artifacts"/"$target"-* 2>/dev/null | sed 's/^/failing input: /'; } >"$report"
    return 1
  fi
}

# Two targets at a time, one on each core; the reports follow in list order.
pids=()
status=()
for i in "${!targets[@]}"; do
  if ((i >= 2)); then
    status[i - 2]=0
    wait "${pids[i - 2]}" || status[i - 2]=$?
  fi
  run_target "${targets[i]}" &
  pids[i]=$!
done
failed=()
for i in "${!targets[@]}"; do
  if [[ -z ${status[i]:-} ]]; then
    status[i]=0
    wait "${pids[i]}" || status[i]=$?
  fi
  target=${targets[i]}
  ((status[i] == 0)) || failed+=("$target")
  echo "== fuzz_$target: ${seconds} s"
  cat "$build/fuzz_$target.report"
done

if ((${#failed[@]})); then
  echo "fuzz: ${#failed[@]} of ${#targets[@]} targets failed: ${failed[*]}"
  exit 1
fi
echo "fuzz: all ${#targets[@]} targets ran clean"
