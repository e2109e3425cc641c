#!/usr/bin/env bash
# Signs a copy of the shipping setup program with a throw-away self-signed certificate, as
# a code-signing tool would before release: the certificate table then ends the file.
# sign_setup.sh <setup.exe> <out-dir>
set -euo pipefail
setup=$1 out=$2
rm -rf "$out" && mkdir -p "$out"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=QuorVEX test signing" \
  -keyout "$out/key.pem" -out "$out/cert.pem" 2>/dev/null
osslsigncode sign -certs "$out/cert.pem" -key "$out/key.pem" -n "QuorVEX Setup" \
  -in "$setup" -out "$out/QuorVEXSetup.exe" >/dev/null
# The signature must really be there, or the test would prove nothing.
osslsigncode verify -in "$out/QuorVEXSetup.exe" 2>&1 | grep -q "Signature Index: 0" ||
  osslsigncode extract-signature -in "$out/QuorVEXSetup.exe" -out "$out/sig.der" >/dev/null
test "$(stat -c %s "$out/QuorVEXSetup.exe")" -gt "$(stat -c %s "$setup")"
