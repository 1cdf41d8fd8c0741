#!/usr/bin/env python3
"""Fails on a broken internal link of the help file's pages: check_help_links.py HELP_FOLDER.

Every href/src of every page, every page of the contents (.hhc) and every file the project (.hhp)
lists must name a file of the folder that the project compiles in, and a #fragment an id or name
of that page. Links to the web (http:, https:, mailto:) are left alone."""
import html.parser
import os
import re
import sys


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links, self.anchors = [], set()

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        for key in ("href", "src"):
            if a.get(key):
                self.links.append(a[key])
        for key in ("id", "name"):
            if a.get(key) and tag != "param":
                self.anchors.add(a[key])
        if tag == "param" and (a.get("name") or "").lower() == "local":
            self.links.append(a.get("value") or "")


def parse(path):
    page = Page()
    with open(path, encoding="latin-1") as f:
        page.feed(f.read())
    return page


def main(folder):
    with open(os.path.join(folder, "Korvane.hhp"), encoding="latin-1") as f:
        project = f.read()
    listed = re.search(r"\[FILES\]\s*(.*?)(\n\[|\Z)", project, re.S).group(1).split()
    compiled = {name.lower() for name in listed}
    problems = [f"Korvane.hhp lists {n}, which does not exist" for n in listed
                if not os.path.isfile(os.path.join(folder, n))]
    pages = [n for n in os.listdir(folder) if n.endswith((".html", ".hhc"))]
    for name in sorted(pages):
        if name.endswith(".html") and name.lower() not in compiled:
            problems.append(f"{name} is not listed in Korvane.hhp, so it is not compiled in")
    parsed = {name: parse(os.path.join(folder, name)) for name in pages}
    checked = 0
    for name, page in sorted(parsed.items()):
        for link in page.links:
            if re.match(r"^(https?|mailto):", link):
                continue
            checked += 1
            target, _, fragment = link.partition("#")
            target = target or name
            if target.lower() not in compiled:
                problems.append(f"{name}: link to {link}: {target} is not in the help file")
            elif fragment and fragment not in parsed.get(target, Page()).anchors:
                problems.append(f"{name}: link to {link}: no anchor {fragment} in {target}")
    for p in problems:
        print("broken:", p)
    print(f"{len(pages)} pages, {checked} internal links checked, {len(problems)} broken")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
