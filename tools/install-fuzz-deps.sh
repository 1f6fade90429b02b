#!/usr/bin/env bash
# Installs the Debian packages that the fuzz targets need (clang and its sanitizer and libFuzzer
# runtimes), when any is missing. The packages of tools/install-deps.sh are needed as well.
set -euo pipefail
packages=(clang-14 libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi
