#!/usr/bin/env bash
# quorvex-pack.exe under Wine with folder names outside the ANSI code page: the tool must
# read its arguments from the wide command line, or it cannot even find the folder.
# Usage: wide_arguments_test.sh <wine-run> <wine root> <quorvex-pack.exe> <bare setup> <scratch>
set -euo pipefail
wine_run=$1 root=$2 pack=$3 bare=$4 scratch=$5
rm -rf "$scratch"
from="$scratch/Προϊόν"
to="$scratch/Εξαγωγή"
mkdir -p "$from/δοκιμη"
printf 'readme\r\n' >"$from/readme.txt"
printf "codec" >"$from/δοκιμη/codec.bin"
windows() { printf 'Z:%s' "${1//\//\\}"; }
export LC_ALL=C.UTF-8  # Wine turns the UTF-8 arguments into the wide command line
"$wine_run" "$root" "$pack" pack --setup "$(windows "$bare")" --from "$(windows "$from")" \
  --out "$(windows "$scratch/out.exe")"
"$wine_run" "$root" "$pack" verify "$(windows "$scratch/out.exe")"
"$wine_run" "$root" "$pack" extract "$(windows "$scratch/out.exe")" --to "$(windows "$to")"
cmp "$from/readme.txt" "$to/readme.txt"
cmp "$from/δοκιμη/codec.bin" "$to/δοκιμη/codec.bin"
rm -rf "$scratch"
echo "wide arguments: ok"
