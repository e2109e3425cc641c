#!/usr/bin/env bash
# Runs every test: the native unit tests, then the Windows tests under wine64 (with a
# private Xvfb display and this build's private Wine prefix). Build first (scripts/build.sh).
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
status=0

ctest --preset native -j"$(nproc)" || status=1

# Bounded fuzzing of the archive reader (clang, ASan and UBSan).
if [ -x scripts/fuzz.sh ]; then scripts/fuzz.sh || status=1; fi

stop_wine() {
  WINEPREFIX="$root/build/win64/wine/prefix" /usr/lib/wine/wineserver64 -k 2>/dev/null || true
}
trap stop_wine EXIT
QX_OWN_DISPLAY=1 scripts/with-display.sh ctest --preset win64 || status=1
exit $status
