#pragma once
// Long work runs on the window thread: it shows the busy window, sets its phase texts and lets the
// window process pending events between steps through this interface.
#include <string>

namespace diag {

class Kiire {
public:
    virtual ~Kiire() = default;
    virtual void nayta() = 0;                                // create and show the busy window
    virtual void aseta_teksti(const std::string& teksti) = 0;  // empty text hides the label
    virtual void piilota() = 0;                              // destroy it; harmless when already gone
    virtual void kasittele_viestit() = 0;                    // let the window process pending events
};

// Busy window that is shown for the lifetime of the guard.
class KiireNakyvissa {
public:
    explicit KiireNakyvissa(Kiire& k) : k_(k) { k_.nayta(); }
    ~KiireNakyvissa() { k_.piilota(); }
    KiireNakyvissa(const KiireNakyvissa&) = delete;
    KiireNakyvissa& operator=(const KiireNakyvissa&) = delete;

private:
    Kiire& k_;
};

// For callers without a window (the command-line tool, quiet loads).
class EiKiiretta final : public Kiire {
public:
    void nayta() override {}
    void aseta_teksti(const std::string&) override {}
    void piilota() override {}
    void kasittele_viestit() override {}
};

}  // namespace diag
