#!/usr/bin/env bash
# Rebuilds data/esimerkki.rkb from tools/esimerkki/elokuvat.txt and the covers in tools/esimerkki/kannet/
# (drawn by `tee_kuvat data esimerkki_kannet`). Needs a configured build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/../.."
rakennus="${1:-build}"
cmake --build "$rakennus" --target core >/dev/null
ohjelma="$rakennus/tee_esimerkki"
g++ -std=c++20 -O1 -finput-charset=UTF-8 -fexec-charset=CP1252 -I. tools/esimerkki/tee_esimerkki.cpp \
    "$rakennus/libcore.a" -lz -ljpeg -lgif -o "$ohjelma"
"$ohjelma" tools/esimerkki/elokuvat.txt tools/esimerkki/kannet data/esimerkki.rkb
