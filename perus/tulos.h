#pragma once
// The outcome of an operation that can fail for a reason the user should read: a code and a Finnish
// message (cp1252), and the errno when the system refused a step. Shared by the file routines, the
// catalogue archive, the network clients and everything built on them.
#include <string>
#include <utility>

struct Tulos {
    int koodi = 0;       // 0: succeeded; otherwise the operation's own code (errno, curl code, …)
    std::string viesti;  // for the user, in Finnish; empty on success
    int syy = 0;         // the errno when the file system refused a step, else 0

    static Tulos ok() { return {}; }
    static Tulos virhe(int koodi, std::string viesti) { return {koodi == 0 ? -1 : koodi, std::move(viesti)}; }
    // A failure of the system: the errno is both the code and the reason.
    static Tulos jarjestelma(int syy, std::string viesti) { return {syy == 0 ? -1 : syy, std::move(viesti), syy}; }

    bool onnistui() const { return koodi == 0; }
    explicit operator bool() const { return onnistui(); }
};
