#!/usr/bin/env bash
# Builds the builds: native (portable code, unit tests, tools), the same under ASan and UBSan,
# win64 (tested under wine64) and win32 (the release QuorVEXSetup.exe). The native build
# comes first: the Windows builds pack their setup programs with its packing tool.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
for preset in native native-sanitize win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$jobs"
done
