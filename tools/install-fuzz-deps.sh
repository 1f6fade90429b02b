#!/usr/bin/env bash
# Installs the Debian packages that the fuzz targets need besides those of the build: clang and
# its sanitizer and libFuzzer runtimes.
set -euo pipefail
exec "$(dirname "$0")/install-deps.sh" clang-14 libclang-rt-14-dev
