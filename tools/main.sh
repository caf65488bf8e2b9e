#!/usr/bin/env bash
# The main job: builds ZORVAN60.DLL (and zorvan-tax), registers the DLL in a
# private Wine prefix and runs a sample tax calculation through a script host.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZORVAN_BUILD_DIR:-$root/build}

bash "$root/tools/setup.sh"
# zorvan-tax, the same calculation without COM, optimised and without sanitizers.
cmake -S "$root" -B "$build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$build/release" zorvan-tax >/dev/null
cmake -S "$root" -B "$build/win32" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
ninja -C "$build/win32" ZORVAN60 >/dev/null
source "$root/tools/wine-session.sh"
wine_session_start "$build/win32"

run="$build/win32/wine-run"
dll=$("$run" winepath -w "$build/win32/bin/ZORVAN60.DLL" 2>/dev/null | tr -d '\r')
"$run" regsvr32 /s "$dll"
echo "registered $dll"
script=$("$run" winepath -w "$root/samples/taxcalc.vbs" 2>/dev/null | tr -d '\r')
"$run" cscript //nologo "$script" /value:1000 /rate:5 /taxtype:pre /round:half /digit:-2 2>/dev/null | tr -d '\r'
