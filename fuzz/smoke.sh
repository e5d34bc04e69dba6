#!/usr/bin/env bash
# Builds the fuzzers and runs each one briefly on its seed corpus; fails on
# any crash, hang, leak or sanitizer report. Without clang it says so and
# passes, since the fuzzers cannot be built.
#   fuzz/smoke.sh [seconds per fuzzer, default 7]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-7}"
build="${TRELVAN_FUZZ_BUILD:-build-fuzz}"
fuzzers=(waypoints settings calc_line field mgrs gpx_reader csv_reader)

clang_cxx=""
for c in clang++-14 clang++; do
  if command -v "$c" >/dev/null 2>&1; then
    clang_cxx="$c"
    break
  fi
done
if [ -z "$clang_cxx" ]; then
  echo "fuzz smoke: no clang++ found, fuzzers not built"
  exit 0
fi
clang_c="${clang_cxx/clang++/clang}"

CC="$clang_c" CXX="$clang_cxx" cmake -S . -B "$build" -G Ninja \
  -DTRELVAN_FUZZ=ON -DTRELVAN_GUI=OFF -DTRELVAN_TESTS=OFF >/dev/null
cmake --build "$build" --target fuzzers

# New inputs go to a scratch corpus; the seeds in the repository stay as
# they are.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
for name in "${fuzzers[@]}"; do
  mkdir -p "$work/$name"
  if "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=5 -print_final_stats=1 \
      -artifact_prefix="$work/" "$work/$name" "fuzz/corpus/$name" >"$work/$name.log" 2>&1; then
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$name.log")"
    echo "fuzz_$name: ${runs:-?} runs, no crash"
    passed=$((passed + 1))
  else
    echo "fuzz_$name: FAILED"
    tail -n 40 "$work/$name.log"
    for artifact in "$work"/crash-* "$work"/timeout-* "$work"/leak-* "$work"/oom-*; do
      [ -e "$artifact" ] && echo "input: $(od -An -c "$artifact" | head -n 8)"
    done
    failed=$((failed + 1))
  fi
done
echo "fuzzers: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
