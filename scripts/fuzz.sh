#!/usr/bin/env bash
# Bounded fuzzing of the archive reader with clang's libFuzzer, ASan and UBSan. Builds the
# fuzz preset in build/fuzz (QX_FUZZ_OUT), runs for QX_FUZZ_SECONDS (45); seeds are tiny
# archives packed by the native build's tool (QX_PACK_TOOL) when it is there.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${QX_FUZZ_OUT:-build/fuzz}
seconds=${QX_FUZZ_SECONDS:-45}
cmake --preset fuzz -B "$out" >/dev/null
cmake --build "$out" --target archive_reader_fuzz -j2
mkdir -p "$out/corpus" "$out/seed-tree/sub"
pack=${QX_PACK_TOOL:-build/native/tools/pack/quorvex-pack}
if [ -x "$pack" ]; then
  printf 'MZ' >"$out/seed-image"
  printf 'a' >"$out/seed-tree/a.txt"
  printf 'bb' >"$out/seed-tree/sub/b.txt"
  "$pack" pack --setup "$out/seed-image" --from "$out/seed-tree" --out "$out/corpus/seed-two-files" >/dev/null
  rm "$out/seed-tree/sub/b.txt"
  "$pack" pack --setup "$out/seed-image" --from "$out/seed-tree" --out "$out/corpus/seed-one-file" >/dev/null
fi
"$out/tests/fuzz/archive_reader_fuzz" -max_total_time="$seconds" -max_len=4096 "$out/corpus"
