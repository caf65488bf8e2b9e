#!/usr/bin/env bash
# The server needs nothing but system DLLs, and exports exactly its four
# entry points, undecorated.
# Usage: imports_test.sh <ZORVAN60.DLL>
set -u
dll=$1
failures=0 bad_imports=0
imports=$(i686-w64-mingw32-objdump -p "$dll" | sed -n 's/^\s*DLL Name: //p' | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
for name in $imports; do
  case "$name" in
    KERNEL32.DLL|ADVAPI32.DLL|OLEAUT32.DLL|OLE32.DLL|USER32.DLL|GDI32.DLL|SHELL32.DLL|VERSION.DLL|MSVCRT.DLL) ;;
    *) echo "FAIL imports $name"; bad_imports=1 ;;
  esac
done
exports=$(i686-w64-mingw32-objdump -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
          sed -n 's/^\s*\[ *[0-9]*\] \(.*\)$/\1/p' | sort | tr '\n' ' ')
expected="DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer "
[ "$exports" == "$expected" ] || { echo "FAIL exports: '$exports'"; failures=$((failures + 1)); }
failures=$((failures + bad_imports))
echo "imports: $imports"
echo "$((2 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
