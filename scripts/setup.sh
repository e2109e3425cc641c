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
echo "setup: all packages present"
