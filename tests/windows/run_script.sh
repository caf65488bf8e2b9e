#!/usr/bin/env bash
# Runs a script under Wine's cscript. cscript exits 0 even on an uncaught
# script error, so the script must end by printing "N passed, M failed"
# and quitting with its failure count.
# Usage: run_script.sh <wine-run> <script>
set -u
run=$1 script=$2
out=$("$run" cscript //nologo "$("$run" winepath -w "$script" 2>/dev/null | tr -d '\r')" 2>/dev/null | tr -d '\r')
rc=$?
printf '%s\n' "$out"
grep -qE '^[0-9]+ passed, 0 failed$' <<<"$out" || { echo "script did not finish cleanly"; exit 1; }
exit $rc
