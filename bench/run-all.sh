#!/usr/bin/env bash
# Builds the benchmarks and runs all five parts, printing their tables:
#   1. one call of each core operation beside GeographicLib (bench/run.sh), and
#      the instructions per call under valgrind (bench/count-instructions)
#   2. trelvan-calc --raw utm against GeoConvert, and mgrs against utm, on a
#      million points (bench/compare-cli)
#   3. start-up time and peak memory of trelvan beside a bare Qt dialog, and
#      the instructions to the first painted window (bench/compare-startup)
#   4. peak memory and time of trelvan-waypoints importing files of 1000 to
#      100000 rows (bench/import-memory)
#   5. one redraw of the plan window: 50 waypoints and a resection
#      (plan_benchmark)
#
#   bench/run-all.sh [--no-gui] [--quick] [BUILD_DIR]
#
# --no-gui skips the start-up, import and plan parts (and Qt); --quick runs
# fewer repetitions and 200000 points instead of a million, for a check that
# everything works.
# BUILD_DIR defaults to build-bench at the top of the repository; it is
# configured with the project's default build type, -DTRELVAN_BENCH=ON and
# -DTRELVAN_TESTS=OFF. What is missing from Debian's packages is installed
# first (with sudo when not run as root). Everything else on the machine slows
# the runs: the tables say the load average of the moment, and the ratios come
# from runs that alternate, so a load falls on both sides of a pair alike.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
gui=ON
quick=0
build=$root/build-bench
for arg in "$@"; do
  case $arg in
    --no-gui) gui=OFF ;;
    --quick) quick=1 ;;
    -h | --help)
      sed -n '2,23p' "$0" | sed 's/^# \{0,1\}//'
      exit 0
      ;;
    -*)
      echo "run-all.sh: unknown option $arg" >&2
      exit 2
      ;;
    *) build=$arg ;;
  esac
done

packages=(cmake g++ ninja-build python3 valgrind libbenchmark-dev libgeographiclib-dev
          geographiclib-tools)
[[ $gui == ON ]] && packages+=(qt6-base-dev qt6-svg-dev time)
"$root/tools/install-missing" "${packages[@]}"

targets=(core_benchmark trelvan-calc)
[[ $gui == ON ]] && targets+=(trelvan bare_dialog startup_probe trelvan-waypoints plan_benchmark)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELVAN_BENCH=ON \
  -DTRELVAN_TESTS=OFF -DTRELVAN_GUI="$gui" >/dev/null
cmake --build "$build" --target "${targets[@]}" -j2

if [[ $quick -eq 1 ]]; then
  repetitions=3 points=200000 cli_runs=3 startup_runs=5 import_runs=1
else
  repetitions=7 points=1000000 cli_runs=5 startup_runs=15 import_runs=3
fi

echo
echo "Machine: $(nproc) CPUs, $(lscpu | sed -n 's/^Model name: *//p' | head -1)," \
  "$(free -g | awk '/^Mem:/ {print $2}') GiB memory, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Commit: $(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown)"
echo
echo "== 1. Core operations against GeographicLib"
"$here/run.sh" "$build" "$repetitions"
echo
"$here/count-instructions" --build "$build"
echo
echo "== 2. trelvan-calc against GeoConvert"
"$here/compare-cli" --build "$build" --points "$points" --runs "$cli_runs"
if [[ $gui == ON ]]; then
  echo
  echo "== 3. Start-up against a bare Qt dialog"
  "$here/compare-startup" --build "$build" --runs "$startup_runs"
  echo
  "$here/compare-startup" --build "$build" --instructions
  echo
  echo "== 4. Import: peak memory against the size of the file"
  "$here/import-memory" --build "$build" --runs "$import_runs"
  echo
  echo "== 5. One redraw of the plan"
  "$build/bench/plan_benchmark" --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true
fi
