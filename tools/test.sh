#!/usr/bin/env bash
# Runs every test: the native build (sanitizers), the 32-bit Windows build
# under Wine, and the bounded fuzzing run. Installs what is missing first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZORVAN_BUILD_DIR:-$root/build}
jobs=$(nproc)

bash "$root/tools/setup.sh"

echo "== native build and tests (AddressSanitizer, UBSan)"
cmake -S "$root" -B "$build/native" -G Ninja -DZORVAN_SANITIZE=ON >/dev/null
ninja -C "$build/native" >/dev/null
ctest --test-dir "$build/native" --output-on-failure -j "$jobs"

echo "== 32-bit Windows build, tests under Wine"
cmake -S "$root" -B "$build/win32" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DZORVAN_NATIVE_BUILD="$build/native" >/dev/null
ninja -C "$build/win32" >/dev/null
source "$root/tools/wine-session.sh"
wine_session_start "$build/win32"
ctest --test-dir "$build/win32" --output-on-failure

echo "== fuzzing the registry-script interpreter (bounded)"
CC=clang CXX=clang++ cmake -S "$root" -B "$build/fuzz" -G Ninja -DZORVAN_FUZZ=ON \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$build/fuzz" >/dev/null
mkdir -p "$build/fuzz/corpus"
fuzz_log="$build/fuzz/last-run.log"
if "$build/fuzz/tests/fuzz/registry_script_fuzz" -max_total_time="${ZORVAN_FUZZ_SECONDS:-60}" \
     -max_len=4096 -dict="$root/tests/fuzz/registry_script.dict" -print_final_stats=1 \
     "$build/fuzz/corpus" "$root/tests/fuzz/seeds" >"$fuzz_log" 2>&1; then
  grep -E '^(Done|stat::number_of_executed_units)' "$fuzz_log"
  echo "fuzz: 1 passed, 0 failed"
else
  tail -40 "$fuzz_log"
  echo "fuzz: 0 passed, 1 failed"
  exit 1
fi
