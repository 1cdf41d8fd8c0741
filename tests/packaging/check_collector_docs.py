#!/usr/bin/env python3
"""The collector-side files in docs/ against the metrics the program writes.

check_collector_docs.py REPO: the Grafana dashboard's queries and the alert rules name only
families that src/app/metrics_format.cpp writes (and windows_exporter's own
windows_textfile_mtime_seconds); the rules file passes `promtool check rules` when promtool is
installed, and is otherwise checked for the shape Prometheus loads.
"""
import json
import re
import shutil
import subprocess
import sys

import yaml

NAME = re.compile(r"\b((?:korvane|windows)_[a-z_]+)\b")


def families(repo):
    source = open(repo + "/src/app/metrics_format.cpp").read()
    names = set(re.findall(r'Family k\w+\{\s*"(korvane_[a-z_]+)"', source))
    if len(names) < 7:
        sys.exit("metric families not found in metrics_format.cpp: %s" % sorted(names))
    return names


def expressions(node):
    if isinstance(node, dict):
        for key, value in node.items():
            if key in ("expr", "definition") and isinstance(value, str):
                yield value
            elif key == "query" and isinstance(value, str):
                yield value
            else:
                yield from expressions(value)
    elif isinstance(node, list):
        for item in node:
            yield from expressions(item)


def main():
    repo = sys.argv[1]
    known = families(repo) | {"windows_textfile_mtime_seconds"}
    failures = []

    dashboard = json.load(open(repo + "/docs/grafana-dashboard.json"))
    queries = list(expressions(dashboard))
    if not any("korvane_disk_temperature_celsius" in q for q in queries):
        failures.append("dashboard: no temperature panel")
    if not any("korvane_disk_state" in q for q in queries):
        failures.append("dashboard: no state panel")
    if "instance" not in [v.get("name") for v in dashboard["templating"]["list"]]:
        failures.append("dashboard: no machine variable")
    for q in queries:
        for name in NAME.findall(q):
            if name not in known:
                failures.append("dashboard names %s, which the file does not have" % name)

    path = repo + "/docs/prometheus-alerts.yml"
    rules = yaml.safe_load(open(path))
    alerts = {}
    for group in rules["groups"]:
        for rule in group["rules"]:
            if not {"alert", "expr"} <= set(rule):
                failures.append("rule without alert and expr: %s" % rule)
                continue
            alerts[rule["alert"]] = rule
            for name in NAME.findall(rule["expr"]):
                if name not in known:
                    failures.append("rule %s names %s" % (rule["alert"], name))
    if alerts.get("KorvaneDiskWarning", {}).get("for") != "15m":
        failures.append("the warning rule does not wait 15 minutes")
    if "windows_textfile_mtime_seconds" not in alerts.get("KorvaneMetricsStale", {}).get("expr", ""):
        failures.append("no stale-file rule")
    promtool = shutil.which("promtool")
    if promtool:
        run = subprocess.run([promtool, "check", "rules", path], capture_output=True, text=True)
        print(run.stdout + run.stderr)
        if run.returncode != 0:
            failures.append("promtool check rules failed")
    else:
        print("promtool not installed: the rules' shape checked here only")

    for f in failures:
        print("FAIL:", f)
    print("%d queries, %d rules checked" % (len(queries), len(alerts)))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
