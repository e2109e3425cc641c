#!/usr/bin/env bash
# soak.sh WIN64_BUILD NATIVE_BUILD SCRATCH [IDLE_SECONDS] [RUNS] [SAMPLE_SECONDS]: leaks
# over long dialog sessions of the shipping setup program (WIN64_BUILD/QuorVEXSetup.exe,
# packed with the sample product), under Wine in a prefix of its own in SCRATCH, into
# "C:\Program Files\QuorVEX" of that prefix: RUNS (default 20) install runs in one install
# dialog; RUNS uninstall runs in one uninstall dialog (the installed copy, -u), reinstalled
# unattended between them; then an install dialog left open IDLE_SECONDS (default 600),
# read every SAMPLE_SECONDS (default 30). After each run and sample: the dialog process's
# handles, GDI and USER objects, windows, private bytes and working set; a summary per
# figure. Exit code 1 when a figure grew beyond its margin (the rule is in soak_driver.cpp),
# 2 when a run failed. The reinstalls use the same product packed without QuorVEXSetup.exe
# (NATIVE_BUILD's quorvex-pack): the folder's copy is the running uninstall dialog's file,
# which cannot be written. soak_driver.cpp is compiled here.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then exec "$top/scripts/with-display.sh" "$0" "$@"; fi
build=$(cd "$1" && pwd)
pack=$(cd "$2" && pwd)/tools/pack/quorvex-pack
mkdir -p "$3" && scratch=$(cd "$3" && pwd)
idle=${4:-600}
runs=${5:-20}
sample=${6:-30}

# Copies: the build tree may be rebuilt while this runs.
programs=$scratch/programs
rm -rf "$programs" && mkdir -p "$programs/reinstall"
cp "$build/QuorVEXSetup.exe" "$programs/QuorVEXSetup.exe"
"$pack" extract "$programs/QuorVEXSetup.exe" --to "$programs/product" >/dev/null
rm "$programs/product/QuorVEXSetup.exe"
"$pack" pack --setup "$build/bare/QuorVEXSetup.exe" --from "$programs/product" \
  --out "$programs/reinstall/QuorVEXSetup.exe" >/dev/null

x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -static -I "$top" -o "$programs/soak_driver.exe" \
  "$here/soak_driver.cpp" "$top/tests/support/ui_driver.cpp" -lpsapi -lgdi32 -luser32

winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
folder='C:\Program Files\QuorVEX'
rm -rf "$scratch/wine/prefix/drive_c/Program Files/QuorVEX"
echo "# $(date -u +%FT%TZ), $(/usr/lib/wine/wine64 --version), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "# QuorVEXSetup.exe x86_64 with the sample product, $(stat -c %s "$programs/QuorVEXSetup.exe") bytes, sha256 $(sha256sum "$programs/QuorVEXSetup.exe" | cut -c1-16)"
echo "# $runs runs per dialog into $folder; idle ${idle} s, read every ${sample} s"
status=0
LC_ALL=C "$top/scripts/wine-run" "$scratch/wine" "$programs/soak_driver.exe" \
  "$(winpath "$programs/QuorVEXSetup.exe")" "$(winpath "$programs/reinstall/QuorVEXSetup.exe")" "$folder" \
  "$runs" "$idle" "$sample" | tr -d '\r' || status=$?
exit $status
