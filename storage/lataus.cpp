#include "storage/lataus.h"

#include <fcntl.h>

#include <chrono>
#include <future>
#include <new>
#include <thread>
#include <unordered_set>

#include "diag/loki.h"
#include "perus/teksti.h"
#include "perus/tiedostot.h"
#include "storage/avoimen_kannet.h"
#include "storage/kannet.h"
#include "storage/kansipurku.h"
#include "storage/korjaus.h"
#include "storage/purkurajat.h"
#include "storage/runko.h"
#include "storage/zlbarkisto.h"

namespace fs = std::filesystem;

std::uintmax_t tiedoston_koko(const std::string& nimi, const Ohjelmakansio& kansio) {
    Tiedostotiedot tt;
    if (kansio.tiedostot().tiedot(kansio.polku(nimi), tt) && tt.tavallinen) return tt.koko;
    kirjoita_debug_aina("!! update, function tiedoston koko ei löytänyt parametritiedostoa");
    return 0;
}

bool on_arkisto(const std::string& nimi, const Ohjelmakansio& kansio) {
    Tiedostojarjestelma& t = kansio.tiedostot();
    char alku[10] = {};
    std::size_t luettu = 0;
    if (const Kuvaaja a = t.avaa(kansio.polku(nimi), O_RDONLY); a.tulos) {
        if (const Siirretty s = t.lue(a.fd, alku, sizeof alku, 0); s.tulos) luettu = s.tavuja;
        t.sulje(a.fd);
    }
    if (tiedoston_koko(nimi, kansio) < 50) return false;
    return std::string_view(alku, luettu) != "Hae Rullak";
}

std::string vahingoittuneen_viesti() {
    return "VIRHE: Avaamasi tietokanta on vahingoittunut tai avaus epäonnistui! Jos yrität avata tietokantaa joka on "
           "tallennettu\nvanhemmalla ohjelmaversiolla (alle 1.15), avaa tietokanta painamalla Ctrl+Alt+W ohjelmassa.";
}

namespace {

constexpr std::uintmax_t vahin_vapaa_tila = 4000ull * 1024;

enum class Tapa { Avaus, Liitos, Hiljaa };

// Messages held back until the file has passed its checks, then shown in the order they came.
class Viivastetyt final : public diag::Viestit {
public:
    explicit Viivastetyt(diag::Viestit& v) : v_(v) {}
    void nayta(diag::Laji laji, const std::string& teksti, const std::string& otsikko) override {
        jono_.push_back({laji, teksti, otsikko});
    }
    // A question cannot wait for its answer.
    diag::Vastaus kysy(diag::Laji laji, const std::string& teksti, bool peruutettava, const std::string& otsikko) override {
        return v_.kysy(laji, teksti, peruutettava, otsikko);
    }
    void nayta_kaikki() {
        for (const Viesti& m : jono_) v_.nayta(m.laji, m.teksti, m.otsikko);
        jono_.clear();
    }

private:
    struct Viesti {
        diag::Laji laji;
        std::string teksti, otsikko;
    };
    diag::Viestit& v_;
    std::vector<Viesti> jono_;
};

class Lataaja {
public:
    Lataaja(const std::string& nimi, Tapa tapa, TOmaList& lista, Varasto& v, bool pelkka_runko)
        : nimi_(nimi), tapa_(tapa), lista_(lista), v_(v), pelkka_runko_(pelkka_runko),
          tyo_(v.kansio.polku(tyotiedosto)) {}

    bool lataa();
    // A file that is sound but beyond a limit: the user is told which.
    bool hylkaa_raja(const std::string& syy);

private:
    bool avaus() const { return tapa_ == Tapa::Avaus; }

    // The failure paths leave the placeholder and one empty card for the window to show. A file being
    // merged is not the open one, so then the open catalogue is left as it was.
    void yksi_tyhja_kortti() {
        if (tapa_ == Tapa::Liitos) return;
        if (avaus()) v_.tk().tyhjenna();
        lista_.tyhjenna();
        lista_.lisaa_uusi();
    }

