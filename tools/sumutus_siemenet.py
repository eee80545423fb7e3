"""Writes the seeds of one fuzz target into a folder: the real files of its format kept in the tree, and
large or deeply nested inputs made here, so that a ten-minute run reaches depth and size from the start.

/usr/bin/python3 tools/sumutus_siemenet.py <source root> <target> <folder>
"""
import pathlib
import re
import shutil
import sys

juuri, kohde, kansio = pathlib.Path(sys.argv[1]), sys.argv[2], pathlib.Path(sys.argv[3])
kansio.mkdir(parents=True, exist_ok=True)
imdb = juuri / "imdb" / "testdata"


def kopioi(*polut):
    for p in polut:
        for f in sorted(juuri.glob(p)):
            shutil.copy(f, kansio / f.name)


def kirjoita(nimi, sisalto):
    (kansio / nimi).write_bytes(sisalto if isinstance(sisalto, bytes) else sisalto.encode("utf-8"))


def json_ld_lohko():
    sivu = (imdb / "json_nimike.html").read_text(encoding="utf-8")
    osuma = re.search(r'<script type="application/ld\+json">(.*?)</script>', sivu, re.S)
    return osuma.group(1) if osuma else ""


# A target whose source folder has testdata/<target>/ starts from those files.
kopioi(f"*/testdata/{kohde}/*")

syva = "[" * 70000 + "]" * 70000
if kohde == "nimikesivu_fuzz":
    kopioi("imdb/testdata/vanha_nimike*.html", "imdb/testdata/json_nimike.html")
    kirjoita("skriptit.html", "<script" * 100000 + ">")
    kirjoita("merkit.html", "<TITLE>&#" * 50000 + "</TITLE>\n" + '<B CLASS="ch">Genre:</B>\n' * 5000)
elif kohde == "json_ld_fuzz":
    kirjoita("elokuva.json", json_ld_lohko())
    kopioi("imdb/testdata/ehdotukset.json")
    kirjoita("syva.json", syva)
    kirjoita("viitteet.json", '{"@type":"Movie","name":"' + "&amp" * 100000 + '"}')
elif kohde == "hakusivu_fuzz":
    kopioi("imdb/testdata/vanha_haku.html")
    kirjoita("rivit.html", '<A NAME="top">Most popular searches</A>\n' + '<A HREF="/Title?0133093">X (1999)</A>\n' * 2000)
elif kohde == "ehdotukset_fuzz":
    kopioi("imdb/testdata/ehdotukset.json")
    kirjoita("syva.json", '{"d":' + syva + "}")
    kirjoita("paljon.json", '{"d":[' + ",".join('{"id":"tt%07d","l":"T%d","y":2000}' % (i, i) for i in range(2000)) + "]}")
elif kohde == "runko_fuzz":
    kopioi("storage/testdata/runko_*.txt", "tools/esimerkki/kannet/kansi1.jpg", "data/gfx/kannet/ei_kuvaa.gif")
    kaksi = (juuri / "storage/testdata/runko_kaksi_korttia.txt").read_bytes()
    otsake, _, kortit = kaksi.partition(b"\n")
    kirjoita("monta_korttia.txt", otsake + b"\n" + kortit * 1200)
elif kohde == "zlbarkisto_fuzz":
    kopioi("storage/testdata/zlbarkisto/*", "data/esimerkki.rkb", "data/dbase.rkb")
elif kohde == "ini_fuzz":
    kopioi("lending/testdata/profiilit_fuzz/*")
elif kohde == "profiilit_fuzz":
    # The settings' shapes too, the large one among them, and many profiles with long lines.
    kopioi("settings/testdata/ini_fuzz/*")
    kirjoita("monta.ini", "".join("Lainaaja %d\r\n%s\r\nl%d@example.org\r\n## seuraava profiili\r\n" % (i, "0" * (i % 300), i)
                                  for i in range(3000)))
elif kohde == "tuonti_fuzz":
    # The first byte chooses the reader: 0 a list, 1 Tellico XML, 2 a .tc file, 3 a cover picture.
    tiedot = juuri / "tuonti" / "testdata"
    kirjoita("xml.bin", b"\x01" + (tiedot / "videot.xml").read_bytes())
    kirjoita("tc.bin", b"\x02" + (tiedot / "videot.tc").read_bytes())
    kirjoita("kansi.bin", b"\x03" + (juuri / "tools/esimerkki/kannet/kansi2.jpg").read_bytes())
    rivi = 'Nimi;Vuosi;Ohjaaja;Kasetti;Kommentti\r\n"Tuntematon ""sotilas""";1955;Edvin Laine;12;"kaksi\nriviä"\r\n'
    kirjoita("lista.bin", b"\x00\xef\xbb\xbf" + (rivi * 2000).encode("utf-8"))
