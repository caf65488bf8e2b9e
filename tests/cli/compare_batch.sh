#!/usr/bin/env bash
# Runs one generated batch through two builds of zorvan-tax and compares
# the outputs byte for byte. Usage: compare_batch.sh <make_batch> <lines> <toolA> -- <toolB...>
set -u
gen=$1 lines=$2 a=$3; shift 3; [ "$1" = "--" ] && shift
dir=$(mktemp -d); trap 'rm -rf "$dir"' EXIT
"$gen" "$lines" > "$dir/in"
"$a" --batch < "$dir/in" > "$dir/a"; rca=$?
"$@" --batch < "$dir/in" > "$dir/b"; rcb=$?
if ! cmp -s "$dir/a" "$dir/b"; then
  echo "outputs differ:"; diff "$dir/a" "$dir/b" | head -20; exit 1
fi
[ "$(wc -l < "$dir/a")" -eq "$lines" ] || { echo "line count differs from input"; exit 1; }
[ "$rca" = "$rcb" ] || { echo "exit codes differ: $rca vs $rcb"; exit 1; }
echo "$lines lines identical"
