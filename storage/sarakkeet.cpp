#include "storage/sarakkeet.h"

#include "perus/teksti.h"

namespace {

constexpr int sarakkeiden_maara = 51;

std::string sarakkeen_nimi(const Runkorivi& r, int rivinro) {
    if (const Kenttatieto* k = kentta_rivilta(rivinro)) return k->nimi;
    const std::string n = std::to_string(r.indeksi + (r.laji == Rivilaji::Extra ? 0 : 1));
    switch (r.laji) {
        case Rivilaji::Teksti: return r.sarja == &TKortti::lisatieto ? "lisatieto" + n : "lisatieto" + n + "_nimi";
        case Rivilaji::Kansi: return "cover_fn";
        case Rivilaji::Kansiosoite: return "cover_url";
        case Rivilaji::Extra: return "extra" + n;
        case Rivilaji::Nakyma: return "nakyma";
        case Rivilaji::HaeKansi: return "hae_kansi";
        case Rivilaji::Toisto: break;
    }
    return {};
}

bool on_tosi(std::string_view arvo) {
    return arvo.size() == 4 && (arvo[0] | 0x20) == 't' && (arvo[1] | 0x20) == 'r' && (arvo[2] | 0x20) == 'u' &&
           (arvo[3] | 0x20) == 'e';
}

}  // namespace

const std::vector<Sarake>& sarakkeet() {
    static const std::vector<Sarake> s = [] {
        std::vector<Sarake> v;
        for (int i = 0; i < sarakkeiden_maara; ++i) {
            const Runkorivi& r = runkorivit[static_cast<std::size_t>(i)];
            v.push_back({sarakkeen_nimi(r, i + 1), &r});
        }
        return v;
    }();
    return s;
}

const Sarake* sarake_nimelta(std::string_view nimi) {
    for (const Sarake& s : sarakkeet())
        if (s.nimi == nimi) return &s;
    return nullptr;
}

const Sarake* sarake_jasenesta(Teksti TKortti::*jasen) {
    for (const Sarake& s : sarakkeet())
        if (s.rivi->jasen == jasen) return &s;
    return nullptr;
}

std::string sarakkeen_arvo(const TKortti& k, const Sarake& s) {
    const Runkorivi& r = *s.rivi;
    switch (r.laji) {
        case Rivilaji::Extra: return k.extra[r.indeksi] ? "TRUE" : "FALSE";
        case Rivilaji::HaeKansi: return k.hae_kansi ? "TRUE" : "FALSE";
        case Rivilaji::Nakyma: return std::to_string(k.nakyma);
        default: {
            const Teksti* t = r.teksti(k);
            return t ? std::string(t->nakyma()) : std::string();
        }
    }
}

void aseta_sarakkeen_arvo(TKortti& k, const Sarake& s, std::string_view arvo) {
    const Runkorivi& r = *s.rivi;
    switch (r.laji) {
        case Rivilaji::Extra: k.extra[r.indeksi] = on_tosi(arvo); return;
        case Rivilaji::HaeKansi: k.hae_kansi = on_tosi(arvo); return;
        case Rivilaji::Nakyma: k.nakyma = static_cast<std::int32_t>(lue_alkuluku(arvo).arvo); return;
        default:
            if (Teksti* t = r.teksti(k)) *t = arvo;
    }
}
