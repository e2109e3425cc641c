#!/usr/bin/env bash
# The packing tool end to end: round trip, determinism, refused names, damaged files,
# --help and bad command lines. Usage: pack_tool_test.sh <quorvex-pack> <scratch dir>
set -u
pack=$1
work=$2
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_status() {  # expected, description, command...
  local expected=$1 what=$2; shift 2
  "$@" >"$work/out.txt" 2>"$work/err.txt"
  local status=$?
  [ "$status" -eq "$expected" ] || fail "$what: exit $status, expected $expected ($(cat "$work/err.txt"))"
}

rm -rf "$work" && mkdir -p "$work/src/bin" "$work/src/表" "$work/src/empty-folder"
head -c 1000 /dev/urandom >"$work/bare.exe"
printf 'readme\n' >"$work/src/readme.txt"
head -c 2500000 /dev/urandom >"$work/src/bin/codec.dll"  # more than one chunk
: >"$work/src/empty.txt"
printf 'x' >"$work/src/表/a.txt"
touch -d '2020-05-06 07:08:09 UTC' "$work/src/readme.txt"

# Round trip: pack, list, verify, extract byte for byte with the write time.
expect_status 0 "pack" "$pack" pack --setup "$work/bare.exe" --from "$work/src" --out "$work/a.exe"
[ $(( $(stat -c %s "$work/a.exe") % 8 )) -eq 0 ] || fail "packed file not a multiple of 8 bytes"
cmp -n 1000 "$work/bare.exe" "$work/a.exe" || fail "program image not kept in front"
expect_status 0 "pack again" "$pack" pack --setup "$work/bare.exe" --from "$work/src" --out "$work/b.exe"
cmp -s "$work/a.exe" "$work/b.exe" || fail "packing twice gave different bytes"
expect_status 0 "list" "$pack" list "$work/a.exe"
grep -q '^entry count:  4$' "$work/out.txt" || fail "list: entry count"
grep -q 'digest:       sha256 ' "$work/out.txt" || fail "list: digest"
grep -q '2020-05-06 07:08:09  readme.txt$' "$work/out.txt" || fail "list: readme line"
[ "$(grep -c '  ' "$work/out.txt")" -ge 4 ] || fail "list: entries"
# Sorted by stored bytes: "bin\..." < "empty.txt" < "readme.txt" < 0x95 0x5C ...
diff <(sed -n '6,$p' "$work/out.txt" | awk '{print $NF}') <(printf 'bin/codec.dll\nempty.txt\nreadme.txt\n表/a.txt\n') \
  || fail "list: order"
expect_status 0 "verify" "$pack" verify "$work/a.exe"
grep -q 'digest verified' "$work/out.txt" || fail "verify: digest not verified"
expect_status 0 "extract" "$pack" extract "$work/a.exe" --to "$work/x"
for f in readme.txt bin/codec.dll empty.txt 表/a.txt; do
  cmp -s "$work/src/$f" "$work/x/$f" || fail "extract: $f differs"
done
[ "$(stat -c %Y "$work/x/readme.txt")" = "$(stat -c %Y "$work/src/readme.txt")" ] || fail "extract: write time"

# Damaged and truncated files: exit 1 with a reason.
cp "$work/a.exe" "$work/damaged.exe"
printf '\x00' | dd of="$work/damaged.exe" bs=1 seek=5000 conv=notrunc 2>/dev/null
expect_status 1 "verify damaged" "$pack" verify "$work/damaged.exe"
grep -q 'digest' "$work/err.txt" || fail "verify damaged: no reason"
# (a cut by 200 or 300 bytes leaves zero reserved bytes or a record tail where the trailer was:
# that reads as a legal empty archive without a digest, which the format cannot tell apart)
for cut in 1 5 100000; do
  cp "$work/a.exe" "$work/cut.exe" && truncate -s -$cut "$work/cut.exe"
  expect_status 1 "verify truncated by $cut" "$pack" verify "$work/cut.exe"
  grep -q 'check failed\|no valid archive' "$work/err.txt" || fail "verify truncated by $cut: no reason"
