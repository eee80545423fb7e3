#include "storage/kortti.h"

#include <sys/mman.h>

#include <cstdint>
#include <mutex>
#include <new>

const std::array<const char*, 10> extran_nimi = {
    "",
    "Scene access",
    "Commentary",
    "Production notes",
    "Theatrical Trailer(s)",
    "Deleted scenes",
    "Documentary",
    "Hidden extras",
    "Pc-dvd features",
    "Interactive game",
};

void TKortti::kopioi(const TKortti& lahde) {
    const std::int32_t oma_rivit = rivit;
    *this = lahde;
    rivit = oma_rivit;
}

TOmaList::TOmaList() { lisaa_nollakortti(); }

TKortti& TOmaList::lisaa(std::unique_ptr<TKortti> k) {
    kortit_.push_back(std::move(k));
    return *kortit_.back();
}

std::unique_ptr<TKortti> TOmaList::irrota(int i) {
    auto it = kortit_.begin() + i;
    std::unique_ptr<TKortti> k = std::move(*it);
    kortit_.erase(it);
    ++sukupolvi_;
    if (k.get() == nolla_) nolla_ = nullptr;
    return k;
}

void TOmaList::lisaa_kohtaan(int i, std::unique_ptr<TKortti> k) {
    kortit_.insert(kortit_.begin() + i, std::move(k));
}

void TOmaList::lisaa_nollakortti() {
    auto k = std::make_unique<TKortti>();
    k->nimi = nollakortin_nimi;
    k->kasetilla = nollakortin_merkki;
    k->sijainti = nollakortin_merkki;
    nolla_ = k.get();
    kortit_.push_back(std::move(k));
}

void TOmaList::tyhjenna() {
    kortit_.clear();
    ++sukupolvi_;
    lisaa_nollakortti();
}

namespace {

// A block of card slots, aligned to its own size so that a card finds its block from its address. Freed
// slots are reused before new ones; a block whose last card goes is returned to the system, except one
// kept for the next cards.
struct Korttilohko {
    static constexpr std::size_t koko = std::size_t{2} << 20;

    void* vapaat = nullptr;     // freed slots, each holding the next
    std::size_t kaytossa = 0;   // cards alive
    std::size_t jaettu = 0;     // slots handed out at least once
    Korttilohko* seuraava = nullptr;
    Korttilohko* edellinen = nullptr;
    bool tilaa_listalla = false;

    static const std::size_t alku;
    static const std::size_t paikkoja;
    char* paikka(std::size_t i) { return reinterpret_cast<char*>(this) + alku + i * sizeof(TKortti); }
    bool taynna() const { return vapaat == nullptr && jaettu == paikkoja; }
};

const std::size_t Korttilohko::alku = (sizeof(Korttilohko) + alignof(TKortti) - 1) / alignof(TKortti) * alignof(TKortti);
const std::size_t Korttilohko::paikkoja = (Korttilohko::koko - Korttilohko::alku) / sizeof(TKortti);

class Korttimuisti {
public:
    void* varaa() {
        std::lock_guard<std::mutex> l(lukko_);
        Korttilohko* b = tilaa_ ? tilaa_ : uusi_lohko();
        void* p;
        if (b->vapaat) {
            p = b->vapaat;
            b->vapaat = *static_cast<void**>(p);
        } else {
            p = b->paikka(b->jaettu++);
        }
        ++b->kaytossa;
        if (b->taynna()) irrota(b);
        return p;
    }

    void vapauta(void* p) {
        auto* b = reinterpret_cast<Korttilohko*>(reinterpret_cast<std::uintptr_t>(p) & ~(Korttilohko::koko - 1));
        std::lock_guard<std::mutex> l(lukko_);
        *static_cast<void**>(p) = b->vapaat;
        b->vapaat = p;
        --b->kaytossa;
        if (!b->tilaa_listalla) liita(b);
        if (b->kaytossa == 0 && (b->seuraava || b->edellinen)) {
            irrota(b);
            ::munmap(b, Korttilohko::koko);
        }
    }

private:
    Korttilohko* uusi_lohko() {
        // Twice the size mapped and the aligned half kept; the system backs it with large pages where it can.
        const std::size_t k = Korttilohko::koko;
        void* m = ::mmap(nullptr, 2 * k, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (m == MAP_FAILED) throw std::bad_alloc();
        const auto a = reinterpret_cast<std::uintptr_t>(m);
        const std::uintptr_t tasattu = (a + k - 1) & ~(k - 1);
        if (tasattu > a) ::munmap(m, tasattu - a);
        if (tasattu + k < a + 2 * k) ::munmap(reinterpret_cast<void*>(tasattu + k), a + 2 * k - tasattu - k);
#ifdef MADV_HUGEPAGE
        ::madvise(reinterpret_cast<void*>(tasattu), k, MADV_HUGEPAGE);
#endif
        auto* b = new (reinterpret_cast<void*>(tasattu)) Korttilohko;
        liita(b);
        return b;
    }
    void liita(Korttilohko* b) {
        b->edellinen = nullptr;
        b->seuraava = tilaa_;
        if (tilaa_) tilaa_->edellinen = b;
        tilaa_ = b;
        b->tilaa_listalla = true;
    }
    void irrota(Korttilohko* b) {
        if (b->edellinen) b->edellinen->seuraava = b->seuraava;
        else tilaa_ = b->seuraava;
        if (b->seuraava) b->seuraava->edellinen = b->edellinen;
        b->seuraava = b->edellinen = nullptr;
        b->tilaa_listalla = false;
    }

    std::mutex lukko_;
    Korttilohko* tilaa_ = nullptr;  // blocks with a free slot
};

Korttimuisti& korttimuisti() {
    // Never destroyed: cards of static lists may be freed after it would have been.
    static Korttimuisti* m = new Korttimuisti;
    return *m;
}

}  // namespace

void* TKortti::operator new(std::size_t koko) {
    if (koko != sizeof(TKortti)) return ::operator new(koko);
    return korttimuisti().varaa();
}

void TKortti::operator delete(void* p, std::size_t koko) noexcept {
    if (!p) return;
    if (koko != sizeof(TKortti)) return ::operator delete(p);
    korttimuisti().vapauta(p);
}
