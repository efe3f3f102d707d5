#!/usr/bin/env python3
"""Usage: tools/check-includes.py
Checks every include of src/ against the table of allowed arrows in docs/architecture.md: an
include of another folder of src/ that the table does not allow is printed with its file and
line, and the exit status is 1. A folder always includes itself."""
import pathlib
import re
import subprocess
import sys

root = pathlib.Path(__file__).resolve().parent.parent
table_row = re.compile(r"^\| `([^`]+)` \|(.*)\|\s*$")
include = re.compile(r'^\s*#\s*include\s+"([a-z]+)/')

allowed = {}
for line in (root / "docs/architecture.md").read_text().splitlines():
    row = table_row.match(line)
    if row:
        allowed[row.group(1)] = set(re.findall(r"`([a-z]+)`", row.group(2).split(":")[0]))
folders = {name for name in allowed if "/" not in name}
if not folders:
    sys.exit("check-includes.py: no table of allowed includes in docs/architecture.md")

sources = subprocess.run(["git", "ls-files", "src"], cwd=root, capture_output=True, text=True,
                         check=True).stdout.split()
findings = 0
for source in sources:
    parts = pathlib.PurePosixPath(source).parts  # src, folder, file...
    if len(parts) < 3 or parts[1] not in folders:
        continue
    folder = parts[1]
    mine = allowed[folder] | allowed.get("/".join(parts[1:]), set()) | {folder}
    for number, text in enumerate((root / source).read_text().splitlines(), 1):
        target = include.match(text)
        if target and target.group(1) in folders and target.group(1) not in mine:
            print(f"{source}:{number}: {folder}/ may not include {target.group(1)}/ "
                  "(docs/architecture.md)")
            findings += 1
sys.exit(1 if findings else 0)
