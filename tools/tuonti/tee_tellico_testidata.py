#!/usr/bin/env python3
"""Writes the Tellico fixtures of the import tests (tuonti/testdata/videot.tc and videot.xml): a video
collection as Tellico's published file format describes it (DTD version 11), one cover JPEG taken from the
example catalogue's covers and one PNG drawn here. Run: tee_tellico_testidata.py JPEG-KANSI KOHDEKANSIO"""
import base64
import struct
import sys
import zipfile
import zlib
from pathlib import Path


def png(leveys, korkeus):
    rivit = bytearray()
    for y in range(korkeus):
        rivit.append(0)
        for x in range(leveys):
            reuna = x < 6 or y < 6 or x >= leveys - 6 or y >= korkeus - 6
            r, g, b = (20, 30, 90) if reuna else (40 + x, 120 + y // 3, 200 - y // 2)
            a = 0 if (x - leveys // 2) ** 2 + (y - korkeus // 2) ** 2 < 300 else 255
            rivit += bytes((r % 256, g % 256, b % 256, a))

    def pala(tyyppi, data):
        return struct.pack(">I", len(data)) + tyyppi + data + struct.pack(">I", zlib.crc32(tyyppi + data))

    return (b"\x89PNG\r\n\x1a\n" + pala(b"IHDR", struct.pack(">IIBBBBB", leveys, korkeus, 8, 6, 0, 0, 0)) +
            pala(b"IDAT", zlib.compress(bytes(rivit), 9)) + pala(b"IEND", b""))


KENTAT = [
    ("title", "Title", 1), ("medium", "Medium", 3), ("year", "Year", 6), ("certification", "Certification", 3),
    ("genre", "Genre", 1), ("nationality", "Nationality", 1), ("cast", "Cast", 8), ("director", "Director", 1),
    ("writer", "Writer", 1), ("running-time", "Running Time", 6), ("language", "Language", 1),
    ("plot", "Plot Summary", 2), ("rating", "Rating", 14), ("cover", "Front Cover", 10),
    ("comments", "Comments", 2),
]


def tietue(nro, kentat):
    rivit = [f'  <entry id="{nro}">']
    for nimi, arvo in kentat:
        if isinstance(arvo, list):
            monikko = nimi + "s"
            rivit.append(f"   <{monikko}>")
            for a in arvo:
                if isinstance(a, tuple):
                    sarakkeet = "".join(f"<column>{s}</column>" for s in a)
                    rivit.append(f"    <{nimi}>{sarakkeet}</{nimi}>")
                else:
                    rivit.append(f"    <{nimi}>{a}</{nimi}>")
            rivit.append(f"   </{monikko}>")
        else:
            rivit.append(f"   <{nimi}>{arvo}</{nimi}>")
    rivit.append("   <cdate>2024-03-01</cdate>")
    rivit.append("   <mdate>2024-03-02</mdate>")
    rivit.append("  </entry>")
    return "\n".join(rivit)


def xml(kuvat, upotettu):
    kentat = "\n".join(f'   <field flags="0" title="{o}" category="General" format="4" type="{t}" name="{n}" />'
                       for n, o, t in KENTAT)
    tietueet = [
        tietue(1, [("title", "Pakkasyön vartija"), ("medium", "DVD"), ("year", "1987"),
                   ("certification", "K-12"), ("genre", ["Jännitys", "Draama"]), ("nationality", ["Suomi"]),
                   ("cast", [("Ilmari Rasi", "Vartija"), ("Kaisa Vuorela", "Komisario")]),
                   ("director", ["Veikko Laulaja"]), ("writer", ["Veikko Laulaja"]), ("running-time", "92"),
                   ("language", ["suomi", "ruotsi"]),
                   ("plot", "Yövartija huomaa, että satamavaraston kylmiössä tapahtuu jotain."),
                   ("rating", "4"), ("cover", kuvat[0][0]), ("comments", "Ostettu kirpputorilta &amp; ehjä")]),
        tietue(2, [("title", "Lumen alla"), ("medium", "VHS"), ("year", "noin 1950"), ("genre", ["Draama"]),
                   ("nationality", ["Suomi", "Ruotsi"]), ("cast", [("Anna Ōtomo", "")]),
                   ("running-time", "1:45"), ("rating", "3"), ("cover", kuvat[1][0])]),
        tietue(3, [("title", "Kadonnut kansi"), ("medium", "Blu-ray"), ("year", "2004"),
                   ("running-time", "noin puolitoista tuntia"), ("cover", "puuttuu0000000000.jpeg")]),
    ]
    kuvarivit = []
    for tunniste, muoto, data in kuvat:
        if upotettu:
            kuvarivit.append(f'   <image format="{muoto}" id="{tunniste}">{base64.b64encode(data).decode()}</image>')
        else:
            kuvarivit.append(f'   <image format="{muoto}" id="{tunniste}" />')
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE tellico PUBLIC "-//Robby Stephenson/DTD Tellico V11.0//EN" "http://periapsis.org/tellico/dtd/v11/tellico.dtd">
<tellico xmlns="http://periapsis.org/tellico/" syntaxVersion="11">
 <collection title="Videot" type="3">
  <fields>
{kentat}
  </fields>
{chr(10).join(tietueet)}
  <images>
{chr(10).join(kuvarivit)}
  </images>
 </collection>
</tellico>
"""


def main():
    jpeg = Path(sys.argv[1]).read_bytes()
    kohde = Path(sys.argv[2])
    kuvat = [("0b1f5e2a9c3d4e5f60718293a4b5c6d7.jpeg", "JPEG", jpeg),
             ("9a8b7c6d5e4f30211203f4e5d6c7b8a9.png", "PNG", png(120, 180))]
    with zipfile.ZipFile(kohde / "videot.tc", "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("tellico.xml", xml(kuvat, False).encode())
        for tunniste, _, data in kuvat:
            z.writestr("images/" + tunniste, data)
    (kohde / "videot.xml").write_bytes(xml(kuvat, True).encode())


main()
