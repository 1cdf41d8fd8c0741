#!/usr/bin/env python3
"""Parses a Korvane metrics file with prometheus_client's own parser and checks its families.

check_metrics.py FILE [--disks N] [--warming] [--model-file F]: exit 0 when the file parses, every
per-disk series has the disk, model and serial labels, N disks (when given) are there, one of them
in the warning or critical state (--warming), and a disk's model equals F's bytes (--model-file).
"""
import argparse
import sys

from prometheus_client.parser import text_string_to_metric_families

FAMILIES = {
    "korvane_build_info", "korvane_disk_info", "korvane_disk_temperature_celsius",
    "korvane_disk_warning_level_celsius", "korvane_disk_critical_level_celsius",
    "korvane_disk_state", "korvane_disk_last_reading_timestamp_seconds",
}


def main():
    args = argparse.ArgumentParser()
    args.add_argument("file")
    args.add_argument("--disks", type=int)
    args.add_argument("--warming", action="store_true")
    args.add_argument("--model-file")
    a = args.parse_args()
    text = open(a.file, "rb").read().decode("utf-8")
    if not text.endswith("\n"):
        sys.exit("no final line feed")
    families = {f.name: f for f in text_string_to_metric_families(text)}
    # The client names an info family without its "_info" ending.
    names = {n if n in FAMILIES else n + "_info" for n in families}
    if names != FAMILIES:
        sys.exit("families: %s" % sorted(names))
    disks = set()
    models = []
    states = []
    for family in families.values():
        for s in family.samples:
            if s.name == "korvane_build_info":
                continue
            for label in ("disk", "model", "serial"):
                if label not in s.labels:
                    sys.exit("%s without %s" % (s.name, label))
            disks.add(s.labels["disk"])
            models.append(s.labels["model"])
            if s.name == "korvane_disk_state":
                states.append(s.value)
    if a.disks is not None and len(disks) != a.disks:
        sys.exit("disks: %s" % sorted(disks))
    if a.warming and not any(v >= 1 for v in states):
        sys.exit("no disk warning or critical: %s" % states)
    if a.model_file:
        want = open(a.model_file, "rb").read().decode("latin-1")
        if want not in models:
            sys.exit("model %r not among %r" % (want, sorted(set(models))))
    print("%s: %d families, %d disks" % (a.file, len(families), len(disks)))


if __name__ == "__main__":
    main()
