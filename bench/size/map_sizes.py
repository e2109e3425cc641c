#!/usr/bin/env python3
"""map_sizes.py MAP TOP: sums a GNU ld map's input sections (code, data, read-only data,
unwind tables, resources) by library and by object file, largest first."""
import collections
import os
import re
import sys

path, top = sys.argv[1], int(sys.argv[2])
entry = re.compile(r"^\s*(\.[\w.$]+)?\s+0x[0-9a-fA-F]+\s+0x([0-9a-fA-F]+)\s+(\S.*)$")
by_object = collections.Counter()
by_section = collections.Counter()
pending = None
in_map = False
for line in open(path, errors="replace"):
    if line.startswith("Linker script and memory map"):
        in_map = True
        continue
    if not in_map or line.startswith(" *") or line.startswith("LOAD "):
        continue
    lone = re.match(r"^\s(\.[\w.$]+)\s*$", line)
    if lone:
        pending = lone.group(1)
        continue
    m = entry.match(line)
    if not m:
        pending = None
        continue
    section = m.group(1) or pending
    pending = None
    size = int(m.group(2), 16)
    where = m.group(3).strip()
    if not section or size == 0 or section.startswith(".debug") or "(size before relaxing)" in where:
        continue
    kind = section.split(".")[1] if section.count(".") >= 1 else section
    by_section["." + kind] += size
    by_object[where] += size


def library(where):
    m = re.match(r"(.*\.a)\((.*)\)$", where)
    name = os.path.basename(m.group(1)) if m else "objects"
    if name.startswith("libqx_") or "CMakeFiles" in where:
        return "project: " + (name if m else os.path.basename(where))
    return name


by_library = collections.Counter()
for where, size in by_object.items():
    by_library[library(where)] += size

total = sum(by_object.values())
print(f"input sections in the map: {total} bytes")
print("\nby section kind:")
for name, size in by_section.most_common(8):
    print(f"  {size:9d}  {name}")
print("\nby library:")
for name, size in by_library.most_common(top):
    print(f"  {size:9d}  {name}")
print(f"\nlargest {top} objects:")
for where, size in by_object.most_common(top):
    m = re.match(r"(.*\.a)\((.*)\)$", where)
    shown = f"{os.path.basename(m.group(1))}({m.group(2)})" if m else os.path.basename(where)
    print(f"  {size:9d}  {shown}")
