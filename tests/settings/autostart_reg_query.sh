#!/usr/bin/env bash
# The autostart value as Wine's registry tool sees it: the program path in quotes, then removed.
set -u
tool=$1
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
program='C:\Program Files\Korvane\KorvaneMonitor.exe'
fail() { echo "FAIL: $*"; exit 1; }

wine "$tool" on "$program" || fail "tool could not switch autostart on"
out=$(wine reg query "$key" /v Brelo_Korvn 2>&1) || fail "value missing after on: $out"
echo "$out" | tr -d '\r' | grep -qE "^ *Brelo_Korvn +REG_SZ +\"C:\\\\Program Files\\\\Korvane\\\\KorvaneMonitor\.exe\"$" ||
  fail "unexpected value: $out"

wine "$tool" off || fail "tool could not switch autostart off"
if out=$(wine reg query "$key" /v Brelo_Korvn 2>&1); then
  fail "value still present after off: $out"
fi
echo "autostart value written and removed as expected"
