#include "storage/tallennus.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>

#include "diag/loki.h"
#include "find/sorttaus.h"
#include "settings/asetukset.h"
#include "storage/kannet.h"
#include "storage/lataus.h"
#include "storage/runko.h"
#include "storage/zlbarkisto.h"

namespace fs = std::filesystem;

Tallennusvaihe tallennus_kaatuu_vaiheessa = Tallennusvaihe::Ei;

namespace {

bool kaatuu(Tallennusvaihe vaihe) { return tallennus_kaatuu_vaiheessa == vaihe; }

// Writes the body to the work file; the error code on failure.
int kirjoita_tyotiedosto(const fs::path& p, const TOmaList& l, diag::Kiire& kiire) {
    std::string runko;
    kirjoita_runko(l, runko);
    kiire.kasittele_viestit();
    errno = 0;
    std::FILE* f = kaatuu(Tallennusvaihe::Runko) ? nullptr : std::fopen(p.c_str(), "wb");
    if (!f) return errno ? errno : EACCES;
    const bool ok = std::fwrite(runko.data(), 1, runko.size(), f) == runko.size();
    const int koodi = errno;
    if (std::fclose(f) != 0 || !ok) return koodi ? koodi : EIO;
    return 0;
}

// Data on disk before the new file takes the old one's name, so a crash cannot leave an empty catalogue.
bool synkronoi(const fs::path& p) {
    const int fd = ::open(p.c_str(), O_RDONLY);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

bool pakkaa(const fs::path& valiaikainen, const std::vector<std::string>& nimet, const Varasto& v) {
    TZLBArchive zip;
    zip.CompressionLevel = TZLBCompressionLevel::Maximum;
    if (kaatuu(Tallennusvaihe::Pakkaus)) return false;
    ZlbTulos t = zip.Create(valiaikainen);
    if (t) {
        v.kiire.aseta_teksti("Kirjoitetaan [3/4]");
        v.kiire.kasittele_viestit();
        t = zip.AddFiles(nimet, v.kansio.juuri());
        // A file that cannot be read is skipped by the archive; without the body the catalogue would be lost.
        if (t && zip.etsi(tyotiedosto) < 0) t.virhe = zlb_virhe::ei_arkistossa;
    }
    v.kiire.aseta_teksti("Viimeistellään [4/4]");
    zip.Close();
    if (!t) kirjoita_debug_aina("[tallenna_tietokanta] " + t.virhe);
    return t && synkronoi(valiaikainen);
}

}  // namespace

void poista_nimettomat(const Varasto& v) {
    TOmaList& l = v.tk.kortit;
    for (int i = 1; i < l.Count();) {
        if (!l[i].nimi.empty()) {
            ++i;
            continue;
        }
        poista_kortti(l, i, v.kansio);
        kirjoita_debug_aina("KORTTI " + std::to_string(i) + " POISTETTU! SYY: Kortilla ei nimeä");
    }
    if (v.tk.nykyinen > l.korttien_maara()) v.tk.nykyinen = std::max(1, l.korttien_maara());
}

bool tallenna_tietokanta(const std::string& kohde, const Varasto& v) {
    TOmaList& l = v.tk.kortit;
    poista_nimettomat(v);
    v.kiire.kasittele_viestit();
    const bool sortattuna = v.asetukset ? v.asetukset->tallenna_sortattuna : TAsetukset{}.tallenna_sortattuna;
    if (sortattuna) {
        kirjoita_debug("Tallennetaan sortattuna... eli sortataan");
        jarjesta_tietokanta(v.tk, tallennuksen_avain(l), Suunta::Nouseva, v.viestit);
        v.paivita_lista();
    }

    const fs::path tyo = v.kansio.polku(tyotiedosto);
    const diag::KiireNakyvissa kiire(v.kiire);
    v.kiire.aseta_teksti("Tallennetaan kortit [1/4]");
    if (const int koodi = kirjoita_tyotiedosto(tyo, l, v.kiire)) {
        std::error_code ec;
        fs::remove(tyo, ec);
        v.viestit.virhe("Virhe (" + std::to_string(koodi) + ")! Tiedosto \"" + kohde +
                        "\" on kirjoitus suojattu tai käytössä toisessa sovelluksessa!\n"
                        "Ohjelma ohittaa virheen (tallennus peruutettu), ohjelman uudelleenkäynnistäminen on suositeltavaa.\n"
                        "Jos ongelma jatkuu, ota yhteys ohjelman tekijään.");
        return false;
    }

    // Covers that were only inside the old file are taken out so they can be packed again.
    avaa_kaikki_kannet(false, v);

    v.kiire.aseta_teksti("Luodaan kansikuvalista [2/4]");
    std::vector<std::string> nimet{tyotiedosto};
    for (int i = 1; i < l.Count(); ++i)
        if (!l[i].cover_fn.empty() && kansikuvan_polku(v.kansio, l[i].cover_fn)) nimet.push_back(l[i].cover_fn);
    kirjoita_debug("TiedostoLista:");
    for (const std::string& n : nimet) kirjoita_debug(n);
    kirjoita_debug("[EOL]");

    const fs::path kohdepolku = v.kansio.polku(kohde);
    fs::path valiaikainen = kohdepolku;
    valiaikainen += ".tallennus.tmp";
    std::error_code ec;
    bool ok = pakkaa(valiaikainen, nimet, v);
    if (ok && !kaatuu(Tallennusvaihe::Nimeaminen)) fs::rename(valiaikainen, kohdepolku, ec);
    else ec = std::make_error_code(std::errc::io_error);
    ok = ok && !ec;
    std::error_code poisto;
    fs::remove(tyo, poisto);
    if (!ok) {
        fs::remove(valiaikainen, poisto);
        v.viestit.virhe("Tiedoston tallennuksessa tapahtui virhe, yritä tallentaa tietokanta toisella nimellä\n"
                        "[Tiedosto -> Tallenna nimellä...]");
        return false;
    }
    v.tk.tiedosto = kohde;
    l.muutettu = false;
    return true;
}

bool tallenna_asetuksin(const std::string& kohde, Kansikuvat kannet, int laatu, bool puolita, const Varasto& v) {
    if (kannet == Kansikuvat::EiKansia) {
        TOmaList& l = v.tk.kortit;
        for (int i = 1; i < l.Count(); ++i) l[i].cover_fn.clear();
        poista_kannet(v.kansio);
    } else if (kannet == Kansikuvat::Jpg) {
        muunna_kannet_jpg(laatu, puolita, v);
    }
    return tallenna_tietokanta(kohde, v);
}
