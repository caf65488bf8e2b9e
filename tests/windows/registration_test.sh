#!/usr/bin/env bash
# regsvr32 registers and unregisters the server; the registry holds exactly
# our entries after registering (also over stale ones) and none after.
# Usage: registration_test.sh <wine-run> <ZORVAN60.DLL> <registry_check.exe>
set -u
run=$1 dll=$2 check=$3
windll=$("$run" winepath -w "$dll" 2>/dev/null | tr -d '\r')
failures=0
step() {  # description, command...
  local what=$1; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
quiet() { "$@" >/tmp/zorvan-reg.$$ 2>&1; local rc=$?; [ $rc -eq 0 ] || cat /tmp/zorvan-reg.$$; rm -f /tmp/zorvan-reg.$$; return $rc; }

step "unregister on a clean machine returns 0" quiet "$run" regsvr32 /u /s "$windll"
step "nothing of ours is there" quiet "$run" "$check" unregistered
step "regsvr32 registers" quiet "$run" regsvr32 /s "$windll"
step "exactly our entries" quiet "$run" "$check" registered "$windll"
step "regsvr32 unregisters" quiet "$run" regsvr32 /u /s "$windll"
step "none of our entries, HKCR\\CLSID stays" quiet "$run" "$check" unregistered
step "stale entries planted" quiet "$run" "$check" plant-stale
step "registration over stale entries" quiet "$run" regsvr32 /s "$windll"
step "stale entries replaced" quiet "$run" "$check" registered "$windll"
echo "$((9 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
