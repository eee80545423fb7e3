#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build (*_fuzz) in turn, at the lowest priority, each for SECONDS.
# A target's seeds are the files in <its source folder>/testdata/<target>/ when there is one; what the run
# learns stays in BUILD_DIR/korpus/<target>/, and a crash is written to BUILD_DIR/kaatumiset/.
# bash tools/sumutus.sh [SECONDS] [BUILD_DIR]
set -uo pipefail
SEKUNNIT=${1:-600}
BUILD=$(realpath "${2:-build-fuzz}")
JUURI=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$BUILD/kaatumiset"
tila=0
for kohde in "$BUILD"/*_fuzz; do
  [ -x "$kohde" ] || continue
  nimi=$(basename "$kohde")
  mkdir -p "$BUILD/korpus/$nimi"
  siemenet=()
  lahde=$(ls "$JUURI"/*/"$nimi.cpp" 2>/dev/null | head -n 1)
  [ -n "$lahde" ] && [ -d "$(dirname "$lahde")/testdata/$nimi" ] && siemenet=("$(dirname "$lahde")/testdata/$nimi")
  echo "== $nimi ($SEKUNNIT s)"
  loki="$BUILD/korpus/$nimi.log"
  nice -n 19 "$kohde" -max_total_time="$SEKUNNIT" -max_len=1048576 -rss_limit_mb=2048 -timeout=60 \
    -artifact_prefix="$BUILD/kaatumiset/$nimi-" -print_final_stats=1 "$BUILD/korpus/$nimi" "${siemenet[@]}" >"$loki" 2>&1
  koodi=$?
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY|Test unit written)' "$loki"
  [ "$koodi" -eq 0 ] || { echo "$nimi: exit $koodi, see $loki"; tila=1; }
done
exit $tila
