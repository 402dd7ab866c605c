#!/usr/bin/env bash
# Idempotent set-up shared by run.sh and test.sh: installs only what is missing.
set -euo pipefail

# The last line: the package test (cpack's library scan, metadata and manual-page checks).
packages=(build-essential cmake qt6-base-dev libgl1-mesa-dev libgtest-dev locales
          shared-mime-info xvfb xauth fonts-dejavu-core fonts-liberation2
          libqt6svg6 desktop-file-utils xdg-utils libglib2.0-bin
          dpkg-dev file appstream man-db libxlsxwriter-dev pkgconf liburing-dev
          qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)

# ./test.sh reads the reports back: PDFs with poppler, spreadsheets with LibreOffice Calc.
if [ "${1:-}" = "--tests" ]; then packages+=(poppler-utils libreoffice-calc-nogui); fi

# ./test.sh --fuzz needs clang and its libFuzzer runtime.
if [ "${1:-}" = "--fuzz" ]; then packages+=(clang-14 libclang-rt-14-dev llvm-14); fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# German is the program's own language; the English tests run under a British locale.
for loc in de_DE en_GB; do
  if ! locale -a 2>/dev/null | grep -qi "^$loc\.utf-\?8$"; then
    echo "Generating locale $loc.UTF-8"
    if [ -f /etc/locale.gen ]; then
      "${sudo_cmd[@]}" sed -i "s/^# *\($loc.UTF-8 UTF-8\)/\1/" /etc/locale.gen
      grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen || echo "$loc.UTF-8 UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
      "${sudo_cmd[@]}" locale-gen >/dev/null
    else
      "${sudo_cmd[@]}" localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
    fi
  fi
done