    // Set when the load went on as a recovery from the work file; holds that load's outcome.
    std::optional<bool> kaatumismerkki();
    bool pura_arkisto();
    // Unpacks and reads the catalogue while the busy window is up.
    bool lue_kiireessa();
    bool lue_runko_tiedostosta(bool arkisto);
    bool lue_virrasta();
    bool runko_luettu(RungonTila tila);
    bool tuplatut_rivinvaihdot();
    Tulos viimeistele_purku();
    bool purku_epaonnistui(const Tulos& t);
    void pida_arkisto() {
        if (avaus() && arkiston_voi_pitaa(v_)) v_.tk().arkisto = std::move(zip_);
        zip_.reset();
    }
    // With covers unpacked at open: the cover folder as it is and as it will be once the file's covers are out.
    void listaa_kannet_ja_tulevat();
    // With covers unpacked at open: an open leaves them to the catalogue's unpacking, which starts once the
    // first card is shown; a merge or a quiet load unpacks them here and reports those that failed.
    void pura_kannet();
    // Whether a card's cover name is kept at an open that unpacks covers.
    bool kansi_tallella(const std::string& kansi);
    RungonLuku rungon_luku();
    void kerro_purkamattomat();
    void poista_tyotiedosto() { v_.tj().poista(tyo_); }

