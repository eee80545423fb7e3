#!/usr/bin/env bash
# Folder include graph of the Qt-free core (files at the folder roots, tests left out). Prints one
# "folder -> folder (includes)" line per pair and fails when the folders include each other in a loop.
set -euo pipefail
cd "$(dirname "$0")/.."
parit=$(
  for d in */; do
    d=${d%/}
    for f in "$d"/*.h "$d"/*.cpp; do
      [ -e "$f" ] || continue
      case "$f" in *_test.cpp|*_fuzz.cpp|*_uitest.cpp) continue ;; esac
      sed -n 's/^#include "\([a-z_]*\)\/[^"]*".*/\1/p' "$f" | while read -r t; do
        [ "$t" != "$d" ] && [ -d "$t" ] && echo "$d $t"
      done
    done
  done | sort | uniq -c | awk '{print $2, $3, $1}'
)
printf '%s\n' "$parit" | awk 'NF == 3 {printf "%-11s -> %-11s (%d)\n", $1, $2, $3}'
if ! printf '%s\n' "$parit" | awk 'NF == 3 {print $1, $2}' | tsort >/dev/null 2>/tmp/kansiot.$$; then
  echo "Kansiot viittaavat toisiinsa kehässä:" >&2
  cat /tmp/kansiot.$$ >&2
  rm -f /tmp/kansiot.$$
  exit 1
fi
rm -f /tmp/kansiot.$$
