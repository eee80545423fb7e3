#!/usr/bin/env bash
# Sets up, builds and starts the program; arguments go to the program (a catalogue file, or -debug).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/rakenna.sh
exec ./build/rullakko "$@"