    const std::string& nimi_;
    Tapa tapa_;
    TOmaList& lista_;
    Varasto& v_;
    bool pelkka_runko_;
    fs::path tyo_;
    std::optional<Kansiolistaus> kannet_;  // gfx\kannet\ as read once for this load
    std::optional<Kansiolistaus> tulevat_;  // the same with the file's covers still to be unpacked
    std::unique_ptr<Kansikierratys> kierratys_;  // the covers of the catalogue open before, at an open
    std::uint64_t tiedoston_koko_ = 0;
    // Covers that are in the archive but could not be unpacked, also as a set of lower-case names.
    Purkamattomat purkamatta_;
    std::unordered_set<std::string> purkamattomat_nimet_;
    // The overdue check waits until the busy window is gone: its question must not open under it.
    bool tarkista_myohastymiset_ = false;
    std::string rajan_syy_;  // why a sound file was refused as beyond a limit
    std::string runko_;  // the body member of an archive, unpacked
    // Without covers to unpack at open: the archive whose CRC is still to be checked, and its body being
    // unpacked on another thread.
    std::shared_ptr<TZLBArchive> zip_;
    std::unique_ptr<Jasenvirta> virta_;
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
        if (t.nimea(tyo_, palautus)) {
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
    // The file's CRC is counted while the body is read; covers wait until the check has passed.
    Tulos tulos = zip->Open(v_.kansio.polku(nimi_), false);
    // A damaged file is reported as damaged whatever else is wrong with it.
    const auto vika = [&](Tulos t) {
        if (!t && zip->auki())
            if (Tulos crc = zip->tarkista_tiedosto(); !crc) return crc;
        return t;
    };
    std::uint64_t purettavaa = 0;
    if (tulos)
        for (const TZLBEntry& e : zip->entries()) purettavaa += e.koko;
    if (tulos) {
        if (Tulos raja = purkurajan_tarkistus(tiedoston_koko_, purettavaa, v_.purkurajat); !raja) {
            tulos = zip->tarkista_tiedosto();
            if (tulos) {
                kirjoita_debug("[ZIP closed]");
                rajan_syy_ = std::move(raja.viesti);
                kirjoita_debug_aina("[lue_tietueet] " + nimi_ + " hylätään: " + rajan_syy_);
                return false;
            }
        }
    }
    // Only the body and covers are taken out: nothing else belongs in a catalogue file. The body is read in
    // memory; the cards point into it until they are changed.
    if (tulos) {
        const int runko = zip->etsi(tyotiedosto);
        if (runko < 0) tulos = vika(zlb_tulos(zlb_virhe::ei_arkistossa));
        else tulos = vika(zip->pura_taustalla(static_cast<std::size_t>(runko), virta_, rungon_vara));
    }
    if (tulos) {
        // The open catalogue keeps its file's archive, so a cover shown later needs no second check of the file.
        zip_ = std::move(zip);
        if (!v_.kannet_heti()) kirjoita_debug("[ZIP closed]");
        return true;
    }
    kirjoita_debug("[ZIP closed]");
    kirjoita_debug_aina("[lue_tietueet] " + viesti_ja_syy(tulos));
    return false;
}

void Lataaja::listaa_kannet_ja_tulevat() {
    kannet_.emplace(listaa_kannet(v_.kansio, v_.tj()));
    tulevat_.emplace(*kannet_);
    for (const TZLBEntry& e : zip_->entries())
        if (const auto tiedosto = kansikuvan_tiedosto(e.koko_nimi())) tulevat_->lisaa(*tiedosto);
}

void Lataaja::pura_kannet() {
    if (!v_.kannet_heti()) return;
    if (!kannet_) kannet_.emplace(listaa_kannet(v_.kansio, v_.tj()));
    // Only the real file system lives as long as the catalogue that would keep unpacking through it.
    if (avaus() && arkiston_voi_pitaa(v_)) {
        v_.tk().kansipurku = std::make_shared<Kansipurku>(zip_, std::move(*kannet_), std::move(kierratys_), v_.kiire,
                                                        v_.viestit);
        kannet_.reset();
        return;
    }
    diag::EiKiiretta hiljaa;
    // The card keeps the cover's name: the cover is still in the file and a save copies it from there.
    const Purkamattomat p = pura_arkiston_kannet(*zip_, *kannet_, tapa_ == Tapa::Hiljaa ? hiljaa : v_.kiire, kierratys_.get());
    purkamatta_ = p;
    for (const std::string& jasen : p.jasenet) purkamattomat_nimet_.insert(pienet_cp1252(jasen));
    kirjoita_debug("[ZIP closed]");
    kerro_purkamattomat();
}

bool Lataaja::kansi_tallella(const std::string& kansi) {
    if (!kannet_) kannet_.emplace(listaa_kannet(v_.kansio, v_.tj()));
    return kansikuva_olemassa(tulevat_ ? *tulevat_ : *kannet_, kansi) || purkamattomat_nimet_.count(pienet_cp1252(kansi)) > 0;
}

void Lataaja::kerro_purkamattomat() {
    if (!purkamatta_.jasenet.empty()) v_.viestit.virhe(purkamattomien_viesti(purkamatta_));
}

bool Lataaja::hylkaa_raja(const std::string& syy) {
    kirjoita_debug_aina("[lue_tietueet] " + nimi_ + " hylätään: " + syy);
    v_.viestit.virhe(rajan_ylityksen_viesti(nimi_, syy));
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
    if (!v_.tj().tiedot(tiedosto, tt) || !tt.tavallinen) {
        v_.viestit.virhe(puuttuvan_tiedoston_viesti(nimi_, false));
        if (avaus()) yksi_tyhja_kortti();
        return false;
    }
    tiedoston_koko_ = tt.koko;
    std::uint64_t vapaana = 0;
    if (v_.tj().vapaa_tila(v_.kansio.juuri(), vapaana) && vapaana < vahin_vapaa_tila)
        v_.viestit.virhe("VIHE: Asemalla johon Rullakko on asennettu ei ole tarpeeksi\n"
                         "tyhjää tilaa! Tietokannan käsittelyssä saattaa hukkua tietoja!");
    if (const auto palautettu = kaatumismerkki()) return *palautettu;

    // A merge adds to the folder the open catalogue is still unpacking into; an open replaces it.
    if (!avaus()) odota_kannet(v_.tk());
    if (avaus()) {
        keskeyta_kannet(v_.tk());
        if (v_.kannet_heti()) kierratys_ = std::make_unique<Kansikierratys>(v_.kansio, v_.tj());
        else poista_kannet(v_.kansio);
        lista_.muutettu = false;
        v_.tk().tyhjenna();
        v_.tk().arkisto.reset();
    }
    const bool luettu = lue_kiireessa();
    if (tarkista_myohastymiset_) v_.ikkuna.tarkista_myohastymiset();
    return luettu;
}

bool Lataaja::lue_kiireessa() {
    std::optional<diag::KiireNakyvissa> kiire;
    if (tapa_ != Tapa::Hiljaa && v_.kannet_heti()) kiire.emplace(v_.kiire);

    const bool arkisto = !pelkka_runko_ && on_arkisto(nimi_, v_.kansio);
    if (arkisto && !pura_arkisto()) {
        if (!rajan_syy_.empty()) return hylkaa_raja(rajan_syy_);
        v_.viestit.virhe(vahingoittuneen_viesti());
        poista_tyotiedosto();
        yksi_tyhja_kortti();
        return false;
    }
    return virta_ ? lue_virrasta() : lue_runko_tiedostosta(arkisto);
}

bool Lataaja::purku_epaonnistui(const Tulos& t) {
    kirjoita_debug_aina("[lue_tietueet] " + viesti_ja_syy(t));
    v_.viestit.virhe(vahingoittuneen_viesti());
    poista_tyotiedosto();
    yksi_tyhja_kortti();
    return false;
}

// The file's check and the body's unpacking waited for, the body then taken whole.
Tulos Lataaja::viimeistele_purku() {
    Tulos t = zip_->tarkista_tiedosto();
    if (t) t = virta_->tulos();
    if (t) {
        runko_.reserve(virta_->koko() + rungon_vara);
        runko_.assign(virta_->data(), virta_->koko());
        pura_kannet();
        pida_arkisto();
    }
    virta_.reset();
    zip_.reset();
    return t;
}

// Whether the second line is empty: a body saved with doubled line ends, which is repaired as a whole.
bool Lataaja::tuplatut_rivinvaihdot() {
    const char* t = virta_->data();
    std::size_t valmiina = virta_->odota(0);
    const auto tavu = [&](std::size_t i) -> int {
        while (i >= valmiina) {
            const std::size_t nyt = virta_->odota(valmiina);
            if (nyt <= valmiina) return -1;
            valmiina = nyt;
        }
        return static_cast<unsigned char>(t[i]);
    };
    std::size_t i = 0;
    for (;; ++i) {
        const int c = tavu(i);
        if (c < 0 || c == 0x1a) return false;
        if (c == '\r') break;
    }
    if (tavu(++i) == '\n') ++i;
    return tavu(i) == '\r';
}

// The body read as it is unpacked while another thread counts the file's CRC. The reading's messages wait
// until both have passed, so a damaged file shows only that it is damaged, as when the body came whole first.
bool Lataaja::lue_virrasta() {
    if (virta_->koko() < lyhin_runko || tuplatut_rivinvaihdot()) {
        // The short body's message and the repair's rewrite need the whole text and a file known to be sound.
        if (const Tulos t = viimeistele_purku(); !t) return purku_epaonnistui(t);
        return lue_runko_tiedostosta(true);
    }
    // The covers come out once the file has passed its check; meanwhile a cover counts as present when the
    // folder holds it or the file will give it. The folder is read before the check starts reading the file.
    if (v_.kannet_heti()) listaa_kannet_ja_tulevat();
    RungonLuku luku = rungon_luku();
    // A card block can be one short line, and millions of them pack into a few hundred kilobytes.
    luku.enintaan_kortteja = korttibudjetti(tiedoston_koko_, v_.purkurajat);
    const int ennen = lista_.Count();
    const std::string versio = lista_.versio;
    Viivastetyt viestit(v_.viestit);
    Jasenvirta& virta = *virta_;
    RungonTila tila;
    Tulos tulos;
    {
        // Until this check is joined nothing here may use the file system: the check reads through it.
        // Without a thread to spare the check runs when its result is asked for.
        auto tarkistus = std::async(std::launch::async | std::launch::deferred, [zip = zip_] { return zip->tarkista_tiedosto(); });
        try {
            tila = lue_runko(Rungonlahde{virta.data(), virta.koko(), virta.omistaja(),
                                         [&virta](std::size_t n) { return virta.odota(n); }},
                             lista_, luku, viestit);
        } catch (...) {
            virta_.reset();
            throw;
        }
        tulos = tarkistus.get();
    }
    // Past the card limit the rest of the body no longer matters.
    if (tulos && tila != RungonTila::Liikaa) tulos = virta.tulos();
    virta_.reset();
    if (!tulos || tila == RungonTila::Liikaa) {
        // What the refused file added goes, so a merge leaves the open catalogue as it was.
        if (lista_.Count() > ennen) lista_.sisus().resize(static_cast<std::size_t>(ennen));
        lista_.versio = versio;
        zip_.reset();
        if (!tulos) return purku_epaonnistui(tulos);
        return hylkaa_raja(korttirajan_tarkistus(tiedoston_koko_, luku.enintaan_kortteja + 1, v_.purkurajat, true).viesti);
    }
    pura_kannet();
    pida_arkisto();
    viestit.nayta_kaikki();
    return runko_luettu(tila);
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
    if (const Tulos raja = korttirajan_tarkistus(tiedoston_koko_, kortteja, v_.purkurajat); !raja)
        return hylkaa_raja(raja.viesti);

    if (teksti.size() < lyhin_runko && tapa_ != Tapa::Hiljaa) {
        liian_lyhyt_runko(nimi_, teksti.size());
        poista_tyotiedosto();
        if (tapa_ == Tapa::Liitos) return false;
        yksi_tyhja_kortti();
        v_.tk().tiedosto = nimi_;
        return false;
    }
    korjaa_0D0D0A(runko, teksti, v_);

    // Damage shows in the header, before any card is added, so a damaged merged file adds nothing.
    return runko_luettu(lue_runko(std::move(teksti), lista_, rungon_luku(), v_.viestit));
}

RungonLuku Lataaja::rungon_luku() {
    RungonLuku luku;
    luku.tiedoston_nimi = nimi_;
    luku.liitos = tapa_ == Tapa::Liitos;
    if (v_.kannet_heti()) {
        const bool tauko = v_.ikkuna.debug_nakyvissa();
        luku.kansi_olemassa = [this, tauko](const std::string& kansi) {
            // Lets a person follow the cover names in the debug window.
            if (tauko) std::this_thread::sleep_for(std::chrono::milliseconds(100));
            return kansi_tallella(kansi);
        };
    }
    return luku;
}

bool Lataaja::runko_luettu(RungonTila tila) {
    poista_tyotiedosto();
    if (tila == RungonTila::Vahingoittunut) {
        v_.viestit.virhe(vahingoittuneen_viesti());
        yksi_tyhja_kortti();
        return false;
    }
    if (tapa_ != Tapa::Liitos && lista_.korttien_maara() == 0) lista_.lisaa_uusi();
    kirjoita_debug("Suljetaan tietokanta");
    if (avaus()) {
        v_.tk().tiedosto = nimi_;
        tarkista_myohastymiset_ = v_.myohastymiset_kaytossa();
    }
    if (tapa_ == Tapa::Liitos) lista_.muutettu = true;
    v_.paivita_lista();
    return true;
}

}  // namespace

bool lue_tietueet(const std::string& nimi, bool liitos, bool hiljaa, TOmaList& lista, Varasto& v) {
    Lataaja lataaja(nimi, liitos ? Tapa::Liitos : hiljaa ? Tapa::Hiljaa : Tapa::Avaus, lista, v, false);
    const int ennen = lista.Count();
    try {
        return lataaja.lataa();
    } catch (const std::bad_alloc&) {
        // The cards read so far are freed first, so the refusal itself has memory to work with; a merge
        // gives back only what it added.
        if (liitos) lista.sisus().resize(static_cast<std::size_t>(std::min(ennen, lista.Count())));
        else lista.tyhjenna();
        return lataaja.hylkaa_raja("tämän koneen muisti ei riittänyt sen avaamiseen");
    }
}
