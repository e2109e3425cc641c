#!/usr/bin/env bash
# size_report.sh [WIN32_BUILD] [TOP]: where the bytes of the release QuorVEXSetup.exe (no
# payload) go. Links the program once more with a link map, exactly as the build links it,
# and sums the map's input sections by library and by object, largest first. Output:
# bench/size/size.txt when run from the repository's root.
set -euo pipefail
build=$(cd "${1:-build/win32}" && pwd)
top=${2:-25}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dir=$build/startup
link=$(grep -- '-o ../bare/QuorVEXSetup.exe' "$dir/CMakeFiles/QuorVEXSetupBare.dir/link.txt")
(cd "$dir" && eval "${link/-o ..\/bare\/QuorVEXSetup.exe/-o $work/QuorVEXSetup.exe} -Wl,-Map=$work/QuorVEXSetup.map")
echo "program: $(stat -c %s "$build/bare/QuorVEXSetup.exe") bytes ($build/bare/QuorVEXSetup.exe, stripped, no payload)"
python3 "$here/map_sizes.py" "$work/QuorVEXSetup.map" "$top"
