#!/usr/bin/env bash
# Installs the build into a temporary prefix (with a blank in its name), then builds the Debian
# package and unpacks it with dpkg-deb. Each must give a complete desktop program: both
# programs with the help file beside them, launcher entry, icon, software-centre metadata,
# manual pages and the bash completion, all valid, and nothing else.
#   install_test.sh BUILD_DIR [CPACK]   without CPACK only the prefix install is checked
set -euo pipefail
build="$1"
cpack="${2:-}"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d "${TMPDIR:-/tmp}/pq-install-XXXXXX")"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

version="$(sed -n 's/^project(Pathquill VERSION \([0-9.]*\)$/\1/p' "$source_dir/CMakeLists.txt")"
app_id="$(sed -n 's/^set(PATHQUILL_APP_ID \([A-Za-z0-9.]*\))$/\1/p' "$source_dir/CMakeLists.txt")"
[ -n "$version" ] && [ -n "$app_id" ] || fail "no version or app id in CMakeLists.txt"

expected_files() {
  printf '%s\n' bin/pathquill bin/pathquill-list bin/PATHQUILL.HLP \
    "share/applications/$app_id.desktop" "share/icons/hicolor/scalable/apps/$app_id.svg" \
    "share/metainfo/$app_id.metainfo.xml" share/bash-completion/completions/pathquill-list \
    share/doc/pathquill/copyright \
    share/man/man1/pathquill.1.gz share/man/man1/pathquill-list.1.gz \
    share/man/de/man1/pathquill.1.gz share/man/de/man1/pathquill-list.1.gz | LC_ALL=C sort
}

# The options --help names, long and short, one a line: from the usage lines and the option
# lines, each without its description.
help_options() {
  "$1/bin/pathquill-list" --help | sed -E 's/^ +//; s/  .*//' | grep -E '^-|pathquill-list \[' \
    | grep -oE -- '(^| )--?[a-z][a-z-]*' | tr -d ' ' | LC_ALL=C sort -u
}

check_launcher() { # ROOT PREFIX
  local entry="$1/share/applications/$app_id.desktop" out
  [ -f "$entry" ] || fail "$entry missing"
  grep -qx 'Name=Pathquill' "$entry" || fail "Name"
  grep -qx "Icon=$app_id" "$entry" || fail "Icon"
  grep -qx 'Categories=Utility;FileTools;' "$entry" || fail "Categories"
  grep -q '^Comment=List ' "$entry" || fail "English Comment"
  grep -q '^Comment\[de\]=.*auflisten' "$entry" || fail "German Comment"
  ! grep -q '^MimeType=' "$entry" || fail "the launcher entry must not claim folders"
  grep -qxF "Exec=\"$2/bin/pathquill\"" "$entry" || fail "Exec: $(grep '^Exec=' "$entry")"
  out="$(desktop-file-validate "$entry" 2>&1)" || fail "desktop-file-validate: $out"
  [ -z "$out" ] || fail "desktop-file-validate: $out"
  grep -q '<svg' "$1/share/icons/hicolor/scalable/apps/$app_id.svg" || fail "icon"
}

