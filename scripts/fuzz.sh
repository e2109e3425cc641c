#!/usr/bin/env bash
# Bounded fuzzing of the archive reader with clang's libFuzzer, ASan and UBSan. Builds in
# build/fuzz (QX_FUZZ_OUT), for QX_FUZZ_SECONDS (45); seeds are tiny archives packed by the
# native build's tool (QX_PACK_TOOL) when it is there.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${QX_FUZZ_OUT:-build/fuzz}
seconds=${QX_FUZZ_SECONDS:-45}
mkdir -p "$out/corpus" "$out/seed-tree/sub"
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I. \
  tests/fuzz/archive_reader_fuzz.cpp archive/archive_reader.cpp archive/archive_format.cpp \
  archive/sha256.cpp archive/sha256_x86.cpp -o "$out/archive_reader_fuzz"
pack=${QX_PACK_TOOL:-build/native/tools/pack/quorvex-pack}
if [ -x "$pack" ]; then
  printf 'MZ' >"$out/seed-image"
  printf 'a' >"$out/seed-tree/a.txt"
  printf 'bb' >"$out/seed-tree/sub/b.txt"
  "$pack" pack --setup "$out/seed-image" --from "$out/seed-tree" --out "$out/corpus/seed-two-files" >/dev/null
  rm "$out/seed-tree/sub/b.txt"
  "$pack" pack --setup "$out/seed-image" --from "$out/seed-tree" --out "$out/corpus/seed-one-file" >/dev/null
fi
"$out/archive_reader_fuzz" -max_total_time="$seconds" -max_len=4096 "$out/corpus"
