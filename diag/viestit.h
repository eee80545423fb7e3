#pragma once
// The one road by which the core shows a message box or asks the user something.
// Texts are cp1252 and are owned by the core routine that shows them.
#include <string>

namespace diag {

enum class Laji { Virhe, Tieto, Varoitus, Pelkka, Vahvistus };

enum class Vastaus { Kylla, Ei, Peruuta };

class Viestit {
public:
    virtual ~Viestit() = default;
    // A box with one OK button.
    virtual void nayta(Laji laji, const std::string& teksti, const std::string& otsikko = {}) = 0;
    // A Yes/No box, or Yes/No/Cancel when peruutettava is set.
    virtual Vastaus kysy(Laji laji, const std::string& teksti, bool peruutettava = false,
                         const std::string& otsikko = {}) = 0;

    void virhe(const std::string& t) { nayta(Laji::Virhe, t); }
    void tieto(const std::string& t) { nayta(Laji::Tieto, t); }
    void varoitus(const std::string& t) { nayta(Laji::Varoitus, t); }
    void pelkka(const std::string& t) { nayta(Laji::Pelkka, t); }
};

}  // namespace diag
