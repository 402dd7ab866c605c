#!/usr/bin/env bash
# Set-up, build and start Pathquill; an optional folder is searched at once.
# A relative FOLDER is taken from the folder run.sh was called in.
set -euo pipefail
caller="$PWD"
repo="$(cd "$(dirname "$0")" && pwd)"
cd "$repo"
scripts/setup.sh
scripts/build.sh
export LANG="${PQ_LANG:-de_DE.UTF-8}"
cd "$caller"
exec "$repo/build/pathquill" "$@"
