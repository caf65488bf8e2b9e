#!/usr/bin/env bash
# Version is the module's fixed file version, and an empty string (not a
# null one) with S_OK for a module without a version resource.
# Usage: version_test.sh <wine-run> <version_probe.exe> <ZORVAN60.DLL> <variant without version>
set -u
run=$1 probe=$2 dll=$3 bare=$4
win() { "$run" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
failures=0
check() {
  if [ "$2" == "$3" ]; then echo "ok   $1"; else echo "FAIL $1: expected '$2', got '$3'"; failures=$((failures + 1)); fi
}
check "the module as built" "S_OK 7 [6.0.2.3]" "$("$run" "$probe" "$(win "$dll")" 2>/dev/null | tr -d '\r')"
check "a module without a version resource" "S_OK 0 []" "$("$run" "$probe" "$(win "$bare")" 2>/dev/null | tr -d '\r')"
echo "$((2 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
