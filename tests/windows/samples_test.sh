#!/usr/bin/env bash
# The samples in samples/ give the documented answers and refuse bad input.
# Usage: samples_test.sh <wine-run> <samples folder> <early_bound.exe>
set -u
run=$1 dir=$2 early=$3
failures=0 passed=0
check() {  # name expected actual
  if [ "$2" == "$3" ]; then passed=$((passed + 1)); else
    failures=$((failures + 1)); printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"; fi
}
script() { set -o pipefail; "$run" cscript //nologo "$("$run" winepath -w "$dir/$1" 2>/dev/null | tr -d '\r')" "${@:2}" 2>/dev/null | tr -d '\r'; }

for s in taxcalc.vbs taxcalc.js; do
  out=$(script "$s" /value:1000 /rate:5 /taxtype:pre /round:half /digit:-2)
  check "$s calculation" $'Price: 952.38\nTax:   47.62\nTotal: 1000' "$out"
  out=$(script "$s" /value:0.08 /rate:25 /ratetype:percentage /taxtype:after)
  check "$s decimal input" $'Price: 0.08\nTax:   0.02\nTotal: 0.1' "$out"
  out=$(script "$s"); lines=$(grep -c 'Price\|[0-9]' <<<"$out")
  check "$s worked examples" yes "$([ "$lines" -ge 4 ] && echo yes || echo "$out")"
  script "$s" /round:sideways >/dev/null; check "$s bad option exit" 2 "$?"
  out=$(script "$s" /value:2e15); check "$s usage shown" yes "$(grep -q usage <<<"$out" && echo yes || echo no)"
  script "$s" /value:2e15 >/dev/null; check "$s bad value exit" 2 "$?"
done
out=$("$run" "$early" 1000 5 pre 2>/dev/null | tr -d '\r')
check "early_bound" $'Price: 952.3809523809523\nTax:   47.61904761904805\nTotal: 1000' "$out"
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
