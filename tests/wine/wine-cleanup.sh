#!/usr/bin/env bash
# Ends everything wine-setup.sh started for STATE: the prefix's Wine processes, Xvfb, PulseAudio.
state=$1
[ -f "$state/env" ] || exit 0
. "$state/env"
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
pulseaudio --kill 2>/dev/null
if [ -f "$state/xvfb.pid" ]; then
  kill "$(cat "$state/xvfb.pid")" 2>/dev/null
  rm -f "$state/xvfb.pid"
fi
exit 0
