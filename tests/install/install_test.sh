#!/usr/bin/env bash
# Installs the build into a temporary prefix (with a blank in its name) and checks that it is a
# complete desktop program: both programs, the help files beside them, the launcher entry and
# the icon.
set -euo pipefail
build="$1"
prefix_parent="$(mktemp -d "${TMPDIR:-/tmp}/pq-install-XXXXXX")"
trap 'rm -rf "$prefix_parent"' EXIT
prefix="$prefix_parent/Mein Präfix"
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/pathquill bin/pathquill-list; do
  [ -x "$prefix/$f" ] || fail "$f missing or not executable"
done
for help in PATHQUILL.HLP PATHQUILL.en.HLP; do
  cmp -s "$prefix/bin/$help" "$(dirname "$0")/../../resources/$help" \
    || fail "$help not installed beside the program"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/pathquill.svg" || fail "icon missing"

entry="$prefix/share/applications/pathquill.desktop"
[ -f "$entry" ] || fail "pathquill.desktop missing"
grep -qx 'Name=Pathquill' "$entry" || fail "Name"
grep -qx 'Icon=pathquill' "$entry" || fail "Icon"
grep -qx 'Categories=Utility;FileTools;' "$entry" || fail "Categories"
grep -q '^Comment=.*auflisten' "$entry" || fail "German Comment"
! grep -q '^MimeType=' "$entry" || fail "the launcher entry must not claim folders"
grep -qxF "Exec=\"$prefix/bin/pathquill\"" "$entry" || fail "Exec: $(grep '^Exec=' "$entry")"

if command -v desktop-file-validate >/dev/null; then
  out="$(desktop-file-validate "$entry" 2>&1)" || fail "desktop-file-validate: $out"
  [ -z "$out" ] || fail "desktop-file-validate: $out"
else
  echo "desktop-file-validate not installed: entry not validated"
fi

echo "installed and checked in $prefix"
