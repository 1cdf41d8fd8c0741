#!/usr/bin/env bash
# The collectors' whole-program run (collectors_run_win.cpp) with Wine's event-log trace on: every
# ReportEvent call of the sim build lands in a trace file the test reads. Then prometheus_client's
# parser reads the metrics file as the program left it and a version with a critical disk.
#   collectors_run.sh TEST.EXE CHECK_METRICS.PY. Runs inside the Wine test fixture (wine-run.sh).
set -u
exe=$1
check=$2
tmp=${KORVANE_TEST_TMP_UNIX:?}/collectors_trace
rm -rf "$tmp" && mkdir -p "$tmp"
export KORVANE_EVENT_TRACE="Z:${tmp//\//\\}\\eventlog.trace"
WINEDEBUG=-all,+eventlog,fixme+advapi wine "$exe" --gtest_color=no 2>"$tmp/eventlog.trace"
rc=$?
out=${KORVANE_TEST_TMP_UNIX}/collectors_metrics
if [ $rc -eq 0 ]; then
  /usr/bin/python3 "$check" "$out/textfile/korvane.prom" --disks 4 --model-file "$out/model.txt" || rc=1
  /usr/bin/python3 "$check" "$out/warm.prom" --disks 4 --warming --model-file "$out/model.txt" || rc=1
fi
[ $rc -eq 0 ] || { echo "--- the ReportEvent lines of the trace:"; grep -a "ReportEvent" "$tmp/eventlog.trace" | head -80; }
exit $rc
