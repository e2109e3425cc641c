"""Reads the raw outputs bench/figures.sh collected and prints one table: each figure, its goal,
what each round measured and whether every round met the goal."""
import re
import sys
from pathlib import Path

raw = Path(sys.argv[1])


def text(name):
    return (raw / f"raw-{name}.txt").read_text()


def seconds(line, label):
    return float(re.search(label + r" seconds=([0-9.]+)", line).group(1))


rows = []  # (figure, goal, measured, met)


def row(figure, goal, values, limit, unit="x"):
    shown = ", ".join(f"{v:.2f}{unit}" for v in values)
    met = "-" if limit is None else "yes" if values and all(v <= limit for v in values) else "no"
    rows.append((figure, goal, shown, met))


size = int(re.search(r"program: (\d+) bytes", text("size")).group(1))
rows.append(("i686 QuorVEXSetup.exe, no payload, stripped", "<= 262,144 bytes", f"{size:,} bytes",
             "yes" if size <= 262144 else "no"))

extraction = text("extraction").splitlines()
big = [seconds(l, "extract") / seconds(l, "copy") for l in extraction if l.startswith("round") and "files=2000" in l]
row("extraction of 200 MB / 2,000 files against the copier", "<= 1.0x", big, 1.0)
small, growth = [], []
for line in extraction:
    if line.startswith("round") and "10,000:" in line:
        one, ten, copy = line.split("|")
        small.append(seconds(ten, "extract") / seconds(copy, "copy"))
        growth.append(seconds(ten, "extract") / seconds(one, "extract"))
row("10,000 files of 1 KiB against the copier", "<= 1.0x", small, 1.0)
row("10,000 files against 1,000 (growth; the copier's own is about the same)", "reference", growth, None)
peaks = {m.group(1): float(m.group(2)) for m in re.finditer(r"^(20 MB|1 GB):.*peak_working_set_mb=([0-9.]+)",
                                                             text("extraction"), re.M)}
row("peak working set, 1 GB payload against 20 MB", "< +16 MB", [peaks["1 GB"] - peaks["20 MB"]], 16.0, " MB")

pack = [float(m.group(1)) for m in re.finditer(r"ratio ([0-9.]+)", text("pack"))]
row("quorvex-pack pack against tar cf, 200 MB / 2,000 files", "<= 1.0x", pack, 1.0)


def median(label):
    return float(re.search(re.escape(label) + r".*median ([0-9.]+)", text("startup")).group(1))


minimal = median("minimal Win32 dialog program")
first = median("setup: first host answers the echo")
row("dialog shown, first notice host answering, against a minimal dialog", "< +0.3 s", [first - minimal], 0.3, " s")

width = [max(len(r[i]) for r in rows + [("figure", "goal", "measured (each round)", "met")]) for i in range(4)]
for r in [("figure", "goal", "measured (each round)", "met")] + rows:
    print("  ".join(cell.ljust(w) for cell, w in zip(r, width)).rstrip())
