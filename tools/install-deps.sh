#!/usr/bin/env bash
# Installs the Debian packages that building and testing Brackwen needs, and any packages named
# as arguments, when any of them is missing.
set -euo pipefail
# locales: the locale sources and character maps from which tests make locales with localedef.
packages=(g++ cmake ninja-build pkg-config libgmp-dev libicu-dev googletest libgtest-dev locales "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi
