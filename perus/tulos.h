#pragma once
// The outcome of an operation that can fail for a reason the user should read: a code and a Finnish
// message (cp1252). Shared by the file routines, the network clients and everything built on them.
#include <string>
#include <utility>

struct Tulos {
    int koodi = 0;       // 0: succeeded; otherwise the operation's own code (errno, curl code, …)
    std::string viesti;  // for the user, in Finnish; empty on success

    static Tulos ok() { return {}; }
    static Tulos virhe(int koodi, std::string viesti) { return {koodi == 0 ? -1 : koodi, std::move(viesti)}; }

    bool onnistui() const { return koodi == 0; }
    explicit operator bool() const { return onnistui(); }
};
