#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail
packages=(qt6-base-dev qt6-charts-dev qt6-multimedia-dev qt6-translations-l10n zlib1g-dev googletest
          libbenchmark-dev fonts-liberation2 xvfb cmake g++ clang ninja-build libqt6opengl6-dev
          poppler-utils libgtest-dev libgmock-dev libxlsxwriter-dev libminizip-dev python3-openpyxl
          python3-odf pkgconf)
# The cost report's RTF files are read back in the tests.
packages+=(unrtf)
# The icon is rendered from its SVG at build time; the installed desktop entry and metadata are
# checked with the desktop's own validators.
packages+=(qt6-svg-dev desktop-file-utils appstream)
# The Debian package finds its dependencies with dpkg-shlibdeps, and is read back with dpkg-deb.
packages+=(dpkg-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq || true
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
