#!/usr/bin/env bash
# The main job: builds the tax calculation and runs a sample calculation.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZORVAN_BUILD_DIR:-$root/build}

bash "$root/tools/setup.sh"
cmake -S "$root" -B "$build/native" -G Ninja >/dev/null
ninja -C "$build/native" zorvan-tax >/dev/null
"$build/native/cli/zorvan-tax" --value 1000 --rate 5 --tax-type pre --round half --digit -2
