#!/usr/bin/env bash
# Fails when a program imports any DLL that is not part of Windows itself (a MinGW runtime DLL,
# for instance, would be missing on the user's machine), or imports one of the libraries that are
# loaded at run time from the system folder only: winmm, powrprof, mapi32 and psapi are no
# KnownDLLs on every supported system, so as imports Windows would take a copy beside the program
# first.
set -u
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|advapi32|version|msvcrt|ws2_32|uxtheme|api-ms-win-[a-z0-9-]+)\.dll$'
status=0
for exe in "$@"; do
  if [ ! -f "$exe" ]; then echo "missing: $exe"; status=1; continue; fi
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
  [ -n "$dlls" ] || { echo "$exe: no imports found"; status=1; continue; }
  for dll in $dlls; do
    lower=$(printf '%s' "$dll" | tr 'A-Z' 'a-z')
    case $lower in
      winmm.dll|powrprof.dll|mapi32.dll|psapi.dll) echo "$exe imports $dll instead of loading it from the system folder"; status=1; continue ;;
    esac
    if [[ ! $lower =~ $allowed ]]; then echo "$exe imports $dll, which is not a Windows DLL"; status=1; fi
  done
  echo "$exe: $(echo $dlls | tr '\n' ' ')"
done
exit $status
