#!/usr/bin/env bash
# Registration of builds that lack a resource: a module without its type
# library registers the ".tlb" file beside it; a module without its
# registry script fails to register. The real server is registered again
# at the end.
# Usage: registration_variants_test.sh <wine-run> <bin folder> <variants folder> <registry_check.exe>
set -u
run=$1 bin=$2 variants=$3 check=$4
win() { "$run" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
failures=0 passed=0
step() {
  local what=$1; shift
  if "$@" >/tmp/zorvan-variant.$$ 2>&1; then passed=$((passed + 1)); echo "ok   $what"
  else failures=$((failures + 1)); echo "FAIL $what"; cat /tmp/zorvan-variant.$$; fi
  rm -f /tmp/zorvan-variant.$$
}
fails() { ! "$@"; }

twin=$(win "$variants/tlb_twin/ZORVAN60.DLL")
step "module without a type library registers" "$run" regsvr32 /s "$twin"
step "the .tlb beside it is registered, help directory the module's" \
     "$run" "$check" typelib "${twin%.DLL}.tlb" "${twin%ZORVAN60.DLL}"
step "module without its registry script fails to register" fails "$run" regsvr32 /s "$(win "$variants/no_script/ZORVAN60.DLL")"
main=$(win "$bin/ZORVAN60.DLL")
step "the real server registers again" "$run" regsvr32 /s "$main"
step "with exactly its entries" "$run" "$check" registered "$main"
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
