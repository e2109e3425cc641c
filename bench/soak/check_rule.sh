#!/usr/bin/env bash
# check_rule.sh SCRATCH: soak_driver against leaky_dialog.cpp, a stand-in for the setup
# program that leaks a handle, a GDI object and 256 KiB every run and a GDI object every
# idle second. Passes (exit 0) only when the driver fails with exit code 1 and names
# handles, GDI objects and private bytes as growing in the install and uninstall sessions
# and GDI objects in the idle one. Both programs are compiled here.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then exec "$top/scripts/with-display.sh" "$0" "$@"; fi
mkdir -p "$1" && scratch=$(cd "$1" && pwd)
programs=$scratch/programs
rm -rf "$programs" && mkdir -p "$programs"
cxx=x86_64-w64-mingw32-g++-posix
$cxx -O2 -static -mwindows -o "$programs/leaky_dialog.exe" "$here/leaky_dialog.cpp"
$cxx -std=c++17 -O2 -static -I "$top" -o "$programs/soak_driver.exe" \
  "$here/soak_driver.cpp" "$top/tests/support/ui_driver.cpp" -lpsapi -lgdi32 -luser32

winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
rm -rf "$scratch/wine/prefix/drive_c/leaky"
echo "# $(date -u +%FT%TZ), $(/usr/lib/wine/wine64 --version): soak_driver against leaky_dialog.exe, 8 runs, idle 40 s read every 5 s"
out=$scratch/driver.txt
status=0
LC_ALL=C "$top/scripts/wine-run" "$scratch/wine" "$programs/soak_driver.exe" \
  "$(winpath "$programs/leaky_dialog.exe")" "$(winpath "$programs/leaky_dialog.exe")" 'C:\leaky' 8 40 5 |
  tr -d '\r' >"$out" || status=$?
cat "$out"
verdict=0
[ "$status" = 1 ] || { echo "check: the driver exited with $status, not 1"; verdict=1; }
for part in install uninstall; do
  for figure in handles gdi private; do
    grep -q "^$part $figure .*: GROWS$" "$out" || { echo "check: $part $figure not caught"; verdict=1; }
  done
done
grep -q "^idle gdi .*: GROWS$" "$out" || { echo "check: idle gdi not caught"; verdict=1; }
[ "$verdict" = 0 ] && echo "check: every leak of the stand-in was caught"
exit $verdict
