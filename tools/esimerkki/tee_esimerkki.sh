#!/usr/bin/env bash
# Rebuilds data/esimerkki.rkb from tools/esimerkki/elokuvat.txt and the covers in tools/esimerkki/kannet/
# (drawn by `tee_kuvat data esimerkki_kannet`). Needs a configured build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/../.."
ohjelma="$(tools/kaanna_luettelotyokalu.sh tools/esimerkki/tee_esimerkki.cpp "${1:-build}")"
"$ohjelma" tools/esimerkki/elokuvat.txt tools/esimerkki/kannet data/esimerkki.rkb
