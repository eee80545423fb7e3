#!/usr/bin/env bash
# Kills real writes with SIGKILL at random moments, again and again: a catalogue save (rkb copy), labels
# (rkb labels), an HTML list (rkb export-html) and the settings file (as the program writes it at every start).
# After each kill the target must be one of the two whole versions, never a mix or a fragment, and after
# the next write or start nothing may be left behind. Not part of the ordinary test run:
# bash tools/kaatumiskoe.sh [ROUNDS] [BUILD_DIR]; KOHTEET="tarrat html" runs only the writes named
# (tallennus tarrat html asetukset).
set -euo pipefail
KOHTEET=${KOHTEET:-tallennus tarrat html asetukset}
kohteena() { [[ " $KOHTEET " == *" $1 "* ]]; }
KIERROKSET=${1:-100}
BUILD=$(realpath "${2:-build}")
RKB="$BUILD/rkb"
ASETUKSET="$BUILD/kirjoita_asetukset"
[ -x "$RKB" ] || { echo "rkb puuttuu: $RKB" >&2; exit 2; }
[ -x "$ASETUKSET" ] || { echo "kirjoita_asetukset puuttuu (ninja -C BUILD_DIR kirjoita_asetukset)" >&2; exit 2; }

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

virheita=0
if kohteena tallennus; then
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
echo "tallennus: kierroksia $KIERROKSET, tallennus kestää noin $kesto_ms ms"
echo "  kohde ehjä A-tietokantana $a, ehjä B-tietokantana $b, rikki $rikki"
echo "  tapon jälkeen työkansio jäi $jaanteita kierroksella, keskeneräinen tallennustiedosto kohteen vieressä $kesken kierroksella; seuraavan käynnistyksen jälkeen jäljellä $jaljella"
virheita=$(( rikki + jaljella ))
fi

# A random moment within three times the whole run, in seconds for sleep.
viive() {
  local v=$(( (RANDOM * 32768 + RANDOM) % ($1 * 3 + 20) ))
  printf '%d.%03d' $((v / 1000)) $((v % 1000))
}

# ROUNDS kills of an output written by rkb, alternating between two commands (arrays KOMENTO_A/KOMENTO_B)
# whose whole results `tarkista` tells apart; then one whole write must leave only the target.
tapa_tuloste() {
  local nimi=$1 kohde=$2 tarkista=$3
  local kansio; kansio=$(dirname "$kohde")
  rm -rf "$kansio"; mkdir -p "$kansio"
  "${KOMENTO_A[@]}" "$kohde" "${VALITSIMET_A[@]}" >/dev/null 2>&1
  local alku; alku=$(date +%s%N)
  "${KOMENTO_B[@]}" "$kohde" "${VALITSIMET_B[@]}" >/dev/null 2>&1
  local kesto=$(( ($(date +%s%N) - alku) / 1000000 ))
  local ea=0 eb=0 pois=0 rikki=0 kesken=0
  for ((k = 1; k <= KIERROKSET; k++)); do
    if [ $((k % 2)) -eq 0 ]; then "${KOMENTO_A[@]}" "$kohde" "${VALITSIMET_A[@]}" >/dev/null 2>&1 &
    else "${KOMENTO_B[@]}" "$kohde" "${VALITSIMET_B[@]}" >/dev/null 2>&1 & fi
    local pid=$!
    sleep "$(viive "$kesto")"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    if ls -A "$kansio" | grep -q '\.kesken$'; then kesken=$((kesken + 1)); fi
    case $("$tarkista" "$kohde") in
      A) ea=$((ea + 1)) ;;
      B) eb=$((eb + 1)) ;;
      *) rikki=$((rikki + 1)); echo "$nimi, kierros $k: kohde ei ole kumpikaan ehjä tulos" >&2 ;;
    esac
  done
  "${KOMENTO_A[@]}" "$kohde" "${VALITSIMET_A[@]}" >/dev/null 2>&1
  local jaljella; jaljella=$(ls -A "$kansio" | grep -vx "$(basename "$kohde")" | wc -l || true)
  echo "$nimi: kierroksia $KIERROKSET, kirjoitus kestää noin $kesto ms"
  echo "  kohde ehjä A:na $ea, ehjä B:nä $eb, rikki $rikki; keskeneräinen tiedosto kohteen vieressä $kesken kierroksella; seuraavan kirjoituksen jälkeen jäljellä $jaljella"
  virheita=$(( virheita + rikki + jaljella ))
}

