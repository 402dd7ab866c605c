#!/usr/bin/env bash
# Set-up, build and make the Debian package build/pathquill_<version>_<arch>.deb.
# Install it with: sudo apt install ./build/pathquill_*.deb
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
cd build
cpack -G DEB
