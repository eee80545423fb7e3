#!/usr/bin/env bash
# Builds a one-file tool (tools/<folder>/<name>.cpp) against the core library of a configured build folder and
# prints the executable's path. Usage: tools/kaanna_luettelotyokalu.sh SOURCE.cpp [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
lahde="$1"
rakennus="${2:-build}"
cmake --build "$rakennus" --target core >/dev/null
ohjelma="$rakennus/$(basename "$lahde" .cpp)"
g++ -std=c++20 -O1 -finput-charset=UTF-8 -fexec-charset=CP1252 -I. "$lahde" \
    "$rakennus/libcore.a" -lz -ljpeg -lgif -o "$ohjelma"
echo "$ohjelma"
