#pragma once
// The lending subsystem's menu items and windows: lending, borrower profiles, the overdue check with its
// reminders, feedback and mailing the catalogue.
#include <QObject>
#include <memory>
#include <string>

class Paaikkuna;
class Tlainaa_form;

class Lainaustoiminnot : public QObject {
    Q_OBJECT
public:
    explicit Lainaustoiminnot(Paaikkuna& p);
    ~Lainaustoiminnot() override;

    // The overdue check: one question per overdue borrower, offering the reminder. Run after every
    // successful load when the settings ask for it, and from its menu item.
    void tarkista_myohastymiset();

    // The lending dialog, modally over the dimmed main window.
    void nayta_lainaus();
    // The profiles dialog, modally.
    void nayta_profiilit();
    // The reminder window for one borrower, modally.
    void nayta_muistutus(const std::string& lainaaja);
    void laheta_palaute();
    void laheta_tietokanta();

    Tlainaa_form& lainaa_form() { return *lainaa_form_; }

private:
    Paaikkuna& p_;
    std::unique_ptr<Tlainaa_form> lainaa_form_;
    // The reminder template last chosen in this run.
    std::string muistettu_pohja_;
};
