#!/usr/bin/env bash
# Takes the screenshots of docs/screenshots/: the setup dialog in English and in Japanese
# (LC_ALL=ja_JP.UTF-8, code page 932), in install mode and in uninstall mode (-u), on a
# private Xvfb with the shipping program as users get it (the 32-bit release build). Builds
# it first when missing.
#
# Like the demo, the program runs in a network namespace without routes: its notice-server
# probes stay on the machine, and the footer link carries the empty host.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

program=build/win32/QuorVEXSetup.exe
if [ ! -f "$program" ]; then
  cmake --preset native >/dev/null && cmake --build --preset native -j"$(nproc)" >/dev/null
  cmake --preset win32 >/dev/null && cmake --build --preset win32 -j"$(nproc)" >/dev/null
fi

wineroot="$root/build/screenshots/wine"
out="$root/docs/screenshots"
mkdir -p "$wineroot" "$out"
stop_wine() { WINEPREFIX="$wineroot/prefix" /usr/lib/wine/wineserver64 -k 2>/dev/null || true; }
trap stop_wine EXIT
scripts/wine-run "$wineroot" cmd.exe /c exit >/dev/null 2>&1 || true

# shot NAME LOCALE ARGS...: one dialog on a black screen, cut to the window by -trim.
shot() {
  local name=$1 locale=$2
  shift 2
  LC_ALL=$locale QX_OWN_DISPLAY=1 scripts/with-display.sh bash -c '
    scripts/wine-run "$0" "$2" "${@:3}" >/dev/null 2>&1 &
    sleep 8
    import -window root "$1"
    WINEPREFIX="$0/prefix" /usr/lib/wine/wineserver64 -k 2>/dev/null
    wait
  ' "$wineroot" "$out/$name.png" "$program" "$@"
  convert "$out/$name.png" -trim +repage -strip "$out/$name.png"
  echo "screenshots: $out/$name.png"
}

shot setup-english C.UTF-8
shot uninstall-english C.UTF-8 -u
shot setup-japanese ja_JP.UTF-8
shot uninstall-japanese ja_JP.UTF-8 -u
