#!/usr/bin/env bash
# The installer and uninstaller in the test prefix, silently, as an administrator's script would
# run them: install_uninstall.sh SETUP.EXE WINGET_MANIFESTS.SH PRODUCT_FACTS.SH. Runs inside the
# Wine test fixture (wine-run.sh).
set -u
setup=$1
manifests=$2
facts=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { if eval "$2"; then echo "ok: $1"; else fail "$1"; fi; }
# wait_for DESCRIPTION SECONDS CONDITION: polls the condition, never a fixed sleep.
wait_for() {
  local end=$((SECONDS + $2))
  while [ $SECONDS -lt $end ]; do eval "$3" && return 0; sleep 0.2; done
  return 1
}

user=$(wine cmd /c 'echo %USERNAME%' 2>/dev/null | tr -d '\r')
dir="$WINEPREFIX/drive_c/Program Files/Korvane"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Korvane"
data="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Korvane"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Korvane'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
source_key='HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application\Korvane'
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
reg_has_key() { wine reg query "$1" >/dev/null 2>&1; }

# A clean start: no copy of an earlier run, no data folder, no autostart value.
rm -rf "$dir" "$menu" "$data"
wine reg delete "$key" /f >/dev/null 2>&1
wine reg delete "$source_key" /f >/dev/null 2>&1
wine reg delete "$run_key" /v Brelo_Korvn /f >/dev/null 2>&1
wine reg add "$run_key" /v Other_Program /d 'C:\other.exe' /f >/dev/null 2>&1

# --- Silent install ---------------------------------------------------------------------------
wine "$setup" /S
check "silent install exits with 0" '[ $? -eq 0 ]'
for f in KorvaneMonitor.exe Postwright.exe Korvane.chm Sounds/twitch.wav Uninstall.exe; do
  check "installed $f" '[ -s "$dir/$f" ]'
done
check "installed programs are the built ones" \
  'cmp -s "$dir/KorvaneMonitor.exe" "$(dirname "$setup")/release/KorvaneMonitor.exe"'
for l in "Korvane.lnk" "Korvane Help.lnk" "Uninstall Korvane.lnk"; do
  check "Start menu entry $l" '[ -s "$menu/$l" ]'
done
check "Add/Remove Programs: display name" '[ "$(reg_value "$key" DisplayName)" = "Korvane 1.0" ]'
check "Add/Remove Programs: version" '[ "$(reg_value "$key" DisplayVersion)" = "1.0.0.51" ]'
check "Add/Remove Programs: publisher" '[ "$(reg_value "$key" Publisher)" = "The Korvane developers" ]'
check "Add/Remove Programs: icon" \
  '[ "$(reg_value "$key" DisplayIcon)" = "C:\Program Files\Korvane\KorvaneMonitor.exe,0" ]'
check "Add/Remove Programs: uninstall string" \
  '[ "$(reg_value "$key" UninstallString)" = "\"C:\Program Files\Korvane\Uninstall.exe\"" ]'
check "Add/Remove Programs: quiet uninstall string" \
  '[ "$(reg_value "$key" QuietUninstallString)" = "\"C:\Program Files\Korvane\Uninstall.exe\" /S" ]'
size=$(reg_value "$key" EstimatedSize)
check "Add/Remove Programs: size in KB ($size)" '[ -n "$size" ] && [ $((size)) -gt 300 ] && [ $((size)) -lt 5000 ]'
check "event source: message file" \
  '[ "$(reg_value "$source_key" EventMessageFile)" = "C:\Program Files\Korvane\KorvaneMonitor.exe" ]'
check "event source: error, warning and information" '[ "$(reg_value "$source_key" TypesSupported)" = "0x7" ]'

# --- The winget manifests name what this setup installs ------------------------------------------
winget=$(mktemp -d)
"$manifests" "$setup" "$winget" "$facts"
field() { sed -n "s/^ *-\{0,1\} *$2: //p" "$winget/Korvane.Korvane.$1" | head -1; }
check "winget: three manifests" '[ $(ls "$winget" | wc -l) -eq 3 ]'
check "winget: the setup's hash" \
  '[ "$(field installer.yaml InstallerSha256)" = "$(sha256sum "$setup" | cut -d" " -f1 | tr a-f A-F)" ]'
