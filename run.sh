#!/usr/bin/env bash
# Set-up, build and start Pathquill; an optional folder is searched at once.
# A relative FOLDER is taken from the folder run.sh was called in.
set -euo pipefail
caller="$PWD"
repo="$(cd "$(dirname "$0")" && pwd)"
cd "$repo"
scripts/setup.sh
scripts/build.sh
# Settings live in the user's config folder: a file earlier versions kept in build/ moves
# there, or aside when the user has one there already (beside the program it would be used).
config="${XDG_CONFIG_HOME:-}"
[[ "$config" == /* ]] || config="$HOME/.config"
if [[ -f build/Pathquill.ini ]]; then
  if [[ -e "$config/pathquill/Pathquill.ini" ]]; then
    mv build/Pathquill.ini build/Pathquill.ini.old
  else
    mkdir -p "$config/pathquill" && mv build/Pathquill.ini "$config/pathquill/"
  fi
fi
export LANG="${PQ_LANG:-de_DE.UTF-8}"
cd "$caller"
exec "$repo/build/pathquill" "$@"
