#!/usr/bin/env bash
# Runs a command inside the Wine environment prepared by wine-setup.sh for STATE. Paths handed to
# Windows programs through the environment are given in their Windows (Z:) form.
state=$1
shift
. "$state/env" || exit 1
winpath() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }
[ -n "${KORVANE_TEST_DATA:-}" ] && export KORVANE_TEST_DATA_UNIX=$KORVANE_TEST_DATA KORVANE_TEST_DATA=$(winpath "$KORVANE_TEST_DATA")
[ -n "${KORVANE_TEST_TMP:-}" ] && export KORVANE_TEST_TMP_UNIX=$KORVANE_TEST_TMP KORVANE_TEST_TMP=$(winpath "$KORVANE_TEST_TMP")
[ -n "${KORVANE_BUILD_DIR:-}" ] && export KORVANE_BUILD_DIR_UNIX=$KORVANE_BUILD_DIR KORVANE_BUILD_DIR=$(winpath "$KORVANE_BUILD_DIR")
# Wine may leave helper processes running until the fixture ends; they must not hold ctest's
# output pipe, so the output goes through a file.
out=$(mktemp "$state/output.XXXXXX")
"$@" </dev/null >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc
