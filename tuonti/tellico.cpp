#include "tuonti/tellico.h"

#include <expat.h>
#include <fcntl.h>
#include <minizip/unzip.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>

#include "perus/merkisto.h"
#include "perus/tiedostojarjestelma.h"

namespace fs = std::filesystem;

namespace {

constexpr int suurin_syvyys = 64;
constexpr const char* videokokoelma = "3";
// The same bounds as the catalogue archive: deflate cannot expand more than about 1032 times, and a file
// honestly holds at most 128 times its size unpacked.
constexpr std::uint64_t suurin_purkusuhde = 1032;
constexpr std::uint64_t tiedoston_purkusuhde = 128;
constexpr std::uint64_t purkuvara = 1u << 20;
constexpr std::uint64_t suurin_jasenmaara = 100000;
constexpr std::size_t keskushakemiston_tietue = 46;  // the smallest central directory entry of a zip

std::string vioittunut_zip() { return "Tellico-tiedosto on vioittunut: sen zip-rakenne ei ole kunnossa."; }

// "tc:title" and "title" alike.
std::string_view paikallinen(const char* nimi) {
    const std::string_view n(nimi);
    const std::size_t kaksoispiste = n.rfind(':');
    return kaksoispiste == std::string_view::npos ? n : n.substr(kaksoispiste + 1);
}

const char* attribuutti(const char** a, const char* nimi) {
    for (; a && *a; a += 2)
        if (paikallinen(a[0]) == nimi) return a[1];
    return nullptr;
}

bool base64_tavu(char c, unsigned& arvo) {
    if (c >= 'A' && c <= 'Z') arvo = static_cast<unsigned>(c - 'A');
    else if (c >= 'a' && c <= 'z') arvo = static_cast<unsigned>(c - 'a' + 26);
    else if (c >= '0' && c <= '9') arvo = static_cast<unsigned>(c - '0' + 52);
    else if (c == '+') arvo = 62;
    else if (c == '/') arvo = 63;
    else return false;
    return true;
}

// Base64 with blanks and line breaks anywhere; false for other characters.
bool pura_base64(std::string_view s, std::string& ulos) {
    ulos.clear();
    ulos.reserve(s.size() / 4 * 3);
    unsigned kertyma = 0;
    int bitit = 0;
    for (const char c : s) {
        unsigned arvo = 0;
        if (c == '=' || c == ' ' || c == '\n' || c == '\r' || c == '\t') continue;
        if (!base64_tavu(c, arvo)) return false;
        kertyma = (kertyma << 6) | arvo;
        bitit += 6;
        if (bitit >= 8) {
            bitit -= 8;
            ulos += static_cast<char>((kertyma >> bitit) & 0xFF);
        }
    }
    return true;
}

struct Jasennys {
    XML_Parser p = nullptr;
    Tellicokokoelma& ulos;
    std::string virhe;
    std::vector<std::string> pino;  // local names of the open elements
    std::string teksti;             // text of the innermost element
    int tietueen_syvyys = -1;       // depth of the open <entry>, -1 outside one
    std::vector<std::string> rivi;  // the columns of a table row being read
    std::string kuvan_id;           // the <image> being read
    bool kokoelma = false;

    void lopeta(std::string syy) {
        if (virhe.empty()) virhe = std::move(syy);
        XML_StopParser(p, XML_FALSE);
    }
    std::string cp1252(const std::string& utf8) {
        std::string cp = merkisto::utf8_cp1252(utf8);
        if (tietueen_syvyys >= 0 && merkisto::cp1252_utf8(cp) != utf8) ulos.tietueet.back().korvattuja = true;
        return cp;
    }
    Tellicokentta& kentta(const std::string& nimi) {
        Tellicotietue& t = ulos.tietueet.back();
        for (Tellicokentta& k : t.kentat)
            if (k.nimi == nimi) return k;
        t.kentat.push_back({nimi, {}});
        return t.kentat.back();
    }

    void alku(const char* nimi, const char** a) {
        if (pino.size() >= suurin_syvyys) return lopeta("Tellico-tiedoston XML on liian syvälle sisäkkäistä.");
        const std::string n(paikallinen(nimi));
        const int syvyys = static_cast<int>(pino.size());
        if (n == "collection") {
            const char* tyyppi = attribuutti(a, "type");
            if (!tyyppi || std::strcmp(tyyppi, videokokoelma) != 0)
                return lopeta("Tellico-tiedosto ei ole elokuvakokoelma (videot); muita kokoelmia ei voi tuoda.");
            kokoelma = true;
        } else if (n == "field" && tietueen_syvyys < 0) {
            const char* kentta = attribuutti(a, "name");
            const char* otsikko = attribuutti(a, "title");
            if (kentta && otsikko) ulos.otsikot[kentta] = merkisto::utf8_cp1252(otsikko);
        } else if (n == "entry" && tietueen_syvyys < 0) {
            if (!kokoelma) return lopeta("Tellico-tiedostossa on tietue ilman kokoelmaa.");
            tietueen_syvyys = syvyys;
            ulos.tietueet.push_back({static_cast<int>(ulos.tietueet.size()) + 1, {}, false});
        } else if (n == "image" && tietueen_syvyys < 0) {
            const char* id = attribuutti(a, "id");
            kuvan_id = id ? id : "";
        }
        pino.push_back(n);
        teksti.clear();
    }

    void loppu() {
        const std::string n = pino.back();
        pino.pop_back();
        const int syvyys = static_cast<int>(pino.size());
        if (tietueen_syvyys >= 0) {
            if (syvyys == tietueen_syvyys) {
                tietueen_syvyys = -1;
            } else if (n == "column") {
                rivi.push_back(cp1252(teksti));
            } else if (!rivi.empty()) {
                kentta(n).arvot.push_back(std::move(rivi));
                rivi.clear();
            } else if (syvyys == tietueen_syvyys + 1 || syvyys == tietueen_syvyys + 2) {
                // A plural field's container ("genres") ends with its values already taken from its children.
                const bool sailio = syvyys == tietueen_syvyys + 1 && teksti.find_first_not_of(" \t\r\n") == std::string::npos;
                if (!sailio) kentta(n).arvot.push_back({cp1252(teksti)});
            }
        } else if (n == "image" && !kuvan_id.empty()) {
            if (teksti.find_first_not_of(" \t\r\n") != std::string::npos) {
                if (teksti.size() / 4 * 3 > suurin_kuva) return lopeta("Tellico-tiedoston kuva \"" + kuvan_id + "\" on liian suuri.");
                std::string data;
                if (!pura_base64(teksti, data)) return lopeta("Tellico-tiedoston kuva \"" + kuvan_id + "\" on vioittunut.");
                ulos.kuvat[kuvan_id] = std::move(data);
            }
            kuvan_id.clear();
        }
        teksti.clear();
    }
};

void XMLCALL alkaa(void* d, const XML_Char* nimi, const XML_Char** a) { static_cast<Jasennys*>(d)->alku(nimi, a); }
void XMLCALL loppuu(void* d, const XML_Char*) { static_cast<Jasennys*>(d)->loppu(); }
void XMLCALL tekstia(void* d, const XML_Char* s, int n) { static_cast<Jasennys*>(d)->teksti.append(s, static_cast<std::size_t>(n)); }
void XMLCALL entiteetti(void* d, const XML_Char*, int, const XML_Char*, int, const XML_Char*, const XML_Char*,
                        const XML_Char*, const XML_Char*) {
    static_cast<Jasennys*>(d)->lopeta("Tellico-tiedostossa on entiteettien määrittelyjä; sellaista tiedostoa ei tuoda.");
}

// The zip is read through the file-system seam from the already opened file: the zip library is given
// these functions instead of a file name.
struct Zipvirta {
    Tiedostojarjestelma& t;
    int fd;
    std::uint64_t koko;
    std::uint64_t kohta = 0;
    bool virhe = false;
};

voidpf ZCALLBACK zip_avaa(voidpf virta, const void*, int) { return virta; }  // the stream is the opaque pointer
// As many bytes as asked for, fewer only at the end of the file.
uLong ZCALLBACK zip_lue(voidpf, voidpf v, void* puskuri, uLong n) {
    Zipvirta& z = *static_cast<Zipvirta*>(v);
    uLong luettu = 0;
    while (luettu < n) {
        const Siirretty s = z.t.lue(z.fd, static_cast<char*>(puskuri) + luettu, n - luettu, z.kohta);
        if (!s.tulos) {
            z.virhe = true;
            break;
        }
        if (s.tavuja == 0) break;
        z.kohta += s.tavuja;
        luettu += static_cast<uLong>(s.tavuja);
    }
    return luettu;
}
uLong ZCALLBACK zip_kirjoita(voidpf, voidpf, const void*, uLong) { return 0; }
ZPOS64_T ZCALLBACK zip_kohta(voidpf, voidpf v) { return static_cast<Zipvirta*>(v)->kohta; }
long ZCALLBACK zip_siirry(voidpf, voidpf v, ZPOS64_T siirto, int mista) {
    Zipvirta& z = *static_cast<Zipvirta*>(v);
    const std::uint64_t pohja = mista == ZLIB_FILEFUNC_SEEK_SET ? 0 : mista == ZLIB_FILEFUNC_SEEK_CUR ? z.kohta : z.koko;
    const std::uint64_t uusi = pohja + siirto;
    if (uusi > z.koko) return -1;
    z.kohta = uusi;
    return 0;
}
int ZCALLBACK zip_sulje(voidpf, voidpf) { return 0; }
int ZCALLBACK zip_virhe(voidpf, voidpf v) { return static_cast<Zipvirta*>(v)->virhe ? 1 : 0; }

struct Zipsulkija {
    void operator()(void* z) const { unzClose(z); }
};

std::uint32_t lue32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t lue16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// The zip's own count and directory size against the file, before the zip library allocates for them.
bool hakemisto_mahtuu(Tiedostojarjestelma& t, int fd, std::uint64_t koko) {
    constexpr std::size_t loppu = 22, suurin_kommentti = 65535;
    if (koko < loppu) return false;
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(koko, loppu + suurin_kommentti));
    std::vector<unsigned char> hanta(n);
    if (!lue_kaikki(t, fd, hanta.data(), n, koko - n)) return false;
    for (std::size_t i = n - loppu + 1; i-- > 0;) {
        const unsigned char* e = hanta.data() + i;
        if (lue32(e) != 0x06054b50) continue;
        const std::uint64_t jasenia = lue16(e + 10), hakemisto = lue32(e + 12), sijainti = lue32(e + 16);
        const std::uint64_t eocd = koko - n + i;
        return jasenia <= suurin_jasenmaara && jasenia * keskushakemiston_tietue <= hakemisto &&
               sijainti + hakemisto <= eocd;
    }
    return false;
}

// The current member whole into memory, its recorded sizes checked against the bounds before anything is allocated.
Tulos lue_jasen(unzFile z, std::uint64_t enintaan, std::uint64_t& budjetti, std::string& ulos) {
    unz_file_info64 st{};
    std::array<char, 1024> nimi{};
    if (unzGetCurrentFileInfo64(z, &st, nimi.data(), nimi.size() - 1, nullptr, 0, nullptr, 0) != UNZ_OK)
        return Tulos::virhe(1, vioittunut_zip());
    if (st.uncompressed_size > enintaan || st.uncompressed_size > budjetti)
        return Tulos::virhe(2, "Tellico-tiedoston osa \"" + merkisto::utf8_cp1252(nimi.data()) + "\" on liian suuri tuotavaksi.");
    if (st.uncompressed_size > st.compressed_size * suurin_purkusuhde + 64) return Tulos::virhe(3, vioittunut_zip());
    budjetti -= st.uncompressed_size;
    if (unzOpenCurrentFile(z) != UNZ_OK) return Tulos::virhe(4, vioittunut_zip());
    ulos.assign(static_cast<std::size_t>(st.uncompressed_size), '\0');
    std::size_t luettu = 0;
    bool ok = true;
    while (ok && luettu < ulos.size()) {
        const std::size_t pala = std::min<std::size_t>(ulos.size() - luettu, 1u << 20);
        const int n = unzReadCurrentFile(z, ulos.data() + luettu, static_cast<unsigned>(pala));
        ok = n > 0;
        if (ok) luettu += static_cast<std::size_t>(n);
    }
    // More data than the directory recorded, or a wrong checksum at the end, is a damaged zip too.
    char yli = 0;
    if (ok) ok = unzReadCurrentFile(z, &yli, 1) == 0;
    const bool suljettu = unzCloseCurrentFile(z) == UNZ_OK;
    if (!ok || !suljettu) return Tulos::virhe(5, vioittunut_zip());
    return Tulos::ok();
}

Tulos lue_tc(Tiedostojarjestelma& t, int fd, std::uint64_t koko, Tellicokokoelma& ulos) {
    if (!hakemisto_mahtuu(t, fd, koko)) return Tulos::virhe(10, vioittunut_zip());
    Zipvirta virta{t, fd, koko};
    zlib_filefunc64_def f{};
    f.zopen64_file = zip_avaa;
    f.zread_file = zip_lue;
    f.zwrite_file = zip_kirjoita;
    f.ztell64_file = zip_kohta;
    f.zseek64_file = zip_siirry;
    f.zclose_file = zip_sulje;
    f.zerror_file = zip_virhe;
    f.opaque = &virta;
    std::unique_ptr<void, Zipsulkija> z(unzOpen2_64("", &f));
    if (!z) return Tulos::virhe(11, vioittunut_zip());
    std::uint64_t budjetti = koko * tiedoston_purkusuhde + purkuvara;
    // 2: the name compared without case.
    if (unzLocateFile(z.get(), "tellico.xml", 2) != UNZ_OK)
        return Tulos::virhe(12, "Tiedosto ei ole Tellico-kokoelma: siitä puuttuu tellico.xml.");
    std::string teksti;
    if (Tulos t = lue_jasen(z.get(), suurin_xml, budjetti, teksti); !t) return t;
    if (Tulos t = lue_tellico_xml(teksti, ulos); !t) return t;
    // Only the pictures the cards name are read.
    for (const Tellicotietue& tt : ulos.tietueet) {
        const Tellicokentta* kansi = tt.kentta("cover");
        if (!kansi || kansi->arvot.empty() || kansi->arvot[0].empty()) continue;
        const std::string id = merkisto::cp1252_utf8(kansi->arvot[0][0]);
        if (ulos.kuvat.count(id)) continue;
        // 1: the name compared as it is.
        if (unzLocateFile(z.get(), ("images/" + id).c_str(), 1) != UNZ_OK) continue;
        std::string data;
        if (Tulos t = lue_jasen(z.get(), suurin_kuva, budjetti, data); !t) return t;
        ulos.kuvat[id] = std::move(data);
    }
    return Tulos::ok();
}

}  // namespace

const Tellicokentta* Tellicotietue::kentta(std::string_view nimi) const {
    for (const Tellicokentta& k : kentat)
        if (k.nimi == nimi) return &k;
    return nullptr;
}

Tulos lue_tellico_xml(std::string_view xml, Tellicokokoelma& ulos) {
    ulos = Tellicokokoelma{};
    if (xml.size() > suurin_xml) return Tulos::virhe(20, "Tellico-tiedoston XML on liian suuri tuotavaksi.");
    std::unique_ptr<std::remove_pointer_t<XML_Parser>, void (*)(XML_Parser)> p(XML_ParserCreate(nullptr), &XML_ParserFree);
    if (!p) return Tulos::virhe(21, "Muisti ei riittänyt Tellico-tiedoston lukemiseen.");
    Jasennys j{p.get(), ulos};
    XML_SetUserData(p.get(), &j);
    XML_SetElementHandler(p.get(), alkaa, loppuu);
    XML_SetCharacterDataHandler(p.get(), tekstia);
    XML_SetEntityDeclHandler(p.get(), entiteetti);
    XML_SetParamEntityParsing(p.get(), XML_PARAM_ENTITY_PARSING_NEVER);
    constexpr std::size_t pala = 1 << 20;
    bool ok = true;
    for (std::size_t i = 0;; i += pala) {
        const std::size_t n = std::min(pala, xml.size() - i);
        const bool viimeinen = i + n >= xml.size();
        ok = XML_Parse(p.get(), xml.data() + i, static_cast<int>(n), viimeinen) == XML_STATUS_OK;
        if (!ok || viimeinen) break;
    }
    if (!j.virhe.empty()) return Tulos::virhe(22, j.virhe);
    if (!ok)
        return Tulos::virhe(23, "Tellico-tiedoston XML on vioittunut rivillä " +
                                    std::to_string(XML_GetCurrentLineNumber(p.get())) + ", sarakkeessa " +
                                    std::to_string(XML_GetCurrentColumnNumber(p.get()) + 1) + ".");
    if (!j.kokoelma) return Tulos::virhe(24, "Tiedosto ei ole Tellico-kokoelma: siinä ei ole kokoelmaa.");
    return Tulos::ok();
}

namespace {

Tulos lue_avattu_tellico(Tiedostojarjestelma& t, int fd, std::uint64_t koko, Tellicokokoelma& ulos) {
    std::array<char, 4> alku{};
    if (!lue_kaikki(t, fd, alku.data(), alku.size(), 0)) return Tulos::virhe(31, "Tiedosto ei ole Tellico-kokoelma.");
    if (std::memcmp(alku.data(), "PK\x03\x04", 4) == 0) {
        if (koko > suurin_tc) return Tulos::virhe(32, "Tiedosto on liian suuri tuotavaksi (yli 1024 Mt).");
        return lue_tc(t, fd, koko, ulos);
    }
    if (koko > suurin_xml) return Tulos::virhe(33, "Tiedosto on liian suuri tuotavaksi (yli 256 Mt).");
    std::string xml(static_cast<std::size_t>(koko), '\0');
    if (!lue_kaikki(t, fd, xml.data(), xml.size(), 0)) return Tulos::virhe(34, "Tiedostoa ei voi lukea kokonaan.");
    return lue_tellico_xml(xml, ulos);
}

}  // namespace

Tulos lue_tellico(Tiedostojarjestelma& t, const fs::path& p, Tellicokokoelma& ulos) {
    Tiedostotiedot tt;
    if (const Tulos r = t.tiedot(p, tt); !r || tt.kansio)
        return Tulos::virhe(30, "Tiedostoa ei voi lukea: " + merkisto::utf8_cp1252(std::generic_category().message(r ? EISDIR : r.syy)));
    const Kuvaaja k = t.avaa(p, O_RDONLY);
    if (!k.tulos) return Tulos::virhe(31, "Tiedosto ei ole Tellico-kokoelma.");
    Tulos tulos = lue_avattu_tellico(t, k.fd, tt.koko, ulos);
    t.sulje(k.fd);
    return tulos;
}
