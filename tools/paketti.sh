#!/usr/bin/env bash
# Builds the Debian package build/rullakko_VERSION_ARCH.deb and checks it with lintian (an error fails).
# Install it with: sudo apt install ./build/rullakko_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh paketti
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)" --target rullakko rkb asennustiedostot
rm -f build/rullakko_*.deb
(cd build && cpack -G DEB)
deb=$(ls build/rullakko_*.deb)
dpkg-deb --field "$deb" Package Version Depends Recommends
lintian --fail-on error "$deb"
echo "$deb"
