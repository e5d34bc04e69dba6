#!/usr/bin/env bash
# Times one call of each core operation beside its GeographicLib counterpart
# and prints a table of the pairs with their ratios and the goals.
#
#   bench/run.sh [BUILD_DIR] [REPETITIONS]
#
# BUILD_DIR holds bench/core_benchmark (default build-bench beside this
# folder). The repetitions run in random order, so a load that comes and goes
# on the machine falls on both sides of a pair alike; the table shows the
# median CPU time per call of each benchmark. The JSON of the run is kept in
# BUILD_DIR/bench/core.json.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build-bench}
repetitions=${2:-7}
binary=$build/bench/core_benchmark
json=$build/bench/core.json

if [[ ! -x $binary ]]; then
  echo "run.sh: $binary is missing; build it with bench/run-all.sh" >&2
  exit 2
fi

"$binary" --benchmark_format=json --benchmark_out_format=json --benchmark_out="$json" \
  --benchmark_repetitions="$repetitions" --benchmark_enable_random_interleaving=true \
  --benchmark_min_time=0.1 --benchmark_report_aggregates_only=true >/dev/null

python3 - "$json" <<'EOF'
import json
import sys

# Goals per operation: every pair at most as costly as GeographicLib, and
# absolute limits for the operations without a counterpart.
LIMITS_NS = {"MagneticVariance": 2000.0, "Igrf14Variance": 2000.0, "SolveResection": 40000.0}
ORDER = ["GeoToUtm", "UtmToGeo", "ConvertDatum", "GridConvergence", "MagneticVariance",
         "Igrf14Variance",
         "ForwardPolar", "InversePolar", "BackPolar", "SolveResection"]

with open(sys.argv[1]) as f:
    run = json.load(f)

SCALE = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
median = {}
label = {}
for b in run["benchmarks"]:
    if b.get("aggregate_name") != "median":
        continue
    operation, side = b["run_name"].split("/")
    median[(operation, side)] = b["cpu_time"] * SCALE[b["time_unit"]]
    if b.get("label"):
        label[operation] = b["label"]

ctx = run["context"]
print(f"Core operations, median CPU time per call over {ctx.get('num_cpus')} CPUs,"
      f" load average {', '.join(f'{x:.2f}' for x in ctx.get('load_avg', []))}")
print(f"{'operation':<18}{'trelvan ns':>12}{'GeographicLib ns':>18}{'ratio':>8}  goal           met")
missed = 0
for operation in ORDER:
    ours = median.get((operation, "trelvan"))
    theirs = median.get((operation, "GeographicLib"))
    if ours is None:
        print(f"{operation:<18}{'missing':>12}")
        missed += 1
        continue
    if theirs is not None:
        ratio = ours / theirs
        goal = "ratio <= 1.0"
        met = ratio <= 1.0
        print(f"{operation:<18}{ours:12.1f}{theirs:18.1f}{ratio:8.2f}  {goal:<14} {'yes' if met else 'NO'}")
    else:
        limit = LIMITS_NS[operation]
        goal = f"< {limit / 1000:g} us"
        met = ours < limit
        print(f"{operation:<18}{ours:12.1f}{'-':>18}{'-':>8}  {goal:<14} {'yes' if met else 'NO'}")
    missed += 0 if met else 1
print()
print("GeographicLib counterparts:")
for operation in ORDER:
    if operation in label:
        print(f"  {operation:<18}{label[operation]}")
print(f"\nGoals missed: {missed}")
EOF
