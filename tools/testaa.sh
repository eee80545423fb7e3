#!/usr/bin/env bash
# Sets up, builds and runs every test. Exits non-zero when any test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/rakenna.sh
cmake --build build --parallel "$(nproc)" --target benchmarks
for f in tools/palvelut/*.sh; do
  [ -e "$f" ] && bash "$f"
done
cd build
ctest --output-on-failure --parallel "$(nproc)" --timeout 300
