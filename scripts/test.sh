#!/usr/bin/env bash
# Runs every test: the native unit tests, then the Windows tests of both Windows builds
# under wine64 (each with a private Xvfb display and its build's private Wine prefix).
# Build first (scripts/build.sh).
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
status=0

ctest --preset native -j"$(nproc)" || status=1
# The same unit tests under AddressSanitizer and UndefinedBehaviorSanitizer.
ctest --preset native-sanitize -j"$(nproc)" || status=1

# Bounded fuzzing of the archive reader (clang, ASan and UBSan).
if [ -x scripts/fuzz.sh ]; then scripts/fuzz.sh || status=1; fi

stop_wine() {
  for build in win64 win32; do
    WINEPREFIX="$root/build/$build/wine/prefix" /usr/lib/wine/wineserver64 -k 2>/dev/null || true
  done
}
trap stop_wine EXIT
# The x86_64 build, then the program as shipped: the i686 build's tests run the same way,
# its programs started by wine64 through Wine's 32-bit side (under qemu on this kernel).
QX_OWN_DISPLAY=1 scripts/with-display.sh ctest --preset win64 || status=1
QX_OWN_DISPLAY=1 scripts/with-display.sh ctest --preset win32 || status=1
exit $status
