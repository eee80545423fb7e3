#pragma once
// Message seam for tests: records every box and answers questions from a script. A question with no
// scripted answer, or a scripted answer left unused, fails the running test (GoogleTest or Qt Test).
#include <deque>
#include <string>
#include <vector>

#include "diag/viestit.h"

#if defined(RULLAKKO_QTEST)
#include <QTest>
#else
#include <gtest/gtest.h>
#endif

namespace diag {

struct NaytettyViesti {
    Laji laji;
    std::string teksti;
    bool kysymys = false;
};

class TestiViestit final : public Viestit {
public:
    std::vector<NaytettyViesti> naytetyt;
    std::deque<Vastaus> vastaukset;

    void nayta(Laji laji, const std::string& teksti, const std::string& = {}) override {
        naytetyt.push_back({laji, teksti, false});
    }
    Vastaus kysy(Laji laji, const std::string& teksti, bool = false, const std::string& = {}) override {
        naytetyt.push_back({laji, teksti, true});
        if (vastaukset.empty()) {
            epaonnistu("odottamaton kysymys: " + teksti);
            return Vastaus::Ei;
        }
        const Vastaus v = vastaukset.front();
        vastaukset.pop_front();
        return v;
    }

    // How many questions were asked (answered or not).
    int kysymyksia() const {
        int n = 0;
        for (const auto& v : naytetyt) n += v.kysymys ? 1 : 0;
        return n;
    }

    std::vector<std::string> tekstit() const {
        std::vector<std::string> t;
        for (const auto& n : naytetyt) t.push_back(n.teksti);
        return t;
    }

    ~TestiViestit() override {
        if (!vastaukset.empty()) epaonnistu("kysymyksiä jäi kysymättä");
    }

private:
    static void epaonnistu(const std::string& syy) {
#if defined(RULLAKKO_QTEST)
        QTest::qFail(syy.c_str(), __FILE__, __LINE__);
#else
        ADD_FAILURE() << syy;
#endif
    }
};

}  // namespace diag
