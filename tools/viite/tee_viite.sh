#!/usr/bin/env bash
# Rebuilds data/dbase.rkb, the reference catalogue, from tools/viite/elokuvat.txt. Needs a configured
# build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")/../.."
ohjelma="$(tools/kaanna_luettelotyokalu.sh tools/viite/tee_viite.cpp "${1:-build}")"
"$ohjelma" tools/viite/elokuvat.txt data/dbase.rkb
