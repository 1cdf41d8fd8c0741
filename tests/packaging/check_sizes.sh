#!/usr/bin/env bash
# Fails when a release program outgrows its size budget: check_sizes.sh FILE LIMIT_BYTES ...
set -u
status=0
while [ $# -ge 2 ]; do
  file=$1 limit=$2
  shift 2
  if [ ! -f "$file" ]; then echo "missing: $file"; status=1; continue; fi
  size=$(stat -c %s "$file")
  echo "$(basename "$file"): $size bytes (budget $limit, $((size * 100 / limit))%)"
  [ "$size" -le "$limit" ] || { echo "  over budget by $((size - limit)) bytes"; status=1; }
  # Stripped: no symbol table and no debug sections left.
  if x86_64-w64-mingw32-objdump -h "$file" | grep -q '\.debug_'; then
    echo "  still has debug sections"; status=1
  fi
done
exit $status
