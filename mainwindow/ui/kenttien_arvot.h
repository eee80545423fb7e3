#pragma once
// What the card view put into its controls. A huge value shows only its beginning and stays whole unless
// the user edits it, and a control still showing what the card gave it counts as unchanged, so the card
// keeps its value as read (a position "0" shown empty, a duration shown in the other form).
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <string_view>

class QKeyEvent;
class QLineEdit;
class QWidget;
namespace diag { class Viestit; }

// The text a control (line, combo box, text area or caption) shows.
QString ohjaimen_teksti(const QWidget* w);

class Kenttien_arvot {
public:
    explicit Kenttien_arvot(diag::Viestit& viestit) : viestit_(viestit) {}

    // Limits typing into a line to `raja` characters, while a longer stored value is still shown and kept
    // whole: the user may shorten such a value but not lengthen it.
    static void rajaa_pituus(QLineEdit* rivi, int raja);

    // A card's value into a control, cut when it is huge; the control counts as unchanged while it shows it.
    void nayta(QWidget* w, std::string_view arvo) { aseta(w, arvo, true); }
    // A value a field rule puts into a control: it goes to the card as the user's own entry would.
    void aseta(QWidget* w, std::string_view arvo) { aseta(w, arvo, false); }

    // The control's text for the card; nothing when it shows what the card gave it, or a cut value the user
    // did not change.
    std::optional<std::string> muokattu(const QWidget* w) const;
    // Whether the control shows only the beginning of its value.
    bool katkaistu(const QWidget* w) const { return katkaistut_.count(w) != 0; }
    // A key that would change a control showing a cut value: the user decides whether the edit may replace
    // the whole value. True when the key is to be swallowed.
    bool estetty_muokkaus(QWidget* w, const QKeyEvent* e);

private:
    void aseta(QWidget* w, std::string_view arvo, bool kortista);

    diag::Viestit& viestit_;
    // Controls that show only the beginning of their value: the text they were given and the value's length.
    struct Katkaisu {
        QString naytetty;
        std::size_t pituus = 0;
    };
    std::map<const QWidget*, Katkaisu> katkaistut_;
    // What showing the card put into each control.
    std::map<const QWidget*, QString> naytetyt_;
};
