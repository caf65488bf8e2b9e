#!/usr/bin/env bash
# Runs the benchmarks (optimised build, no sanitizers).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZORVAN_BUILD_DIR:-$root/build}
bash "$root/tools/setup.sh"
cmake -S "$root" -B "$build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORVAN_BENCH=ON >/dev/null
ninja -C "$build/bench" >/dev/null
"$build/bench/bench/taxcalc_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
