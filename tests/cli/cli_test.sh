#!/usr/bin/env bash
# Checks zorvan-tax from the outside: single mode, errors and exit codes,
# batch streaming. Usage: cli_test.sh <command to run zorvan-tax...>
set -u
tool=("$@")
failures=0
check() {  # name expected actual
  if [ "$2" != "$3" ]; then
    echo "FAIL $1"; echo "  expected: $(printf '%q' "$2")"; echo "  actual:   $(printf '%q' "$3")"
    failures=$((failures + 1))
  fi
}

out=$("${tool[@]}" --value 1000 --rate 5 --tax-type pre --round half --digit -2 2>&1); rc=$?
check "single mode output" $'Price: 952.38\nTax:   47.62\nTotal: 1000' "$out"
check "single mode exit" 0 "$rc"

out=$("${tool[@]}" --value=1000 2>&1); rc=$?
check "defaults are the object's" $'Price: 1000\nTax:   0\nTotal: 1000' "$out"

out=$("${tool[@]}" --value 200 --rate 0.08 --rate-type normal --tax-type after 2>&1)
check "normal rate" $'Price: 200\nTax:   16\nTotal: 216' "$out"

err=$("${tool[@]}" --value 2e15 2>&1 >/dev/null); rc=$?
check "rejected value message" "zorvan-tax: Value 2e15 out of range" "$err"
check "rejected value exit" 2 "$rc"

"${tool[@]}" --round sideways >/dev/null 2>&1; rc=$?
check "unknown enum exit" 2 "$rc"
"${tool[@]}" --colour red >/dev/null 2>&1; rc=$?
check "unknown option exit" 2 "$rc"
"${tool[@]}" --digit >/dev/null 2>&1; rc=$?
check "missing value exit" 2 "$rc"

out=$(printf '1000 5 1 0 1 -2\n1000 5 1 0 9 0\n1 2\n1050 5 1 0 0 0' | "${tool[@]}" --batch); rc=$?
check "batch lines in place" $'952.38 47.62 1000\nerror: RoundType 9 out of range\nerror: expected 6 fields (Value TaxRate RateType TaxType RoundType RoundDigit), got 2\n1000 50 1050' "$out"
check "batch exit with errors" 1 "$rc"

out=$(printf '1000 5 1 1 0 0\r\n' | "${tool[@]}" --batch); rc=$?
check "batch CRLF input" "1000 50 1050" "$out"
check "batch exit clean" 0 "$rc"

long=$(head -c 100000 /dev/zero | tr '\0' '7')
out=$(printf '1000 5 1 1 0 0\n%s\n1050 5 1 0 0 0\n' "$long" | "${tool[@]}" --batch); rc=$?
check "overlong line reported in place" $'1000 50 1050\nerror: line longer than 4096 bytes\n1000 50 1050' "$out"
check "overlong line exit" 1 "$rc"
out=$(printf '%s\n' "${long:0:5000}" | "${tool[@]}" --batch)
check "overlong line within one read" "error: line longer than 4096 bytes" "$out"

[ "$failures" -eq 0 ]
