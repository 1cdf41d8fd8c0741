#!/usr/bin/env bash
# Fails when a program imports any DLL that is not part of Windows itself (a MinGW runtime DLL,
# for instance, would be missing on the user's machine).
set -u
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|winmm|advapi32|psapi|version|msvcrt|ws2_32|uxtheme|powrprof|mapi32|api-ms-win-[a-z0-9-]+)\.dll$'
status=0
for exe in "$@"; do
  if [ ! -f "$exe" ]; then echo "missing: $exe"; status=1; continue; fi
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
  [ -n "$dlls" ] || { echo "$exe: no imports found"; status=1; continue; }
  for dll in $dlls; do
    lower=$(printf '%s' "$dll" | tr 'A-Z' 'a-z')
    if [[ ! $lower =~ $allowed ]]; then echo "$exe imports $dll, which is not a Windows DLL"; status=1; fi
  done
  echo "$exe: $(echo $dlls | tr '\n' ' ')"
done
exit $status
