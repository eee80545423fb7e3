#!/usr/bin/env bash
# Kills a real save (rkb copy) with SIGKILL at random moments, again and again, and checks after each kill
# that the target is one of the two whole catalogues, never a mix or a fragment, and that the next start
# leaves nothing behind. Not part of the ordinary test run: bash tools/kaatumiskoe.sh [ROUNDS] [BUILD_DIR]
set -euo pipefail
KIERROKSET=${1:-100}
BUILD=$(realpath "${2:-build}")
RKB="$BUILD/rkb"
[ -x "$RKB" ] || { echo "rkb puuttuu: $RKB" >&2; exit 2; }

TYO=$(mktemp -d)
trap '[ -n "${PIDA:-}" ] || rm -rf "$TYO"' EXIT
export TMPDIR="$TYO/tmp"          # the runs' work folders land here, so leftovers can be counted
mkdir -p "$TMPDIR" "$TYO/lahde/gfx/kannet" "$TYO/kohde"

# Two catalogues of 3000 cards and 300 covers of 16 kB that differ in every title, so a target that is
# neither of them shows at once.
python3 - "$TYO/lahde" <<'EOF'
import os, random, sys
juuri = sys.argv[1]
random.seed(19)
def runko(merkki):
    rivit = ["Tietokanta tallennettu ohjelman versiolla=1.36", "Kortteja=3000", "Riveja=48", "## Tietokanta alkaa tästä"]
    for i in range(1, 3001):
        kansi = "gfx\\kannet\\%08d.jpg" % (11111111 + i) if i <= 300 else ""
        kortti = ["%s elokuva %d" % (merkki, i), "Draama", "Suomi", str(i // 3 + 1), "Stereo", "Näyttelijä %d" % i,
                  "Ohjaaja", "Juoni " * 20, "4:3", str(i % 3 + 1), "", "VHS (SP)", "1h 35min", "1999", "Väri", ""]
        for p in range(9):
            kortti += ["", "Käsikirjoitus:" if p == 0 else ""]
        kortti += [kansi, "", "", ""] + ["FALSE"] * 9 + ["", "0", "FALSE", "", kansi, "", ""]
        rivit += kortti + ["## Seuraava kortti"]
    return ("\r\n".join(rivit) + "\r\n").encode("cp1252")
for merkki in ("A", "B"):
    with open(os.path.join(juuri, "runko_" + merkki), "wb") as f:
        f.write(runko(merkki))
for i in range(1, 301):
    with open(os.path.join(juuri, "gfx", "kannet", "%08d.jpg" % (11111111 + i)), "wb") as f:
        f.write(os.urandom(16384))
EOF
(
  cd "$TYO/lahde"
  kannet=$(ls gfx/kannet/* )
  for m in A B; do
    cp "runko_$m" 'avattu.$$$'
    "$RKB" pack "$TYO/$m.rkb" 'avattu.$$$' $kannet
  done
)
# Saved once as the program saves (sorted), so that a finished copy gives the same body again.
for m in A B; do
  "$RKB" copy "$TYO/$m.rkb" "$TYO/$m.tallennettu.rkb" 2>/dev/null
  mv "$TYO/$m.tallennettu.rkb" "$TYO/$m.rkb"
  "$RKB" body "$TYO/$m.rkb" > "$TYO/$m.body"
done

# How long a whole save takes, to spread the kills over it.
alku=$(date +%s%N)
cp "$TYO/A.rkb" "$TYO/kohde/kanta.rkb"
"$RKB" copy "$TYO/B.rkb" "$TYO/kohde/kanta.rkb" 2>/dev/null
kesto_ms=$(( ($(date +%s%N) - alku) / 1000000 ))
cp "$TYO/A.rkb" "$TYO/kohde/kanta.rkb"

a=0; b=0; jaanteita=0; kesken=0; rikki=0
for ((k = 1; k <= KIERROKSET; k++)); do
  lahde=$([ $((k % 2)) -eq 0 ] && echo A || echo B)
  "$RKB" copy "$TYO/$lahde.rkb" "$TYO/kohde/kanta.rkb" 2>/dev/null &
  pid=$!
  viive=$(( (RANDOM * 32768 + RANDOM) % (kesto_ms * 3 + 20) ))
  sleep "$(printf '%d.%03d' $((viive / 1000)) $((viive % 1000)))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if [ -n "$(ls -A "$TMPDIR")" ]; then jaanteita=$((jaanteita + 1)); fi
  if ls -A "$TYO/kohde" | grep -q '\.kesken$'; then kesken=$((kesken + 1)); fi
  # The target must be one of the two catalogues, whole.
  if "$RKB" body "$TYO/kohde/kanta.rkb" > "$TYO/nyt.body" 2>/dev/null; then
    if cmp -s "$TYO/nyt.body" "$TYO/A.body"; then a=$((a + 1))
    elif cmp -s "$TYO/nyt.body" "$TYO/B.body"; then b=$((b + 1))
    else rikki=$((rikki + 1)); echo "kierros $k: kohde ei ole kumpikaan tietokanta" >&2; fi
  else
    rikki=$((rikki + 1)); echo "kierros $k: kohde ei avaudu" >&2
  fi
done

# The next start: one whole save cleans what the killed ones left beside the target and in the work area.
"$RKB" copy "$TYO/A.rkb" "$TYO/kohde/kanta.rkb" 2>/dev/null
jaljella=$( (ls -A "$TMPDIR"; ls -A "$TYO/kohde" | grep -v '^kanta\.rkb$' || true) | wc -l)
echo "kierroksia $KIERROKSET, tallennus kestää noin $kesto_ms ms"
echo "kohde ehjä A-tietokantana $a, ehjä B-tietokantana $b, rikki $rikki"
echo "tapon jälkeen työkansio jäi $jaanteita kierroksella, keskeneräinen tallennustiedosto kohteen vieressä $kesken kierroksella; seuraavan käynnistyksen jälkeen jäljellä $jaljella"
[ "$rikki" -eq 0 ] && [ "$jaljella" -eq 0 ]
