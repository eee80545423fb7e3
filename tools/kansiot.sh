#!/usr/bin/env bash
# Folder include graph of the program: the Qt-free core at the folder roots and the windows in their ui/
# folders are separate nodes (tests left out). Prints one "folder -> folder (includes)" line per pair and
# fails when folders include each other in a loop, when subsystems taken whole (core and windows together)
# do, when the core includes a window, or when anything but test support and benchmarks includes the
# start-up wiring in app/.
set -euo pipefail
cd "$(dirname "$0")/.."
parit=$(
  for d in */ */ui/; do
    d=${d%/}
    case "$d" in build*) continue ;; esac
    for f in "$d"/*.h "$d"/*.cpp; do
      [ -e "$f" ] || continue
      case "$f" in *_test.cpp|*_fuzz.cpp) continue ;; esac
      sed -n 's/^#include "\([a-z_]*\(\/ui\)\{0,1\}\)\/[^/"]*".*/\1/p' "$f" | while read -r t; do
        [ "$t" != "$d" ] && [ -d "$t" ] && echo "$d $t"
      done
    done
  done | sort | uniq -c | awk '{print $2, $3, $1}'
)
printf '%s\n' "$parit" | awk 'NF == 3 {printf "%-13s -> %-13s (%d)\n", $1, $2, $3}'
virheet=0
# The core never reaches a window; windows reach it.
ylos=$(printf '%s\n' "$parit" | awk 'NF == 3 && $1 !~ /\/ui$/ && $2 ~ /\/ui$/ && $1 !~ /^(app|cli|testituki|bench|tools)$/')
if [ -n "$ylos" ]; then
  echo "Ydin viittaa ikkunoihin:" >&2
  printf '%s\n' "$ylos" >&2
  virheet=1
fi
kytkenta=$(printf '%s\n' "$parit" | awk 'NF == 3 && $2 == "app" && $1 !~ /^(testituki|bench)$/')
if [ -n "$kytkenta" ]; then
  echo "Käynnistyksen kytkentään (app/) viittaa muu kuin testituki:" >&2
  printf '%s\n' "$kytkenta" >&2
  virheet=1
fi
if ! printf '%s\n' "$parit" | awk 'NF == 3 {print $1, $2}' | tsort >/dev/null 2>/tmp/kansiot.$$; then
  echo "Kansiot viittaavat toisiinsa kehässä:" >&2
  cat /tmp/kansiot.$$ >&2
  virheet=1
fi
# A subsystem's windows and its core count as one: settings/ui including imdb while imdb includes settings
# is a loop between the two subsystems, though no two folders include each other.
kokonaan=$(printf '%s\n' "$parit" | awk 'NF == 3 {a = $1; b = $2; sub(/\/ui$/, "", a); sub(/\/ui$/, "", b); if (a != b) print a, b}')
if ! printf '%s\n' "$kokonaan" | tsort >/dev/null 2>/tmp/kansiot.$$; then
  echo "Osajärjestelmät (ikkunat mukaan lukien) viittaavat toisiinsa kehässä:" >&2
  cat /tmp/kansiot.$$ >&2
  virheet=1
fi
rm -f /tmp/kansiot.$$
exit $virheet
