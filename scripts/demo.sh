#!/usr/bin/env bash
# The main job: builds the setup program with the bundled sample product and runs it
# under Wine. With a display (DISPLAY set) the dialog opens there and the script waits
# for it to close; without one it runs on a private Xvfb, saves a screenshot to
# build/demo/setup.png after a few seconds and closes the program again.
#
# The setup program probes its notice servers when its dialog opens, so it runs in a
# network namespace of its own without routes (scripts/wine-run): nothing leaves the machine.
# Options: -u runs it in uninstall mode.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

cmake --preset native >/dev/null && cmake --build --preset native -j"$(nproc)" >/dev/null
cmake --preset win32 >/dev/null && cmake --build --preset win32 -j"$(nproc)" >/dev/null

# The program as shipped: the 32-bit release build (wine64 runs it through Wine's 32-bit
# side, under qemu's user-mode emulator on this kernel; scripts/setup.sh sets that up).
program=build/win32/QuorVEXSetup.exe
echo "demo: running the release program $program"

wineroot="$root/build/demo/wine"
mkdir -p "$root/build/demo"
stop_wine() { WINEPREFIX="$wineroot/prefix" /usr/lib/wine/wineserver64 -k 2>/dev/null || true; }
trap stop_wine EXIT

# A new Wine prefix takes a while to make; make it before the clock of the screenshot starts.
scripts/wine-run "$wineroot" cmd.exe /c exit >/dev/null 2>&1 || true

if [ -n "${DISPLAY:-}" ]; then
  scripts/wine-run "$wineroot" "$program" "$@"
  exit 0
fi

QX_OWN_DISPLAY=1 scripts/with-display.sh bash -c '
  scripts/wine-run "$0" "$1" "${@:2}" >/dev/null &
  sleep 12
  import -window root "$(dirname "$0")/setup.png"
  echo "demo: screenshot saved to $(dirname "$0")/setup.png"
' "$wineroot" "$program" "$@"