check_metainfo() { # ROOT
  local file="$1/share/metainfo/$app_id.metainfo.xml" out
  out="$(appstreamcli validate --no-net "$file" 2>&1)" || fail "appstreamcli: $out"
  ! grep -qE '^[EW]:' <<<"$out" || fail "appstreamcli: $out"
  grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$file" || fail "launchable"
  # The newest release must be this version: a new version needs its release entry.
  local newest
  newest="$(grep -m1 -o '<release version="[^"]*"' "$file")"
  [ "$newest" = "<release version=\"$version\"" ] || fail "newest release $newest, version $version"
  for tag in name summary p caption; do
    grep -q "<$tag xml:lang=\"de\">" "$file" || fail "no German <$tag>"
  done
}

check_manual_pages() { # ROOT
  local page language locale text warnings
  for page in pathquill pathquill-list; do
    for language in "" de; do
      locale=C.UTF-8
      [ "$language" = de ] && locale=de_DE.UTF-8
      local file="$1/share/man/$language/man1/$page.1.gz"
      text="$(LC_ALL=$locale MANWIDTH=100 man --warnings=all -l "$file" 2>"$work/man-warnings")" \
        || fail "man -l $file"
      warnings="$(cat "$work/man-warnings")"
      [ -z "$warnings" ] || fail "man $language/$page: $warnings"
      grep -q "Pathquill $version" <<<"$text" || fail "$language/$page: no version $version"
      [ "$page" = pathquill-list ] || continue
      while read -r option; do
        grep -qF -- "$option" <<<"$text" || fail "$language/$page lacks $option"
      done < <(help_options "$1")
    done
  done
}

# The completion of one command line, words as bash splits them at its default breaks.
complete_words() { # ROOT WORD...
  local script="$1/share/bash-completion/completions/pathquill-list"
  shift
  bash -c 'source "$1"; shift
    COMP_WORDS=(pathquill-list "$@"); COMP_CWORD=$#; _pathquill_list
    ((${#COMPREPLY[@]} == 0)) || printf "%s\n" "${COMPREPLY[@]}"' _ "$script" "$@" | LC_ALL=C sort | tr '\n' ' '
}

check_completion() { # ROOT
  local options
  options="$(complete_words "$1" -)"
  [ "$options" = "$(help_options "$1" | tr '\n' ' ')" ] \
    || fail "completion offers $options, --help names $(help_options "$1" | tr '\n' ' ')"
  mkdir -p "$work/comp/Ordner A" "$work/comp/Ordner B"
  touch "$work/comp/Ordner C.txt"
  local -a cases=(
    "--structure ''|explorer single"
    "--unit = k|kb"
    "-u ''|byte kb mb"
    "--threads ''|1 2 3 4"
    "--sort size : d|desc"
    "--sort mod|modified modified:asc modified:desc"
    "-c size,sub|size,subfolders"
    "--columns = modified,a|modified,access modified,attributes"
    "-m ''|"
    "--exclude ''|"
    "--format ''|jsonl"
    "'$work/comp/Ordner '|$work/comp/Ordner A $work/comp/Ordner B"
    "-s -- '$work/comp/O'|$work/comp/Ordner A $work/comp/Ordner B"
  )
  local c words expected got
  for c in "${cases[@]}"; do
    words="${c%%|*}" expected="${c#*|}"
    eval "got=\"\$(complete_words \"\$1\" $words)\""
    [ "$got" = "${expected:+$expected }" ] || fail "completion of '$words': '$got', not '$expected'"
  done
}

check_install() { # ROOT PREFIX: the tree as unpacked here, and the prefix it was made for
  local root="$1"
  diff <(expected_files) <(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) \
    || fail "files installed under $root differ (< missing, > unexpected)"
  for f in bin/pathquill bin/pathquill-list; do
    [ -x "$root/$f" ] || fail "$f not executable"
  done
  cmp -s "$root/bin/PATHQUILL.HLP" "$source_dir/resources/PATHQUILL.HLP" \
    || fail "PATHQUILL.HLP not installed beside the program"
  [ "$("$root/bin/pathquill-list" --version)" = "pathquill-list $version" ] \
    || fail "pathquill-list --version: $("$root/bin/pathquill-list" --version)"
  # It runs a search too: the four manual pages, found below the installed ones.
  [ "$("$root/bin/pathquill-list" -s -m '*.1.gz' "$root/share/man" | wc -l)" -eq 5 ] \
    || fail "pathquill-list did not list the four manual pages"
  check_launcher "$root" "$2"
  check_metainfo "$root"
  check_manual_pages "$root"
  check_completion "$root"
}

prefix="$work/Mein Präfix"
cmake --install "$build" --prefix "$prefix" >/dev/null
check_install "$prefix" "$prefix"
echo "installed into a prefix and checked"
[ -n "$cpack" ] || exit 0

"$cpack" -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack"; }
deb="$work/package/pathquill_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "$(basename "$deb") not built: $(ls "$work/package")"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = pathquill ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ -n "$(field Maintainer)" ] && [ -n "$(field Description)" ] || fail "Maintainer, Description"
# Depends: worked out from the binaries, plus what they load without linking it.
depends="$(field Depends)"
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 \
    shared-mime-info libqt6svg6; do
  tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//' | grep -qxF "$package" \
    || fail "Depends lacks $package: $depends"
done
# Everything below /usr, owned by root, executables 755 and the rest 644.
while read -r mode owner _ _ _ path; do
  [ "$owner" = root/root ] || fail "$path owned by $owner"
  case "$path" in
  ./usr/ | ./usr/*/) [ "$mode" = drwxr-xr-x ] || fail "$path: $mode" ;;
  ./usr/bin/pathquill | ./usr/bin/pathquill-list) [ "$mode" = -rwxr-xr-x ] || fail "$path: $mode" ;;
  ./usr/*) [ "$mode" = -rw-r--r-- ] || fail "$path: $mode" ;;
  ./) ;;
  *) fail "outside /usr: $path" ;;
  esac
done < <(dpkg-deb -c "$deb")
dpkg-deb -x "$deb" "$work/root"
check_install "$work/root/usr" /usr
echo "built $(basename "$deb"), unpacked and checked"
