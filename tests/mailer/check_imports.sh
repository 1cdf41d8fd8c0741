#!/usr/bin/env bash
# Postwright.exe needs no DLL beyond Windows' own, loads MAPI32 only at run time, is a GUI program
# and carries the manifest for common controls 6.
set -u
exe=$1
fail() { echo "FAIL: $*"; exit 1; }
headers=$(x86_64-w64-mingw32-objdump -p "$exe") || fail "objdump could not read $exe"
dlls=$(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
[ -n "$dlls" ] || fail "no imports found"
allowed=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll comctl32.dll msvcrt.dll "
for dll in $dlls; do
  case "$allowed" in *" $dll "*) ;; *) fail "imports $dll" ;; esac
done
echo "$dlls" | grep -qx comctl32.dll || fail "InitCommonControls is not imported"
echo "$headers" | grep -Eq '^Subsystem[[:space:]]+00000002' || fail "not a GUI-subsystem program"
rsrc=$(mktemp)
trap 'rm -f "$rsrc"' EXIT
x86_64-w64-mingw32-objcopy -O binary --only-section=.rsrc "$exe" "$rsrc" || fail "no resources"
grep -aq 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' "$rsrc" ||
  fail "no common-controls 6.0.0.0 manifest in the resources"
echo "imports:" $dlls
