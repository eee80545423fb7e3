#!/usr/bin/env bash
# Installs the built program into a temporary prefix (DESTDIR) and starts the installed copy offscreen
# with a fresh home. Its user folder must be made and seeded, its settings written there, the desktop
# files must pass their validators, and nothing may be written into the installed prefix.
# Usage: tools/asennustesti.sh BUILD_DIR
set -euo pipefail
rakennus=$(cd "$1" && pwd)
tila=$(mktemp -d)
pid=
lopuksi() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  rm -rf "$tila"
}
trap lopuksi EXIT
vika() {
  echo "VIRHE: $*" >&2
  [ -f "$tila/ohjelma.log" ] && sed 's/^/  ohjelma: /' "$tila/ohjelma.log" >&2
  exit 1
}

juuri=$tila/juuri
DESTDIR=$juuri cmake --install "$rakennus" --prefix /usr >"$tila/asennus.log" || vika "asennus: $(cat "$tila/asennus.log")"
p=$juuri/usr
data=$p/share/rullakko

# The desktop files as the desktop reads them.
desktop-file-validate "$p/share/applications/net.rullakko.Rullakko.desktop" || vika "työpöytätiedosto ei kelpaa"
grep -qx 'Exec=/usr/bin/rullakko %f' "$p/share/applications/net.rullakko.Rullakko.desktop" \
  || vika "Exec ei osoita asennettuun ohjelmaan"
appstreamcli validate --no-net "$p/share/metainfo/net.rullakko.Rullakko.metainfo.xml" || vika "metainfo ei kelpaa"
mkdir -p "$tila/mime/packages"
cp "$p/share/mime/packages/rullakko.xml" "$tila/mime/packages/"
update-mime-database "$tila/mime" >/dev/null || vika "MIME-tyyppi ei kelpaa"
grep -q 'application/x-rullakko:\*\.rkb' "$tila/mime/globs2" || vika "*.rkb ei ole tyypin application/x-rullakko"
grep -q 'application/x-rullakko:application-x-rullakko' "$tila/mime/icons" || vika "tyypillä ei ole kuvaketta"
for kuvake in apps/rullakko mimetypes/application-x-rullakko; do
  png=$p/share/icons/hicolor/48x48/$kuvake.png
  [ -f "$p/share/icons/hicolor/scalable/$kuvake.svg" ] || vika "$kuvake.svg puuttuu"
  koko=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8]==b"\x89PNG\r\n\x1a\n" else "ei png")' "$png")
  [ "$koko" = 48x48 ] || vika "$png: $koko"
done
gzip -t "$p/share/man/man1/rkb.1.gz" || vika "rkb:n ohjesivu puuttuu"
"$p/bin/rkb" list "$data/esimerkki.rkb" >/dev/null || vika "asennettu rkb ei toimi"
# A subcommand that needs Qt runs its own executable from libexec.
RULLAKKO_HOME=$tila "$p/bin/rkb" export-text "$data/esimerkki.rkb" "$tila/lista.txt" && [ -s "$tila/lista.txt" ] \
  || vika "asennettu rkb ei löydä apuohjelmaansa"

# The installed program with a fresh home. It ends as when its window is closed, on SIGTERM.
jalki() { (cd "$juuri" && find . -printf '%p %y %s %m %T@\n' | sort); }
jalki >"$tila/ennen"
koti=$tila/koti
mkdir -p "$koti"
kansio=$koti/.local/share/rullakko
env -i PATH=/usr/bin:/bin HOME="$koti" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
  "$p/bin/rullakko" esimerkki.rkb >"$tila/ohjelma.log" 2>&1 &
pid=$!
# The lock file comes at the start of the start-up, after the signal is taken.
for _ in $(seq 600); do
  [ -e "$kansio/GCRullakkoGC" ] && break
  kill -0 "$pid" 2>/dev/null || vika "ohjelma loppui ennen ikkunaa"
  sleep 0.1
done
[ -e "$kansio/GCRullakkoGC" ] || vika "ohjelma ei käynnistynyt minuutissa"
kill -TERM "$pid"
for _ in $(seq 600); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && vika "ohjelma ei loppunut (jäikö kysymys auki?)"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || vika "ohjelma loppui tilaan $status"

[ -f "$kansio/asetukset.ini" ] || vika "asetuksia ei kirjoitettu käyttäjän kansioon"
cmp -s "$data/esimerkki.rkb" "$kansio/esimerkki.rkb" || vika "esimerkkitietokantaa ei kopioitu"
for f in "$data"/muistutus*.txt; do
  [ -e "$f" ] || continue
  cmp -s "$f" "$kansio/$(basename "$f")" || vika "muistutuspohjaa $(basename "$f") ei kopioitu"
done
# The font's licence stays with the font, out of the reminder templates.
for f in lueminut.html gfx/perus gfx/working.gif VERTFONT_LISENSSI.txt; do
  [ -e "$kansio/$f" ] && vika "$f kopioitiin, vaikka se luetaan asennuksesta"
done
[ -e "$kansio/GCRullakkoGC" ] && vika "lukko jäi"
[ -e "$koti/.local/share/applications" ] && vika "ohjelma rekisteröi tiedostotyypin, vaikka se on asennettu"
jalki >"$tila/jalkeen"
diff "$tila/ennen" "$tila/jalkeen" >&2 || vika "ohjelma kirjoitti asennukseen"
echo "asennus ja käynnistys kunnossa"
