#!/usr/bin/env bash
# Set-up, build and start Pathquill; an optional folder is searched at once.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh
export LANG="${PQ_LANG:-de_DE.UTF-8}"
exec build/pathquill "$@"
