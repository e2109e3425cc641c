#!/usr/bin/env bash
# Installs what the project needs on a Debian 12 machine (run as root, or with sudo).
set -euo pipefail

packages=(
  cmake make g++ clang python3
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 xvfb x11-apps imagemagick locales fonts-ipafont-gothic
  iproute2 tcpdump osslsigncode openssl liblnk-utils util-linux
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Japanese mode under Wine needs the ja_JP.UTF-8 locale (code page 932).
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'ja_JP.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen >/dev/null 2>&1 || $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
# The program users download is 32-bit. This kernel runs no 32-bit code, so wine64 starts
# PE32 programs through Wine's 32-bit loader (wine32:i386) under qemu's user-mode emulator.
# Bookworm's own qemu 7.2 takes about 90 s to start each 32-bit process; the one from
# bookworm-backports does not. Backports are named for these calls only.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
  $sudo apt-get update -qq
  wine_version=$(dpkg-query -W -f='${Version}' wine64)
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "wine64=$wine_version" "wine32:i386=$wine_version" >/dev/null
fi
if ! dpkg --compare-versions "$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null || echo 0)" ge 1:10; then
  parts=$(mktemp -d)
  cp /etc/apt/sources.list.d/*.sources "$parts"/ 2>/dev/null || true
  cat >"$parts/backports.sources" <<'SRC'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  backports=(-o "Dir::Etc::SourceParts=$parts" -o APT::Get::List-Cleanup=0)
  $sudo apt-get "${backports[@]}" update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get "${backports[@]}" install -y -qq \
    -t bookworm-backports --no-install-recommends qemu-user >/dev/null
  rm -rf "$parts"
fi
# Debian registers no qemu handler for the host's own family: register i386 ELF programs
# (the registration does not survive a reboot, so it is checked every time).
binfmt=/proc/sys/fs/binfmt_misc
[ -f "$binfmt/register" ] || $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
if ! grep -qs '^interpreter /usr/bin/qemu-i386$' "$binfmt/qemu-i386"; then
  [ -f "$binfmt/qemu-i386" ] && echo -1 | $sudo tee "$binfmt/qemu-i386" >/dev/null
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:PF' |
    $sudo tee "$binfmt/register" >/dev/null
fi
echo "setup: all packages present"
