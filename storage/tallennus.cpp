#include "storage/tallennus.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "diag/loki.h"
#include "storage/lajittelu.h"
#include "perus/tiedostot.h"
#include "settings/asetukset.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"
#include "storage/lataus.h"
#include "storage/runko.h"
#include "storage/zlbarkisto.h"

namespace fs = std::filesystem;

namespace {

// Writes the body to the work file a piece at a time, so the cards are not held twice.
Tulos kirjoita_tyotiedosto(Tiedostojarjestelma& t, const fs::path& p, const TOmaList& l, diag::Kiire& kiire) {
    const Kuvaaja a = t.avaa(p, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (!a.tulos) return a.tulos;
    Tulos virhe;
    kirjoita_runko(l, [&](std::string_view pala) {
        virhe = kirjoita_kaikki(t, a.fd, pala.data(), pala.size());
        kiire.kasittele_viestit();
        return virhe.onnistui();
    });
    if (Tulos s = t.sulje(a.fd); virhe) virhe = std::move(s);
    return virhe;
}

std::string syyrivi(const std::string& syy) { return syy.empty() ? std::string() : "\n\nSyy: " + syy; }

class Tallennus {
public:
    Tallennus(const std::string& kohde, Varasto& v) : kohde_(kohde), v_(v), t_(v.tj()) {}

    bool tallenna();

private:
    // The archive the covers that are not unpacked come from: the catalogue file as it is on disk.
    void avaa_lahde();
    Tulos tiedostolista(std::vector<std::string>& nimet);
    Tulos pakkaa(const fs::path& valiaikainen, const std::vector<std::string>& nimet);
    // A file the loader would refuse is not put in place of the old one.
    Tulos tarkista_rajat(const fs::path& valiaikainen, std::uint64_t purettavaa);
    Tulos vie(const fs::path& valiaikainen, const fs::path& kohdepolku);
    // Everything after the work file: the new archive under a name of its own, then in place of the old one.
    Tulos kirjoita_arkisto(const fs::path& kohdepolku, fs::path& valiaikainen);

    const std::string& kohde_;
    Varasto& v_;
    Tiedostojarjestelma& t_;
    TZLBArchive lahde_{t_};
    TZLBArchive* lahde_kaytossa_ = nullptr;  // lahde_, or the open catalogue's kept archive
    bool lahde_katsottu_ = false;
    std::string lahteen_virhe_;  // why the catalogue file could not be read for covers
};

void Tallennus::avaa_lahde() {
    lahde_katsottu_ = true;
    const std::string& nimi = v_.tk().tiedosto;
    if (nimi.empty() || !on_tavallinen(t_, v_.kansio.polku(nimi)) || !on_arkisto(nimi, v_.kansio)) return;
    // The archive kept since the catalogue was opened was checked then and needs no second reading of the file.
    const auto& pidetty = v_.tk().arkisto;
    if (pidetty && &pidetty->tiedostot() == &t_ && pidetty->FileName() == v_.kansio.polku(nimi) && pidetty->ennallaan()) {
        lahde_kaytossa_ = pidetty.get();
        return;
    }
    if (const Tulos t = lahde_.Open(v_.kansio.polku(nimi)); !t)
        lahteen_virhe_ = "tietokantatiedostoa " + nimi + " ei voi lukea (" + syyn_teksti(t) + ")";
    else lahde_kaytossa_ = &lahde_;
}

Tulos Tallennus::tiedostolista(std::vector<std::string>& nimet) {
    const TOmaList& l = v_.tk().kortit;
    nimet = {tyotiedosto};
    for (int i = 1; i < l.Count(); ++i) {
        const std::string& kansi = l[i].cover_fn;
        if (kansi.empty() || !kansikuvan_polku(v_.kansio, kansi)) continue;
        nimet.push_back(kansi);
        if (kansikuva_olemassa(v_.kansio, kansi)) continue;
        // The catalogue file is read only when some cover is not unpacked.
        if (!lahde_katsottu_) avaa_lahde();
        // Without its source the cover could only be dropped, which the user did not ask for.
        if (!lahteen_virhe_.empty()) return Tulos::virhe(-1, "kansikuvaa " + kansi + " ei ole purettu ja " + lahteen_virhe_);
    }
    kirjoita_debug("TiedostoLista:");
    for (const std::string& n : nimet) kirjoita_debug(n);
    kirjoita_debug("[EOL]");
    return Tulos::ok();
}

Tulos Tallennus::pakkaa(const fs::path& valiaikainen, const std::vector<std::string>& nimet) {
    TZLBArchive zip(t_);
    zip.CompressionLevel = TZLBCompressionLevel::Maximum;
    Tulos t = zip.Create(valiaikainen);
    if (t) {
        v_.kiire.aseta_teksti("Kirjoitetaan [3/4]");
        v_.kiire.kasittele_viestit();
        t = zip.AddFiles(nimet, v_.kansio.juuri(), lahde_kaytossa_);
        // A file that cannot be read is skipped by the archive; without the body the catalogue would be lost.
        if (t && zip.etsi(tyotiedosto) < 0) t = zlb_tulos(zlb_virhe::ei_arkistossa);
    }
    std::uint64_t purettavaa = 0;
    for (const TZLBEntry& e : zip.entries()) purettavaa += e.koko;
    v_.kiire.aseta_teksti("Viimeistellään [4/4]");
    zip.Close();
    if (!t) {
        kirjoita_debug_aina("[tallenna_tietokanta] " + t.viesti);
        return Tulos{t.koodi, syyn_teksti(t), t.syy};
    }
    if (!zip.ohitetut().empty()) {
        const auto& [nimi, syy] = zip.ohitetut().front();
        kirjoita_debug_aina("[tallenna_tietokanta] " + nimi + ": " + jarjestelman_syy(syy));
        return Tulos::jarjestelma(syy, (nimi == tyotiedosto ? "tallennettavaa tekstiä" : "kansikuvaa " + nimi) +
                                           " ei voitu lukea (" + jarjestelman_syy(syy) + ")");
    }
    return tarkista_rajat(valiaikainen, purettavaa);
}

Tulos Tallennus::tarkista_rajat(const fs::path& valiaikainen, std::uint64_t purettavaa) {
    Tiedostotiedot tt;
    if (Tulos e = t_.tiedot(valiaikainen, tt); !e) return e;
    // The body ends every card with a separator, and the loader counts one card more than separators.
    const auto kortteja = static_cast<std::uint64_t>(v_.tk().kortit.Count());
    Tulos raja = purkurajan_tarkistus(tt.koko, purettavaa, v_.purkurajat);
    if (raja) raja = korttirajan_tarkistus(tt.koko, kortteja, v_.purkurajat);
    if (!raja) {
        kirjoita_debug_aina("[tallenna_tietokanta] " + raja.viesti);
        return Tulos::virhe(-1, "tallennettua tietokantaa ei voisi avata, koska " + raja.viesti +
                                    ". Lyhennä pitkiä tekstejä tai jaa kortit useampaan tietokantaan");
    }
    return raja;
}

Tulos Tallennus::vie(const fs::path& valiaikainen, const fs::path& kohdepolku) {
    // The new file takes the old one's permissions and owner before it takes its name.
    if (const Kuvaaja a = t_.avaa(valiaikainen, O_RDONLY); a.tulos) {
        kopioi_oikeudet(t_, a.fd, kohdepolku);
        t_.sulje(a.fd);
    }
    if (Tulos e = t_.nimea(valiaikainen, kohdepolku); !e) return e;
    synkronoi_kansio(t_, kohdepolku.parent_path());
    return Tulos::ok();
}

Tulos Tallennus::kirjoita_arkisto(const fs::path& kohdepolku, fs::path& valiaikainen) {
    // Files of saves that a crash or kill cut short would otherwise pile up beside the catalogue.
    siivoa_keskeneraiset(t_, kohdepolku.parent_path());
    fs::path vanha_malli = kohdepolku;
    vanha_malli += ".tallennus.tmp";
    t_.poista(vanha_malli);

    v_.kiire.aseta_teksti("Luodaan kansikuvalista [2/4]");
    std::vector<std::string> nimet;
    if (Tulos t = tiedostolista(nimet); !t) return t;
    // A name of its own for every save, so nothing a crash left behind can block the next one.
    const Kuvaaja a = luo_valiaikainen(t_, kohdepolku, valiaikainen);
    if (!a.tulos) return a.tulos;
    t_.sulje(a.fd);
    t_.poista(valiaikainen);
    if (Tulos t = pakkaa(valiaikainen, nimet); !t) return t;
    return vie(valiaikainen, kohdepolku);
}

bool Tallennus::tallenna() {
    TOmaList& l = v_.tk().kortit;
    odota_kannet(v_.tk());
    poista_nimettomat(v_);
    v_.kiire.kasittele_viestit();
    const bool sortattuna = v_.asetukset ? v_.asetukset->tallenna_sortattuna : TAsetukset{}.tallenna_sortattuna;
    if (sortattuna) {
        kirjoita_debug("Tallennetaan sortattuna... eli sortataan");
        jarjesta_tietokanta(v_.tk(), tallennuksen_vertailu(l), Suunta::Nouseva, v_.viestit);
        v_.paivita_lista();
    }

    // A link is saved through: replacing it with a file would leave the real catalogue old.
    const fs::path kohdepolku = linkin_kohde(t_, v_.kansio.polku(kohde_));
    Tiedostotiedot vanha;
    if (t_.tiedot(kohdepolku, vanha) && vanha.tavallinen && kirjoitussuojattu(t_, kohdepolku, vanha) &&
        v_.viestit.kysy(diag::Laji::Varoitus, "Tiedosto \"" + kohde_ +
                                                  "\" on kirjoitussuojattu.\nTallennetaanko silti sen päälle?") !=
            diag::Vastaus::Kylla) {
        kirjoita_debug_aina("[tallenna_tietokanta] kirjoitussuojattu kohde, tallennus peruttu: " + kohde_);
        return false;
    }

    const fs::path tyo = v_.kansio.polku(tyotiedosto);
    std::optional<diag::KiireNakyvissa> kiire(std::in_place, v_.kiire);
    v_.kiire.aseta_teksti("Tallennetaan kortit [1/4]");
    if (const Tulos kirjoitus = kirjoita_tyotiedosto(t_, tyo, l, v_.kiire); !kirjoitus) {
        t_.poista(tyo);
        kiire.reset();
        v_.viestit.virhe("Virhe (" + std::to_string(kirjoitus.syy) + ")! Tiedosto \"" + kohde_ +
                         "\" on kirjoitus suojattu tai käytössä toisessa sovelluksessa!\n"
                         "Ohjelma ohittaa virheen (tallennus peruutettu), ohjelman uudelleenkäynnistäminen on suositeltavaa.\n"
                         "Jos ongelma jatkuu, ota yhteys ohjelman tekijään." +
                         syyrivi(kirjoitus.viesti));
        return false;
    }

    fs::path valiaikainen;
    if (const Tulos t = kirjoita_arkisto(kohdepolku, valiaikainen); !t) {
        lahde_.Close();
        if (!valiaikainen.empty()) t_.poista(valiaikainen);
        t_.poista(tyo);
        kiire.reset();
        v_.viestit.virhe(std::string(tallennusvirheen_alku) + syyrivi(t.viesti));
        return false;
    }
    lahde_.Close();
    t_.poista(tyo);
    kiire.reset();
    v_.tk().tiedosto = kohde_;
    l.muutettu = false;
    return true;
}

}  // namespace

void poista_nimettomat(Varasto& v) {
    TOmaList& l = v.tk().kortit;
    for (int i = 1; i < l.Count();) {
        if (!l[i].nimi.empty()) {
            ++i;
            continue;
        }
        poista_kortti(l, i, v.kansio);
        kirjoita_debug_aina("KORTTI " + std::to_string(i) + " POISTETTU! SYY: Kortilla ei nimeä");
    }
    if (v.tk().nykyinen > l.korttien_maara()) v.tk().nykyinen = std::max(1, l.korttien_maara());
}

bool tallenna_tietokanta(const std::string& kohde, Varasto& v) { return Tallennus(kohde, v).tallenna(); }

bool tallenna_asetuksin(const std::string& kohde, Kansikuvat kannet, int laatu, bool puolita, Varasto& v) {
    if (kannet == Kansikuvat::EiKansia) {
        TOmaList& l = v.tk().kortit;
        for (int i = 1; i < l.Count(); ++i) l[i].cover_fn.clear();
        keskeyta_kannet(v.tk());
        poista_kannet(v.kansio);
    } else if (kannet == Kansikuvat::Jpg) {
        muunna_kannet_jpg(laatu, puolita, v);
    }
    return tallenna_tietokanta(kohde, v);
}
