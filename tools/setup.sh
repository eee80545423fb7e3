#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need. Safe to run again.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-image-formats-plugins libqt6svg6
  zlib1g-dev libjpeg62-turbo-dev libgif-dev libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  cups cups-bsd printer-driver-cups-pdf poppler-utils libcpp-httplib-dev python3-aiosmtpd
  xvfb xauth fonts-liberation2 fonts-dejavu-core python3 openssl
  nlohmann-json3-dev
  libminizip-dev libexpat1-dev libpng-dev
  librsvg2-bin gzip desktop-file-utils appstream shared-mime-info dpkg-dev file
  python3-fonttools
)
# The package check (tools/paketti.sh) also needs lintian, which the build and the tests do not.
if [ "${1:-}" = "paketti" ]; then PACKAGES+=(lintian); fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
