#!/usr/bin/env bash
# Runs the benchmarks: the core natively (Google Benchmark, optimised, no
# sanitizers), then the server under Wine, registered in the build's prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZORVAN_BUILD_DIR:-$root/build}
bash "$root/tools/setup.sh"

echo "== the core, native"
cmake -S "$root" -B "$build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORVAN_BENCH=ON >/dev/null
ninja -C "$build/bench" taxcalc_bench >/dev/null
"$build/bench/bench/taxcalc_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

echo "== the server under Wine"
cmake -S "$root" -B "$build/win32" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
ninja -C "$build/win32" ZORVAN60 com_bench >/dev/null
source "$root/tools/wine-session.sh"
wine_session_start "$build/win32"
run="$build/win32/wine-run"
"$run" regsvr32 /s "$("$run" winepath -w "$build/win32/bin/ZORVAN60.DLL" 2>/dev/null | tr -d '\r')"
"$run" "$build/win32/bin/com_bench.exe" 2>/dev/null | tr -d '\r'