check "winget: version = the entry's DisplayVersion" \
  '[ "$(field yaml PackageVersion)" = "$(reg_value "$key" DisplayVersion)" ] && [ "$(field installer.yaml DisplayVersion)" = "$(reg_value "$key" DisplayVersion)" ]'
check "winget: product code = the uninstall key's name" '[ "$(field installer.yaml ProductCode)" = "${key##*\\}" ]'
check "winget: display name and publisher = the entry's" \
  '[ "$(field installer.yaml DisplayName)" = "$(reg_value "$key" DisplayName)" ] && [ "$(field locale.en-US.yaml Publisher)" = "$(reg_value "$key" Publisher)" ]'
check "winget: nullsoft, x64, silent" \
  '[ "$(field installer.yaml InstallerType)" = nullsoft ] && [ "$(field installer.yaml Architecture)" = x64 ] && [ "$(field installer.yaml Silent)" = /S ]'
rm -rf "$winget"

# --- The installed program starts -------------------------------------------------------------
# Without disks that give a temperature it waits at its warning box, holding its mutex.
wine "C:\\Program Files\\Korvane\\KorvaneMonitor.exe" &
program=$!
check "installed program starts and writes its debug log" \
  'wait_for "debug log" 30 "grep -q \"Korvane 1.0 started. Build: 51.\" \"$data/debug.log\" 2>/dev/null"'
check "first run turned autostart on" \
  'wait_for "autostart" 10 "[ -n \"\$(reg_value \"$run_key\" Brelo_Korvn)\" ]"'

# --- Installing or uninstalling over the running copy fails and replaces nothing ---------------
touch -d '2001-01-01 00:00:00' "$dir/KorvaneMonitor.exe" "$dir/Korvane.chm"
wine "$setup" /S
rc=$?
check "silent install over a running copy fails (exit code $rc)" '[ $rc -ne 0 ]'
check "... and leaves the files alone" \
  '[ "$(stat -c %Y "$dir/KorvaneMonitor.exe")" = "$(date -d "2001-01-01 00:00:00" +%s)" ]'
# In place (_?=), so that its exit code is the uninstaller's own; the short name, because the
# command line must not quote it.
wine "C:\\Program Files\\Korvane\\Uninstall.exe" /S "_?=C:\\PROGRA~1\\Korvane"
rc=$?
check "silent uninstall of a running copy fails (exit code $rc)" '[ $rc -ne 0 ]'
check "... and removes nothing" '[ -f "$dir/KorvaneMonitor.exe" ] && [ -f "$menu/Korvane.lnk" ] && reg_has_key "$key"'

# Upgrading once the program has ended replaces the files.
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
wine "$setup" /S
check "silent install over an ended copy exits with 0" '[ $? -eq 0 ]'
check "... and replaces the files" \
  '[ "$(stat -c %Y "$dir/KorvaneMonitor.exe")" != "$(date -d "2001-01-01 00:00:00" +%s)" ]'

# --- Silent uninstall -------------------------------------------------------------------------
wine "C:\\Program Files\\Korvane\\Uninstall.exe" /S
# The uninstaller runs on from a copy in the temp folder; its work is done when the folder goes.
check "uninstall removes the program folder" 'wait_for "folder" 60 "[ ! -e \"\$dir\" ]"'
check "uninstall removes the Start menu entries" '[ ! -e "$menu" ]'
check "uninstall removes the Add/Remove Programs entry" '! reg_has_key "$key"'
check "uninstall removes the event source" '! reg_has_key "$source_key"'
check "uninstall removes the autostart value" '[ -z "$(reg_value "$run_key" Brelo_Korvn)" ]'
check "uninstall leaves other autostart values" '[ "$(reg_value "$run_key" Other_Program)" = "C:\other.exe" ]'
check "silent uninstall keeps the user's data folder" '[ -f "$data/debug.log" ] && [ -f "$data/Korvn.ini" ]'

wine reg delete "$run_key" /v Other_Program /f >/dev/null 2>&1
rm -rf "$data"
[ $failures -eq 0 ] && echo "install and uninstall: all checks passed" && exit 0
echo "install and uninstall: $failures check(s) failed"
exit 1
