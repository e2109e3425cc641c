#!/usr/bin/env bash
# figures.sh [SCRATCH]: every size and speed figure of the setup program and the packing tool in
# one run, each as the ratio against its yardstick, into bench/figures.txt (the raw output of
# each benchmark goes to SCRATCH/raw-*.txt). As root, with the three builds made
# (scripts/build.sh); it builds the benchmark programs it needs. Takes about five minutes.
set -euo pipefail
cd "$(dirname "$0")/.."
scratch=$(mkdir -p "${1:-build/bench-figures}" && cd "${1:-build/bench-figures}" && pwd)

cmake --build build/native --target quorvex-pack >/dev/null
cmake --build build/win64 --target extraction_bench file_copy_bench QuorVEXSetupTestHosts >/dev/null
cmake --build build/win32 --target QuorVEXSetupBare >/dev/null

bash bench/size/size_report.sh build/win32 25 >"$scratch/raw-size.txt"
bash bench/archive/pack_vs_tar.sh build/native/tools/pack/quorvex-pack "$scratch/pack" >"$scratch/raw-pack.txt"
bash bench/archive/extraction.sh build/native build/win64 "$scratch/extraction" "big small memory" >"$scratch/raw-extraction.txt"
bash bench/startup/startup.sh build/win64 "$scratch/startup" 5 >"$scratch/raw-startup.txt"

{
  echo "# bench/figures.sh, $(date -u +%FT%TZ), $(/usr/lib/wine/wine64 --version), $(nproc) cores," \
    "load $(cut -d' ' -f1-3 /proc/loadavg)"
  python3 bench/figures.py "$scratch"
} | tee bench/figures.txt
