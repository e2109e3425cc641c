#!/usr/bin/env bash
# Extraction through the real PayloadArchive against a minimal Win32 copier of the same
# files, both under the same Wine, in one run; then 10,000 against 1,000 files, and peak
# working set for a 20 MB and a 1 GB payload.
# Usage: bench/archive/extraction.sh <native build> <win64 build> <scratch dir> [parts]
#   (scratch is deleted; parts: any of big, small, memory; all three unless named)
set -euo pipefail
native=$1 win=$2 work=$3
parts=${4:-big small memory}
wants() { [[ " $parts " == *" $1 "* ]]; }
here=$(cd "$(dirname "$0")/../.." && pwd)
pack=$native/tools/pack/quorvex-pack
wine_run() { "$here/scripts/wine-run" "$win/wine" "$@"; }
winpath() { echo "Z:${1//\//\\}"; }
rm -rf "$work" && mkdir -p "$work"
head -c 4096 /dev/urandom >"$work/bare.exe"

# tree <name> <files> <bytes per file>
tree() {
  mkdir -p "$work/$1"
  for i in $(seq 0 $(($2 - 1))); do
    mkdir -p "$work/$1/d$((i % 20))"
    head -c "$3" /dev/urandom >"$work/$1/d$((i % 20))/f$i.bin"
  done
  "$pack" pack --setup "$work/bare.exe" --from "$work/$1" --out "$work/$1.exe" >/dev/null
}
extract() { wine_run "$win/bench/extraction_bench.exe" "$(winpath "$work/$1.exe")" "$(winpath "$work/out-$1-$2")\\" | tr -d '\r'; rm -rf "$work/out-$1-$2"; }
copy() { wine_run "$win/bench/file_copy_bench.exe" "$(winpath "$work/$1")" "$(winpath "$work/copy-$1-$2")" | tr -d '\r'; rm -rf "$work/copy-$1-$2"; }

if wants big; then
  echo "== 200 MB, 2,000 files: extraction against a plain copy of the same files (target: at most 1.0 times)"
  tree big 2000 104857
  for round in 1 2 3; do echo "round $round: $(extract big $round) | $(copy big $round)"; done
  rm -rf "$work/big" "$work/big.exe"
fi

if wants small; then
  echo "== 10,000 files of 1 KiB against a plain copy of them (target: at most 1.0 times), and against 1,000"
  tree k1 1000 1024
  tree k10 10000 1024
  for round in 1 2; do
    echo "round $round: 1,000: $(extract k1 $round) | 10,000: $(extract k10 $round) | copy of 10,000: $(copy k10 $round)"
  done
  rm -rf "$work/k1" "$work/k10" "$work"/k1*.exe
fi

if wants memory; then
  echo "== peak working set, 20 MB against 1 GB payload (target: growth under 16 MB)"
  tree m20 1 20971520
  echo "20 MB: $(extract m20 1)"
  rm -rf "$work/m20" "$work/m20.exe"
  tree g1 4 268435456
  echo "1 GB: $(extract g1 1)"
fi
rm -rf "$work"
