#!/bin/bash
# Runs the libFuzzer targets of the IMDb readers one after another, each for the given seconds (600 by
# default), from seeds made of the test pages plus large and deeply nested inputs. Build first:
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DRULLAKKO_FUZZ=ON
#   ninja -C build-fuzz nimikesivu_fuzz json_ld_fuzz hakusivu_fuzz ehdotukset_fuzz
# Usage: tools/imdb_fuzz.sh [SECONDS] [BUILD_DIR] [WORK_DIR]
set -euo pipefail
sekunnit=${1:-600}
koonti=${2:-build-fuzz}
tyo=${3:-$(mktemp -d)}
lahde=$(cd "$(dirname "$0")/.." && pwd)
data="$lahde/imdb/testdata"

siemenet() {  # target folder, fixtures...
    local kansio=$1; shift
    mkdir -p "$kansio"
    for f in "$@"; do cp "$data/$f" "$kansio/"; done
}
siemenet "$tyo/nimikesivu" vanha_nimike.html vanha_nimike_2005.html
siemenet "$tyo/json_ld" ehdotukset.json
siemenet "$tyo/hakusivu" vanha_haku.html
siemenet "$tyo/ehdotukset" ehdotukset.json
sed -n 's/.*<script type="application\/ld+json">\(.*\)<\/script>.*/\1/p' "$data/json_nimike.html" > "$tyo/json_ld/elokuva.json"
# Large and deep shapes: unclosed tags and references, long lines, nesting far beyond any page.
python3 - "$tyo" <<'PY'
import sys
t = sys.argv[1]
open(f"{t}/json_ld/syva.json", "w").write("[" * 70000 + "]" * 70000)
open(f"{t}/json_ld/viitteet.json", "w").write('{"@type":"Movie","name":"' + "&amp" * 100000 + '"}')
open(f"{t}/ehdotukset/syva.json", "w").write('{"d":' + "[" * 70000 + "]" * 70000 + "}")
open(f"{t}/ehdotukset/paljon.json", "w").write('{"d":[' + ",".join('{"id":"tt%07d","l":"T%d","y":2000}' % (i, i) for i in range(2000)) + "]}")
open(f"{t}/nimikesivu/skriptit.html", "w").write("<script" * 100000 + ">")
open(f"{t}/nimikesivu/merkit.html", "w").write("<TITLE>&#" * 50000 + "</TITLE>\n" + '<B CLASS="ch">Genre:</B>\n' * 5000)
open(f"{t}/hakusivu/rivit.html", "w").write('<A NAME="top">Most popular searches</A>\n' + '<A HREF="/Title?0133093">X (1999)</A>\n' * 2000)
PY
for kohde in nimikesivu json_ld hakusivu ehdotukset; do
    echo "== ${kohde}_fuzz, $sekunnit s"
    mkdir -p "$tyo/$kohde-loydot"
    "$koonti/${kohde}_fuzz" -max_total_time="$sekunnit" -max_len=1048576 -rss_limit_mb=4096 -timeout=10 \
        -artifact_prefix="$tyo/$kohde-loydot/" -print_final_stats=1 "$tyo/$kohde" 2>&1 | tail -n 12
done
echo "Seeds, corpora and any crash inputs: $tyo"
