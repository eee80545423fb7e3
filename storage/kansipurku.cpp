#include "storage/kansipurku.h"

#include <optional>

#include "diag/kiire.h"
#include "diag/viestit.h"
#include "storage/zlbarkisto.h"

namespace {

using Kello = std::chrono::steady_clock;

// Fewer than this left are unpacked without the busy window: they take a moment.
constexpr std::size_t kiireen_raja = 50;

}  // namespace

Kansipurku::Kansipurku(std::shared_ptr<TZLBArchive> zip, Kansiolistaus kannet,
                       std::unique_ptr<Kansikierratys> kierratys, diag::Kiire& kiire, diag::Viestit& viestit)
    : zip_(std::move(zip)), kannet_(std::move(kannet)), kierratys_(std::move(kierratys)), kiire_(kiire),
      viestit_(viestit) {
    const std::vector<TZLBEntry>& jasenet = zip_->entries();
    kasitelty_.assign(jasenet.size(), false);
    for (std::size_t i = 0; i < jasenet.size(); ++i) {
        const auto tiedosto = kansikuvan_tiedosto(jasenet[i].koko_nimi());
        if (tiedosto && !kannet_.tiedosto(*tiedosto)) jono_.push_back(i);
    }
}

// The files of the catalogue open before that no cover took over go with the recycler.
Kansipurku::~Kansipurku() = default;

void Kansipurku::pura(std::size_t jasen) {
    if (kasitelty_[jasen]) return;
    kasitelty_[jasen] = true;
    pura_arkiston_kansi(*zip_, jasen, kannet_, kierratys_.get(), purkamatta_);
}

void Kansipurku::peru() {
    seuraava_ = jono_.size();
    // At once, not when the last holder lets go: the next open recycles through the same folder.
    kierratys_.reset();
}

bool Kansipurku::pura_pala(std::chrono::milliseconds aika) {
    const auto loppu = Kello::now() + aika;
    do {
        if (seuraava_ == jono_.size()) return false;
        pura(jono_[seuraava_++]);
    } while (Kello::now() < loppu);
    return seuraava_ < jono_.size();
}

void Kansipurku::pura_ensin(std::string_view cover_fn) {
    if (seuraava_ == jono_.size()) return;
    if (const int jasen = zip_->etsi(cover_fn); jasen >= 0) pura(static_cast<std::size_t>(jasen));
}

void Kansipurku::odota() {
    std::optional<diag::KiireNakyvissa> kiire;
    if (jaljella() >= kiireen_raja) kiire.emplace(kiire_);
    const std::string kaikki = std::to_string(jono_.size());
    // The position lives in the object: a wait started by an event handled below goes on from where this is.
    while (seuraava_ < jono_.size()) {
        if (kiire && seuraava_ % 200 == 0) {
            kiire_.aseta_teksti("Puretaan kansikuvia [" + std::to_string(seuraava_) + "/" + kaikki + "]");
            kiire_.kasittele_viestit();
        }
        pura(jono_[seuraava_++]);
    }
    kiire.reset();
    if (kerrottu_ || purkamatta_.jasenet.empty()) return;
    kerrottu_ = true;
    viestit_.virhe(purkamattomien_viesti(purkamatta_));
}
