#!/usr/bin/env bash
# dialog_load.sh WIN64_BUILD NATIVE_BUILD SCRATCH [ROUNDS] [FILES]: a payload of FILES
# (default 10,000) files of 1 KiB in 40 folders, packed with NATIVE_BUILD's quorvex-pack
# behind WIN64_BUILD's bare setup program, installed through the dialog and unattended
# (/S /D=), alternating, ROUNDS (default 3) each, every run into a fresh folder of a Wine
# prefix of SCRATCH's own. dialog_load_driver.cpp (compiled here) times the runs, sends
# WM_NULL to the dialog every 100 ms during its runs and reads the bar's length at their end.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then exec "$top/scripts/with-display.sh" "$0" "$@"; fi
build=$(cd "$1" && pwd)
pack=$(cd "$2" && pwd)/tools/pack/quorvex-pack
mkdir -p "$3" && scratch=$(cd "$3" && pwd)
rounds=${4:-3}
files=${5:-10000}

# Copies: the build tree may be rebuilt while this runs.
programs=$scratch/programs
rm -rf "$programs" && mkdir -p "$programs/payload"
cp "$build/bare/QuorVEXSetup.exe" "$programs/bare.exe"
# Ten folders of four sub-folders, the files spread evenly over the forty.
for i in $(seq 0 $((files - 1))); do
  echo "group$((i % 10))/part$((i / 10 % 4))/file$i.bin"
done | python3 -c '
import os, sys
root = sys.argv[1]
for line in sys.stdin:
    path = os.path.join(root, line.strip())
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(os.urandom(1024))
' "$programs/payload"
"$pack" pack --setup "$programs/bare.exe" --from "$programs/payload" --out "$programs/QuorVEXSetup.exe" >/dev/null
"$pack" verify "$programs/QuorVEXSetup.exe" >/dev/null

x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -static -I "$top" -o "$programs/dialog_load_driver.exe" \
  "$here/dialog_load_driver.cpp" "$top/tests/support/ui_driver.cpp" -lgdi32 -luser32

winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
targets=$scratch/wine/prefix/drive_c/load
rm -rf "$targets"
echo "# $(date -u +%FT%TZ), $(/usr/lib/wine/wine64 --version), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "# bare QuorVEXSetup.exe x86_64 ($(stat -c %s "$programs/bare.exe") bytes) + $(find "$programs/payload" -type f | wc -l) files of 1 KiB in $(find "$programs/payload" -mindepth 2 -type d | wc -l) folders: $(stat -c %s "$programs/QuorVEXSetup.exe") bytes"
echo "# $rounds rounds, into fresh folders below C:\\load"
status=0
LC_ALL=C "$top/scripts/wine-run" "$scratch/wine" "$programs/dialog_load_driver.exe" \
  "$(winpath "$programs/QuorVEXSetup.exe")" 'C:\load' "$files" "$rounds" | tr -d '\r' || status=$?
rm -rf "$targets"
exit $status
