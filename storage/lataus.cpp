#include "storage/lataus.h"

#include <chrono>
#include <fstream>
#include <new>
#include <thread>
#include <unordered_set>

#include "diag/loki.h"
#include "perus/teksti.h"
#include "perus/tiedostot.h"
#include "storage/kannet.h"
#include "storage/korjaus.h"
#include "storage/runko.h"
#include "storage/zlbarkisto.h"

namespace fs = std::filesystem;

std::uintmax_t tiedoston_koko(const std::string& nimi, const Ohjelmakansio& kansio) {
    std::error_code ec;
    const auto koko = fs::file_size(kansio.polku(nimi), ec);
    if (!ec) return koko;
    kirjoita_debug_aina("!! update, function tiedoston koko ei löytänyt parametritiedostoa");
    return 0;
}

bool on_arkisto(const std::string& nimi, const Ohjelmakansio& kansio) {
    std::ifstream f(kansio.polku(nimi), std::ios::binary);
    char alku[10] = {};
    f.read(alku, sizeof alku);
    if (tiedoston_koko(nimi, kansio) < 50) return false;
    return std::string_view(alku, static_cast<std::size_t>(f.gcount())) != "Hae Rullak";
}

std::string vahingoittuneen_viesti() {
    return "VIRHE: Avaamasi tietokanta on vahingoittunut tai avaus epäonnistui! Jos yrität avata tietokantaa joka on "
           "tallennettu\nvanhemmalla ohjelmaversiolla (alle 1.15), avaa tietokanta painamalla Ctrl+Alt+W ohjelmassa.";
}

namespace {

constexpr std::uintmax_t vahin_vapaa_tila = 4000ull * 1024;

// What a file of a given size can honestly hold. A body of near-empty cards packs about fifty to one and
// costs about five packed bytes a card; covers hardly pack at all. Beyond these a small file was made to
// exhaust the memory or the disk, and it is refused before anything is unpacked.
constexpr std::uint64_t suurin_purkusuhde = 128;
constexpr std::uint64_t purkuvara = 1u << 20;
constexpr std::uint64_t tavua_korttia_kohden = 2;
constexpr std::uint64_t korttivara = 1000;

std::uint64_t purkubudjetti(std::uint64_t tiedoston_koko) { return tiedoston_koko * suurin_purkusuhde + purkuvara; }

enum class Tapa { Avaus, Liitos, Hiljaa };

class Lataaja {
public:
    Lataaja(const std::string& nimi, Tapa tapa, TOmaList& lista, const Varasto& v, bool pelkka_runko)
        : nimi_(nimi), tapa_(tapa), lista_(lista), v_(v), pelkka_runko_(pelkka_runko),
          tyo_(v.kansio.polku(tyotiedosto)) {}

    bool lataa();
    // The damaged-file path with the reason in the log.
    bool hylkaa(const std::string& syy);

private:
    bool avaus() const { return tapa_ == Tapa::Avaus; }

    // The failure paths leave the placeholder and one empty card for the window to show. A file being
    // merged is not the open one, so then the open catalogue is left as it was.
    void yksi_tyhja_kortti() {
        if (tapa_ == Tapa::Liitos) return;
        if (avaus()) v_.tk.tyhjenna();
        lista_.tyhjenna();
        lista_.lisaa_uusi();
    }

    // Set when the load went on as a recovery from the work file; holds that load's outcome.
    std::optional<bool> kaatumismerkki();
    bool pura_arkisto();
    bool lue_runko_tiedostosta(bool arkisto);
    void kerro_purkamattomat();
    void poista_tyotiedosto() {
        std::error_code ec;
        fs::remove(tyo_, ec);
    }

