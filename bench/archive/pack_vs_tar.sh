#!/usr/bin/env bash
# quorvex-pack pack against tar cf of the same tree: 2,000 files, 200 MB in total.
# Usage: bench/archive/pack_vs_tar.sh <quorvex-pack> <scratch dir>   (the scratch is deleted)
set -euo pipefail
pack=$1
work=$2
rm -rf "$work" && mkdir -p "$work/tree"
for i in $(seq 0 1999); do
  mkdir -p "$work/tree/d$((i % 20))"
  head -c 104857 /dev/urandom >"$work/tree/d$((i % 20))/f$i.bin"
done
head -c 4096 /dev/urandom >"$work/bare.exe"
sync
run() { local start end; start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N); echo "$end - $start" | bc; }
for round in 1 2 3; do
  p=$(run "$pack" pack --setup "$work/bare.exe" --from "$work/tree" --out "$work/out.exe")
  t=$(run tar cf "$work/out.tar" -C "$work" tree)
  echo "round $round: pack ${p}s  tar ${t}s  ratio $(echo "scale=2; $p / $t" | bc)"
  rm -f "$work/out.exe" "$work/out.tar"
done
rm -rf "$work"
