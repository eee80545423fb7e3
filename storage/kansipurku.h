#pragma once
// The covers of an opened catalogue are unpacked after its first card is shown: the window takes them out a
// slice at a time between its events, a cover about to be shown comes out ahead of the others, and whatever
// reads or writes gfx\kannet\ first waits for the rest through odota_kannet (storage/avoimen_kannet.h).
#include <chrono>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "perus/ohjelmakansio.h"
#include "storage/kannet.h"

class Kansipurku {
public:
    // The members of `zip` that `kannet` does not hold are the ones to unpack; files of `kierratys` are taken
    // over first. The busy window and the messages are those of the catalogue the covers belong to.
    Kansipurku(std::shared_ptr<TZLBArchive> zip, Kansiolistaus kannet, std::unique_ptr<Kansikierratys> kierratys,
               diag::Kiire& kiire, diag::Viestit& viestit);
    ~Kansipurku();
    Kansipurku(const Kansipurku&) = delete;
    Kansipurku& operator=(const Kansipurku&) = delete;

    // Unpacks covers for about `aika` (at least one); false once none are left.
    bool pura_pala(std::chrono::milliseconds aika);
    // The cover of that name now, when it is still to come.
    void pura_ensin(std::string_view cover_fn);
    // Stops between two covers: what is not out yet stays in the file, which a save reads.
    void peru();
    std::size_t jaljella() const { return jono_.size() - seuraava_; }
    // The rest unpacked, with progress in the busy window, and the covers that could not be unpacked told
    // once.
    void odota();

private:
    void pura(std::size_t jasen);

    std::shared_ptr<TZLBArchive> zip_;
    Kansiolistaus kannet_;
    std::unique_ptr<Kansikierratys> kierratys_;
    diag::Kiire& kiire_;
    diag::Viestit& viestit_;
    std::vector<std::size_t> jono_;     // member indices in the archive's order
    std::vector<bool> kasitelty_;       // by member index: unpacked or tried ahead of its turn
    std::size_t seuraava_ = 0;
    Purkamattomat purkamatta_;
    bool kerrottu_ = false;
};

