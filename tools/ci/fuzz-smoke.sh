#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in their own build
# directory and runs each for a bounded time from its committed seed corpus.
# The seeds are copied first: new inputs go to a scratch corpus, never into
# the repository. Any crash, sanitizer report, failed property, timeout or
# memory blow-up fails the run; the input is left in the artifacts folder.
#
#   tools/ci/fuzz-smoke.sh [BUILD_DIR]
#   ZELK_FUZZ_SECONDS=600 tools/ci/fuzz-smoke.sh   # a longer run
#
# Needs Debian's clang and libclang-rt-14-dev.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=${1:-$ROOT/build-fuzz}
SECONDS_EACH=${ZELK_FUZZ_SECONDS:-20}
JOBS=${ZELK_JOBS:-2}
TARGETS=(utf8_to_utf16_fuzzer utf16_to_utf8_fuzzer font_string_fuzzer frame_rate_fuzzer
         plugin_info_query_fuzzer reg_import_fuzzer)

CC=${ZELK_FUZZ_CC:-clang} CXX=${ZELK_FUZZ_CXX:-clang++} \
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELK_FUZZ=ON \
        -DZELK_BUILD_TESTS=OFF -DZELK_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD" --target zelk_fuzzers -j "$JOBS" >/dev/null

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# fuzz_one TARGET: one fuzzer's run; its report line goes to its folder.
fuzz_one() {
  local target=$1 work="$BUILD/fuzz-run/$1" summary
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp "$ROOT/fuzz/corpus/$target/"* "$work/corpus/"
  local dict=()
  [ -f "$ROOT/fuzz/dict/$target.dict" ] && dict=(-dict="$ROOT/fuzz/dict/$target.dict")
  if "$BUILD/fuzz/$target" "${dict[@]}" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" >"$work/log" 2>&1; then
    summary=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$work/log" | tail -1 |
              sed -E 's/^#([0-9]+)[[:space:]]+DONE[[:space:]]+cov: ([0-9]+) ft: ([0-9]+) corp: ([0-9]+).*/\1 execs, cov \2, features \3, corpus \4/' || true)
    echo "fuzz $target: ok ($summary)" >"$work/report"
  else
    { echo "fuzz $target: FAILED, see $work/log and $work/artifacts/"
      grep -E 'ERROR|SUMMARY|deadly|Test unit written' "$work/log" | head -10 || true; } >"$work/report"
    return 1
  fi
}

# Each fuzzer runs on one core: JOBS of them at a time.
status=0
running=0
for target in "${TARGETS[@]}"; do
  if [ "$running" -ge "$JOBS" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
  fuzz_one "$target" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || status=1
  running=$((running - 1))
done
for target in "${TARGETS[@]}"; do
  cat "$BUILD/fuzz-run/$target/report"
done
exit $status