done
expect_status 1 "extract damaged" "$pack" extract "$work/damaged.exe" --to "$work/y"
[ ! -e "$work/y" ] || fail "extract damaged wrote something"
expect_status 1 "verify bare" "$pack" verify "$work/bare.exe"

# Refused names: not encodable in code page 932, 260 bytes or more; nothing written.
mkdir -p "$work/bad1" "$work/bad2" "$work/ok259"
printf 'x' >"$work/bad1/café-€-😀.txt"
expect_status 1 "unencodable name" "$pack" pack --setup "$work/bare.exe" --from "$work/bad1" --out "$work/bad1.exe"
grep -q 'cannot be encoded' "$work/err.txt" || fail "unencodable name: no reason"
[ ! -e "$work/bad1.exe" ] || fail "unencodable name left an output"
long=$(printf 'd%.0s' $(seq 1 200))
mkdir -p "$work/bad2/$long" "$work/ok259/$long"
printf 'x' >"$work/bad2/$long/$(printf 'f%.0s' $(seq 1 59))"  # 200 + 1 + 59 = 260 bytes
expect_status 1 "260-byte name" "$pack" pack --setup "$work/bare.exe" --from "$work/bad2" --out "$work/bad2.exe"
grep -q 'shorter than 260' "$work/err.txt" || fail "260-byte name: no reason"
printf 'x' >"$work/ok259/$long/$(printf 'f%.0s' $(seq 1 58))"  # 259 bytes
expect_status 0 "259-byte name" "$pack" pack --setup "$work/bare.exe" --from "$work/ok259" --out "$work/ok259.exe"
for device in CON.txt COM0.txt 'lpt0 .log'; do
  rm -rf "$work/bad3" && mkdir -p "$work/bad3" && printf 'x' >"$work/bad3/$device"
  expect_status 1 "device name $device" "$pack" pack --setup "$work/bare.exe" --from "$work/bad3" --out "$work/bad3.exe"
  grep -q 'would refuse' "$work/err.txt" || fail "device name $device: no reason"
  [ ! -e "$work/bad3.exe" ] || fail "device name $device left an output"
done
mkdir -p "$work/bad4" && printf 'x' >"$work/bad4/a\\b.txt"
expect_status 1 "backslash in a name" "$pack" pack --setup "$work/bare.exe" --from "$work/bad4" --out "$work/bad4.exe"
# A file of 4 GiB (sparse) does not fit the format.
mkdir -p "$work/big" && truncate -s 4294967296 "$work/big/huge.bin"
expect_status 1 "4 GiB file" "$pack" pack --setup "$work/bare.exe" --from "$work/big" --out "$work/big.exe"
grep -q '4 GiB' "$work/err.txt" || fail "4 GiB file: no reason"
rm -rf "$work/big"

# --help and bad command lines.
expect_status 0 "--help" "$pack" --help
grep -q 'QUORVEX_HOST_TOOLS_DIR' "$work/out.txt" || fail "--help: no host tools note"
expect_status 2 "no command" "$pack"
expect_status 2 "unknown command" "$pack" frobnicate
expect_status 2 "pack without --out" "$pack" pack --setup "$work/bare.exe" --from "$work/src"
expect_status 2 "unknown option" "$pack" verify "$work/a.exe" --bogus 1
expect_status 2 "bad code page" "$pack" verify "$work/a.exe" --codepage x
expect_status 2 "option without value" "$pack" extract "$work/a.exe" --to
expect_status 1 "missing setup" "$pack" pack --setup "$work/none.exe" --from "$work/src" --out "$work/c.exe"
expect_status 1 "missing folder" "$pack" pack --setup "$work/bare.exe" --from "$work/none" --out "$work/c.exe"
expect_status 1 "missing file" "$pack" verify "$work/none.exe"

rm -rf "$work"
[ "$failures" -eq 0 ] && echo "all pack tool checks passed"
exit $((failures > 0))