# Labels: two sheets of spine labels (A) or three of top labels (B), told apart by their page counts; a
# whole PDF opens and ends with its end mark. (Every sheet carries its background pictures: a few MB a page.)
KASETIT_A=$(seq -s, 1 28); KASETIT_B=$(seq -s, 1 36)
KOMENTO_A=("$RKB" labels "$TYO/A.rkb"); VALITSIMET_A=(--kind spine --cassettes "$KASETIT_A")
KOMENTO_B=("$RKB" labels "$TYO/A.rkb"); VALITSIMET_B=(--kind top --cassettes "$KASETIT_B")
"$RKB" labels "$TYO/A.rkb" "$TYO/a.pdf" "${VALITSIMET_A[@]}" >/dev/null 2>&1
"$RKB" labels "$TYO/A.rkb" "$TYO/b.pdf" "${VALITSIMET_B[@]}" >/dev/null 2>&1
sivuja() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ {print $2}'; }
SIVUJA_A=$(sivuja "$TYO/a.pdf"); SIVUJA_B=$(sivuja "$TYO/b.pdf")
tarkista_pdf() {
  [ -f "$1" ] && tail -c 8 "$1" | grep -q '%%EOF' || { echo rikki; return; }
  local s; s=$(sivuja "$1")
  if [ "$s" = "$SIVUJA_A" ]; then echo A; elif [ "$s" = "$SIVUJA_B" ]; then echo B; else echo rikki; fi
}
kohteena tarrat && tapa_tuloste tarrat "$TYO/tarrat/tarrat.pdf" tarkista_pdf

# The HTML list of one catalogue or the other.
KOMENTO_A=("$RKB" export-html "$TYO/A.rkb"); VALITSIMET_A=()
KOMENTO_B=("$RKB" export-html "$TYO/B.rkb"); VALITSIMET_B=()
"$RKB" export-html "$TYO/A.rkb" "$TYO/a.html" >/dev/null 2>&1
"$RKB" export-html "$TYO/B.rkb" "$TYO/b.html" >/dev/null 2>&1
tarkista_html() {
  if cmp -s "$1" "$TYO/a.html"; then echo A; elif cmp -s "$1" "$TYO/b.html"; then echo B; else echo rikki; fi
}
kohteena html && tapa_tuloste html "$TYO/html/lista.html" tarkista_html

if kohteena asetukset; then
# The settings file, big (a user's long notes) so the write takes a while. Killed at any moment, it is the
# whole file and private; the next write leaves no copy of it behind.
KOTI="$TYO/koti"
mkdir -p "$KOTI"
python3 - "$KOTI/asetukset.ini" <<'PY'
import sys
with open(sys.argv[1], "wb") as f:
    f.write(b"[Sekalaista]\r\nnotify_dates=21\r\n[Muistiinpanot]\r\n")
    for i in range(120000):
        f.write(b"; huomautus %d: salasana ei ole t\xe4ss\xe4\r\n" % i)
PY
chmod 0644 "$KOTI/asetukset.ini"
"$ASETUKSET" "$KOTI"
cp "$KOTI/asetukset.ini" "$TYO/asetukset.kokonainen"
alku=$(date +%s%N)
"$ASETUKSET" "$KOTI"
kesto=$(( ($(date +%s%N) - alku) / 1000000 ))
ehja=0; rikki=0; kesken=0; avoin=0
for ((k = 1; k <= KIERROKSET; k++)); do
  "$ASETUKSET" "$KOTI" 2>/dev/null &
  pid=$!
  sleep "$(viive "$kesto")"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if ls -A "$KOTI" | grep -q '^\.asetukset\.ini~.*\.kesken$'; then kesken=$((kesken + 1)); fi
  if cmp -s "$KOTI/asetukset.ini" "$TYO/asetukset.kokonainen"; then ehja=$((ehja + 1))
  else rikki=$((rikki + 1)); echo "asetukset, kierros $k: tiedosto ei ole ehjä" >&2; fi
  [ "$(stat -c %a "$KOTI/asetukset.ini")" = 600 ] || avoin=$((avoin + 1))
done
"$ASETUKSET" "$KOTI"
jaljella=$(ls -A "$KOTI" | grep -cvx 'asetukset\.ini' || true)
echo "asetukset: kierroksia $KIERROKSET, kirjoitus kestää noin $kesto ms"
echo "  tiedosto ehjä $ehja, rikki $rikki, muille luettavissa $avoin; kopio jäi $kesken kierroksella; seuraavan kirjoituksen jälkeen jäljellä $jaljella"
virheita=$(( virheita + rikki + avoin + jaljella ))
fi
[ "$virheita" -eq 0 ]