    const std::string& nimi_;
    Tapa tapa_;
    TOmaList& lista_;
    const Varasto& v_;
    bool pelkka_runko_;
    fs::path tyo_;
    std::optional<Kansiolistaus> kannet_;  // gfx\kannet\ as read once for this load
    std::optional<Kansikierratys> kierratys_;  // the covers of the catalogue open before, at an open
    std::uint64_t tiedoston_koko_ = 0;
    // Covers that are in the archive but could not be unpacked (lower case), and the first failure.
    std::unordered_set<std::string> purkamatta_;
    std::string eka_purkamaton_;
    int purkuvirhe_ = 0;
    std::string runko_;  // the body member of an archive, unpacked
};

std::optional<bool> Lataaja::kaatumismerkki() {
    Tiedostojarjestelma& t = v_.tj();
    if (!on_olemassa(t, tyo_)) return std::nullopt;
    const diag::Vastaus vastaus = v_.viestit.kysy(
        diag::Laji::Virhe,
        "VIRHE: Ohjelmaa kaatui viimeksi tallennus/luku hetkellä!\nHaluatko yrittää jatkaa tietokannan käsittelyä?\n"
        "Huom: Tietokanta saattaa olla pahasti vahingoittunut, joten ei\nkannata tallentaa sitä minkään tietokannan päälle!");
    if (vastaus == diag::Vastaus::Kylla) {
        const fs::path palautus = v_.kansio.polku(palautustiedosto);
        t.poista(palautus);
        if (t.nimea(tyo_, palautus) == 0) {
            // The work file holds a plain body, whatever its size.
            return Lataaja(palautustiedosto, Tapa::Avaus, lista_, v_, true).lataa();
        }
    } else {
        t.poista(tyo_);
    }
    if (on_olemassa(t, tyo_))
        v_.viestit.virhe("Virhe #2342: Tiedostolle ei saada kirjoitus oikeuksia, käynnistä kone uudelleen!");
    return std::nullopt;
}

bool Lataaja::pura_arkisto() {
    kirjoita_debug("[ZIP opened]");
    auto zip = std::make_shared<TZLBArchive>(v_.tj());
    aseta_purku(*zip);
    ZlbTulos tulos = zip->Open(v_.kansio.polku(nimi_));
    std::uint64_t purettavaa = 0;
    if (tulos)
        for (const TZLBEntry& e : zip->entries()) purettavaa += e.koko;
    if (tulos && purettavaa > purkubudjetti(tiedoston_koko_)) {
        kirjoita_debug("[ZIP closed]");
        kirjoita_debug_aina("[lue_tietueet] " + std::to_string(tiedoston_koko_) + " tavun arkisto purkautuisi " +
                            std::to_string(purettavaa) + " tavuksi");
        return false;
    }
    // Only the body and covers are taken out: nothing else belongs in a catalogue file. The body is read in
    // memory; the cards point into it until they are changed.
    if (tulos) {
        const int runko = zip->etsi(tyotiedosto);
        tulos = runko < 0 ? ZlbTulos{zlb_virhe::ei_arkistossa}
                          : zip->lue_jasen(static_cast<std::size_t>(runko), runko_, rungon_vara);
    }
    if (tulos && v_.kannet_heti()) {
        kannet_.emplace(listaa_kannet(v_.kansio, v_.tj()));
        diag::EiKiiretta hiljaa;
        int syy = 0;
        // The card keeps the cover's name: the cover is still in the file and a save copies it from there.
        for (const std::string& jasen :
             pura_arkiston_kannet(*zip, *kannet_, tapa_ == Tapa::Hiljaa ? hiljaa : v_.kiire, &syy,
                                  kierratys_ ? &*kierratys_ : nullptr)) {
            if (purkamatta_.insert(pienet_cp1252(jasen)).second && eka_purkamaton_.empty()) {
                eka_purkamaton_ = jasen;
                purkuvirhe_ = syy;
            }
        }
    }
    kirjoita_debug("[ZIP closed]");
    if (tulos) {
        // The open catalogue keeps its file's archive, so a cover shown later needs no second check of the file.
        if (avaus() && arkiston_voi_pitaa(v_)) v_.tk.arkisto = std::move(zip);
        return true;
    }
    kirjoita_debug_aina("[lue_tietueet] " + tulos.virhe +
                        (tulos.syy ? " (" + jarjestelman_syy(tulos.syy) + ")" : std::string()));
    return false;
}

void Lataaja::kerro_purkamattomat() {
    if (purkamatta_.empty()) return;
    v_.viestit.virhe("Kaikkia kansikuvia ei voitu purkaa (" + std::to_string(purkamatta_.size()) + " kpl, ensimmäinen " +
                     eka_purkamaton_ + ")" + (purkuvirhe_ ? ": " + jarjestelman_syy(purkuvirhe_) : std::string()) +
                     ".\nKortit säilyttävät kansikuvansa, ja tallennettaessa ne otetaan tietokantatiedostosta.");
}

bool Lataaja::hylkaa(const std::string& syy) {
    kirjoita_debug_aina("[lue_tietueet] " + nimi_ + " hylätään: " + syy);
    v_.viestit.virhe(vahingoittuneen_viesti());
    poista_tyotiedosto();
    yksi_tyhja_kortti();
    return false;
}

bool Lataaja::lataa() {
    if (nimi_.empty()) {
        v_.viestit.virhe("Virhe! Funktio lue_tietueet ei saanut tiedostoparametriä!");
        return false;
    }
    const fs::path tiedosto = v_.kansio.polku(nimi_);
    Tiedostotiedot tt;
    if (v_.tj().tiedot(tiedosto, tt) != 0 || !tt.tavallinen) {
        v_.viestit.virhe(puuttuvan_tiedoston_viesti(nimi_, false));
        if (avaus()) yksi_tyhja_kortti();
        return false;
    }
    tiedoston_koko_ = tt.koko;
    std::uint64_t vapaana = 0;
    if (v_.tj().vapaa_tila(v_.kansio.juuri(), vapaana) == 0 && vapaana < vahin_vapaa_tila)
        v_.viestit.virhe("VIHE: Asemalla johon Rullakko on asennettu ei ole tarpeeksi\n"
                         "tyhjää tilaa! Tietokannan käsittelyssä saattaa hukkua tietoja!");
    if (const auto palautettu = kaatumismerkki()) return *palautettu;

    if (avaus()) {
        if (v_.kannet_heti()) kierratys_.emplace(v_.kansio, v_.tj());
        else poista_kannet(v_.kansio);
        lista_.muutettu = false;
        v_.tk.tyhjenna();
        v_.tk.arkisto.reset();
    }
    std::optional<diag::KiireNakyvissa> kiire;
    if (tapa_ != Tapa::Hiljaa && v_.kannet_heti()) kiire.emplace(v_.kiire);

    const bool arkisto = !pelkka_runko_ && on_arkisto(nimi_, v_.kansio);
    if (arkisto && !pura_arkisto()) {
        v_.viestit.virhe(vahingoittuneen_viesti());
        poista_tyotiedosto();
        yksi_tyhja_kortti();
        return false;
    }
    kerro_purkamattomat();
    return lue_runko_tiedostosta(arkisto);
}

bool Lataaja::lue_runko_tiedostosta(bool arkisto) {
    const fs::path runko = arkisto ? tyo_ : v_.kansio.polku(nimi_);
    std::string teksti;
    if (arkisto) {
        teksti = std::move(runko_);
    } else if (const Tulos luku = lue_koko_tiedosto(v_.tj(), runko, teksti); !luku) {
        teksti.clear();
        v_.viestit.virhe(lukuvirheen_viesti(luku.koodi));
    }
    // Cards are counted before any is made: a card block can be one short line, and millions of them
    // pack into a few hundred kilobytes.
    std::uint64_t kortteja = 1;
    for (std::size_t i = teksti.find(kortin_erotin); i != std::string::npos; i = teksti.find(kortin_erotin, i + 1)) ++kortteja;
    if (kortteja > tiedoston_koko_ / tavua_korttia_kohden + korttivara)
        return hylkaa(std::to_string(tiedoston_koko_) + " tavun tiedostossa on " + std::to_string(kortteja) + " korttia");

    if (teksti.size() < lyhin_runko && tapa_ != Tapa::Hiljaa) {
        liian_lyhyt_runko(nimi_, teksti.size());
        poista_tyotiedosto();
        if (tapa_ == Tapa::Liitos) return false;
        yksi_tyhja_kortti();
        v_.tk.tiedosto = nimi_;
        return false;
    }
    korjaa_0D0D0A(runko, teksti, v_);

    RungonLuku luku;
    luku.tiedoston_nimi = nimi_;
    luku.liitos = tapa_ == Tapa::Liitos;
    if (v_.kannet_heti()) {
        const bool tauko = v_.debug_nakyvissa && v_.debug_nakyvissa();
        luku.kansi_olemassa = [this, tauko](const std::string& kansi) {
            // Lets a person follow the cover names in the debug window.
            if (tauko) std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (!kannet_) kannet_.emplace(listaa_kannet(v_.kansio, v_.tj()));
            return kansikuva_olemassa(*kannet_, kansi) || purkamatta_.count(pienet_cp1252(kansi)) > 0;
        };
    }
    // Damage shows in the header, before any card is added, so a damaged merged file adds nothing.
    const RungonTila tila = lue_runko(std::move(teksti), lista_, luku, v_.viestit);
    poista_tyotiedosto();
    if (tila == RungonTila::Vahingoittunut) {
        v_.viestit.virhe(vahingoittuneen_viesti());
        yksi_tyhja_kortti();
        return false;
    }
    if (tapa_ != Tapa::Liitos && lista_.korttien_maara() == 0) lista_.lisaa_uusi();
    kirjoita_debug("Suljetaan tietokanta");
    if (avaus()) {
        v_.tk.tiedosto = nimi_;
        if (v_.myohastymiset_kaytossa() && v_.tarkista_myohastymiset) v_.tarkista_myohastymiset();
    }
    if (tapa_ == Tapa::Liitos) lista_.muutettu = true;
    v_.paivita_lista();
    return true;
}

}  // namespace

bool lue_tietueet(const std::string& nimi, bool liitos, bool hiljaa, TOmaList& lista, const Varasto& v) {
    Lataaja lataaja(nimi, liitos ? Tapa::Liitos : hiljaa ? Tapa::Hiljaa : Tapa::Avaus, lista, v, false);
    const int ennen = lista.Count();
    try {
        return lataaja.lataa();
    } catch (const std::bad_alloc&) {
        // The cards read so far are freed first, so the refusal itself has memory to work with; a merge
        // gives back only what it added.
        if (liitos) lista.sisus().resize(static_cast<std::size_t>(std::min(ennen, lista.Count())));
        else lista.tyhjenna();
        return lataaja.hylkaa(jarjestelman_syy(ENOMEM));
    }
}
