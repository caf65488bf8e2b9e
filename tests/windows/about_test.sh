#!/usr/bin/env bash
# Runs the About box test on the display of the test session, in the
# Japanese code page so that the dialog's texts render, and turns its
# screenshots into PNG files.
# Usage: about_test.sh <wine-run> <about_tests.exe> <marker.exe> <shots folder>
set -u
run=$1 test=$2 marker=$3 shots=$4
if [ -z "${DISPLAY:-}" ]; then echo "no DISPLAY: the test session starts Xvfb"; exit 1; fi
mkdir -p "$shots"
rm -f "$shots"/*.bmp
win() { "$run" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
ZORVAN_MARKER=$(win "$marker") ZORVAN_SHOTS=$(win "$shots") LC_ALL=ja_JP.UTF-8 "$run" "$test"
rc=$?
for bmp in "$shots"/*.bmp; do
  [ -f "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit $rc
