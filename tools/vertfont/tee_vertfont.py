#!/usr/bin/python3
"""Builds data/VERTFONT.TTF, the font "Vertical Font!!" of the cassette numbers on spine labels.

Each glyph is a glyph of DejaVu Sans Bold turned a quarter to the left, so that characters drawn one
above the other read from the bottom up along a cassette's spine. The label drawing puts the top of
a character cell at its y and steps the characters about half a cell apart, so each turned glyph sits
in the middle half of its cell.

Usage: /usr/bin/python3 tools/vertfont/tee_vertfont.py [SOURCE.ttf] [OUT.ttf]   (needs python3-fonttools)
"""
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

LAHDE = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
KOHDE = sys.argv[2] if len(sys.argv) > 2 else "data/VERTFONT.TTF"

UPM = 2048
NOUSU = 1900   # ascent: the cell runs from NOUSU down to -LASKU
LASKU = 500
# The turned glyph's advance (its old width) fills the cell from ALA to YLA.
ALA = 138
YLA = 1420
MARGINAALI = 60

MERKIT = [chr(c) for c in range(0x21, 0x7F)] + list("ÄÖÅäöå")

lahde = TTFont(LAHDE)
lahteen_kartta = lahde.getBestCmap()
lahteen_glyfit = lahde.getGlyphSet()
lahteen_hmtx = lahde["hmtx"]
korkeus = getattr(lahde["OS/2"], "sCapHeight", 0) or 1493
syvyys = 420  # room for descenders ("g", "j") on the right of the turned glyph
numeron_leveys = lahteen_hmtx[lahteen_kartta[ord("0")]][0]
skaala = (YLA - ALA) / numeron_leveys
leveys = int((korkeus + syvyys) * skaala) + 2 * MARGINAALI

glyfit = {".notdef": TTGlyphPen(None).glyph()}
mitat = {".notdef": (leveys, 0)}
kartta = {}
for merkki in MERKIT:
    nimi = lahteen_kartta.get(ord(merkki))
    if nimi is None:
        continue
    kyna = TTGlyphPen(None)
    # (x, y) -> (-y, x): a quarter turn to the left; then scaled and moved into the cell.
    muunnos = (0, skaala, -skaala, 0, MARGINAALI + korkeus * skaala, ALA)
    tallenne = DecomposingRecordingPen(lahteen_glyfit)
    lahteen_glyfit[nimi].draw(tallenne)
    tallenne.replay(TransformPen(kyna, muunnos))
    uusi = "g%04X" % ord(merkki)
    glyfit[uusi] = kyna.glyph()
    mitat[uusi] = (leveys, 0)
    kartta[ord(merkki)] = uusi
kartta[0x20] = "space"
glyfit["space"] = TTGlyphPen(None).glyph()
mitat["space"] = (leveys, 0)

jarjestys = [".notdef", "space"] + sorted(n for n in glyfit if n not in (".notdef", "space"))
fb = FontBuilder(UPM, isTTF=True)
fb.setupGlyphOrder(jarjestys)
fb.setupCharacterMap(kartta)
fb.setupGlyf(glyfit)
fb.setupHorizontalMetrics({n: (mitat[n][0], glyfit[n].xMin if hasattr(glyfit[n], "xMin") else 0) for n in jarjestys})
fb.setupHorizontalHeader(ascent=NOUSU, descent=-LASKU)
fb.setupNameTable({
    "familyName": "Vertical Font!!",
    "styleName": "Regular",
    "uniqueFontIdentifier": "Rullakko: Vertical Font!! 1.0",
    "fullName": "Vertical Font!!",
    "psName": "VerticalFont",
    "version": "Version 1.0",
    "copyright": "Glyphs from DejaVu Sans Bold: Copyright (c) 2003 by Bitstream, Inc. All Rights Reserved. "
                 "DejaVu changes are in public domain. Turned for cassette spines; see VERTFONT_LISENSSI.txt.",
})
fb.setupOS2(sTypoAscender=NOUSU, sTypoDescender=-LASKU, sTypoLineGap=0, usWinAscent=NOUSU, usWinDescent=LASKU,
            fsSelection=0x40, achVendID="RKB ")
fb.setupPost()
fb.save(KOHDE)
print("kirjoitettu", KOHDE, len(kartta), "merkkiä")
