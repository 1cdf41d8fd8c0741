#!/usr/bin/env bash
# Prepares one ctest run's Wine environment in STATE: a fresh private prefix, an Xvfb display when
# none is given, a PulseAudio null sink for MCI sound, and a persistent wineserver.
set -eu
state=$1
here=$(cd "$(dirname "$0")" && pwd)
"$here/wine-cleanup.sh" "$state" >/dev/null 2>&1 || true
rm -rf "$state"
mkdir -p "$state/home" "$state/xdg"
chmod 700 "$state/xdg"

export HOME=$state/home XDG_RUNTIME_DIR=$state/xdg
export WINEPREFIX=$state/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

if [ -z "${DISPLAY:-}" ]; then
  n=90
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  Xvfb :$n -screen 0 1024x768x24 -nolisten tcp </dev/null >"$state/xvfb.log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
  [ -e /tmp/.X11-unix/X$n ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=:$n
fi

if command -v pulseaudio >/dev/null; then
  pulseaudio --daemonize=yes --exit-idle-time=-1 --disallow-exit -n \
    --load="module-null-sink sink_name=null" --load=module-native-protocol-unix \
    </dev/null >"$state/pulse.log" 2>&1 || echo "note: no PulseAudio sink, MCI play will fail" >&2
fi

cat >"$state/env" <<ENV
export HOME='$HOME' XDG_RUNTIME_DIR='$XDG_RUNTIME_DIR' DISPLAY='$DISPLAY'
export WINEPREFIX='$WINEPREFIX' WINEDEBUG='$WINEDEBUG' WINEDLLOVERRIDES='$WINEDLLOVERRIDES'
ENV

start=$(date +%s)
wineboot -i >"$state/wineboot.log" 2>&1

# Restart the server as a persistent one so that each test's start does not pay for it.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
wineserver -p </dev/null >/dev/null 2>&1
# Start Wine's own services now, detached from ctest's output pipe.
wineboot </dev/null >/dev/null 2>&1
echo "Wine prefix ready in $(( $(date +%s) - start )) s: $WINEPREFIX on $DISPLAY"
