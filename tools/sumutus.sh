#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build (*_fuzz) in turn, at the lowest priority, each for SECONDS.
# A target's seeds (tools/sumutus_siemenet.py: the real files of its format and large, deep shapes) are
# written to BUILD_DIR/siemenet/<target>/; what the run learns stays in BUILD_DIR/korpus/<target>/, and a
# crash is written to BUILD_DIR/kaatumiset/.
# bash tools/sumutus.sh [SECONDS] [BUILD_DIR] [TARGET...]   (no targets: all of them)
set -uo pipefail
SEKUNNIT=${1:-600}
BUILD=$(realpath "${2:-build-fuzz}")
JUURI=$(cd "$(dirname "$0")/.." && pwd)
shift $(( $# < 2 ? $# : 2 ))
mkdir -p "$BUILD/kaatumiset"
tila=0
kohteet=()
for k in "$@"; do kohteet+=("$BUILD/$k"); done
[ ${#kohteet[@]} -gt 0 ] || kohteet=("$BUILD"/*_fuzz)
for kohde in "${kohteet[@]}"; do
  [ -x "$kohde" ] || continue
  nimi=$(basename "$kohde")
  mkdir -p "$BUILD/korpus/$nimi"
  /usr/bin/python3 "$JUURI/tools/sumutus_siemenet.py" "$JUURI" "$nimi" "$BUILD/siemenet/$nimi" || exit 1
  echo "== $nimi ($SEKUNNIT s)"
  loki="$BUILD/korpus/$nimi.log"
  nice -n 19 "$kohde" -max_total_time="$SEKUNNIT" -max_len=1048576 -rss_limit_mb=2048 -timeout=60 \
    -artifact_prefix="$BUILD/kaatumiset/$nimi-" -print_final_stats=1 "$BUILD/korpus/$nimi" "$BUILD/siemenet/$nimi" >"$loki" 2>&1
  koodi=$?
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|SUMMARY|Test unit written)' "$loki"
  [ "$koodi" -eq 0 ] || { echo "$nimi: exit $koodi, see $loki"; tila=1; }
done
exit $tila
