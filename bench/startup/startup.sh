#!/usr/bin/env bash
# startup.sh WIN64_BUILD SCRATCH [RUNS]: time from process start to the dialog shown, under
# the same Wine in one run (as root: it makes the notice client's test hosts in network
# namespaces of its own, as the network tests do):
#   - a minimal Win32 program that shows a dialog (the yardstick),
#   - the setup program built with the test hosts (QuorVEXSetupTestHosts.exe) when the
#     first host answers, when every host is silent (echo ignored, HTTP refused), when the
#     HTTP host is black-holed (echo ignored, HTTP packets dropped), and when only the
#     HTTP host answers.
# Build first: cmake --build WIN64_BUILD --target QuorVEXSetupTestHosts. The two small
# programs here are built by this script with the MinGW compiler.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ]; then exec "$here/../../scripts/with-display.sh" "$0" "$@"; fi
build=$(cd "$1" && pwd)
mkdir -p "$2" && scratch=$(cd "$2" && pwd)
runs=${3:-5}
setup=$build/testhosts/QuorVEXSetupTestHosts.exe
[ -f "$setup" ] || { echo "no $setup: build the QuorVEXSetupTestHosts target first" >&2; exit 2; }
hosts_sh=$here/../../tests/net/test_hosts.sh
wine_run=$here/../../scripts/wine-run
root=$scratch/wine
name=qxb$(echo "$scratch" | md5sum | cut -c1-8)

cxx=x86_64-w64-mingw32-g++-posix
$cxx -O2 -static -mwindows -o "$scratch/minimal_dialog.exe" "$here/minimal_dialog.cpp"
$cxx -O2 -static -o "$scratch/startup_timer.exe" "$here/startup_timer.cpp"

web=
finish() {
  [ -z "$web" ] || kill "$web" 2>/dev/null || true
  bash "$hosts_sh" down "$name" "$root"
}
trap finish EXIT
bash "$hosts_sh" up "$name" "$root"

winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
measure() {
  printf '%-58s ' "$1"
  QX_NETNS=$name-c "$wine_run" "$root" "$scratch/startup_timer.exe" "$runs" "$(winpath "$2")" | tr -d '\r'
}

echo "# $(date -u +%FT%TZ), $(/usr/lib/wine/wine64 --version), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "# seconds from CreateProcess to the first visible dialog; one uncounted start first"
measure "minimal Win32 dialog program" "$scratch/minimal_dialog.exe"
bash "$hosts_sh" hosts "$name" "$root" answer silent web
measure "setup: first host answers the echo" "$setup"
bash "$hosts_sh" hosts "$name" "$root" silent silent web
measure "setup: every host silent (echo ignored, HTTP refused)" "$setup"
bash "$hosts_sh" hosts "$name" "$root" silent silent hole
measure "setup: HTTP host black-holed (echo ignored, HTTP dropped)" "$setup"
bash "$hosts_sh" hosts "$name" "$root" silent silent web
ip netns exec "$name-s" python3 "$here/../../tests/net/notice_web_server.py" 80 /dev/null &
web=$!
for _ in $(seq 100); do ip netns exec "$name-s" ss -ltn | grep -q ':80 ' && break; sleep 0.1; done
measure "setup: only the HTTP host answers" "$setup"
