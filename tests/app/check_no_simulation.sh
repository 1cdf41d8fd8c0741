#!/usr/bin/env bash
# The release program holds nothing of the simulation (disk driver, power services); the sim
# program, built from the same sources, does: that is what shows the check can see them.
set -u
release=$1 sim=$2
status=0
for f in "$release" "$sim"; do [ -f "$f" ] || { echo "missing: $f"; exit 1; }; done
for name in SimulatedDriver SimPowerPort; do
  if grep -q -a "$name" "$release"; then echo "$release contains $name"; status=1; fi
  if ! grep -q -a "$name" "$sim"; then echo "$sim lacks $name"; status=1; fi
done
exit $status
