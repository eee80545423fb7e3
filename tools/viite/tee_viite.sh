#!/usr/bin/env bash
# Rebuilds data/dbase.rkb, the reference catalogue, from tools/viite/elokuvat.txt. Needs a configured
# build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/../.."
rakennus="${1:-build}"
cmake --build "$rakennus" --target core >/dev/null
ohjelma="$rakennus/tee_viite"
g++ -std=c++20 -O1 -finput-charset=UTF-8 -fexec-charset=CP1252 -I. tools/viite/tee_viite.cpp \
    "$rakennus/libcore.a" -lz -ljpeg -lgif -o "$ohjelma"
"$ohjelma" tools/viite/elokuvat.txt data/dbase.rkb
