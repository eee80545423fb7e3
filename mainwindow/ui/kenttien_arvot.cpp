#include "mainwindow/ui/kenttien_arvot.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QValidator>
#include <algorithm>

#include "diag/ui/raakateksti.h"
#include "diag/ui/teksti.h"
#include "diag/viestit.h"

namespace {

// The length limit of a line: it grows to the length of the text shown.
class Pituusraja final : public QValidator {
public:
    Pituusraja(int raja, QObject* parent) : QValidator(parent), raja_(raja), sallittu_(raja) {}
    void nayta(qsizetype pituus) { sallittu_ = std::max<qsizetype>(raja_, pituus); }
    State validate(QString& s, int&) const override { return s.size() <= sallittu_ ? Acceptable : Invalid; }

private:
    qsizetype raja_;
    qsizetype sallittu_;
};

Pituusraja* pituusraja(QLineEdit* e) { return e->findChild<Pituusraja*>(); }

bool muuttava_nappain(const QKeyEvent* e) {
    const QString t = e->text();
    if (!t.isEmpty() && t[0].isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return true;
    if (e->key() == Qt::Key_Backspace || e->key() == Qt::Key_Delete) return true;
    for (const auto s : {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Undo, QKeySequence::Redo,
                         QKeySequence::DeleteEndOfWord, QKeySequence::DeleteStartOfWord, QKeySequence::DeleteEndOfLine,
                         QKeySequence::DeleteCompleteLine})
        if (e->matches(s)) return true;
    return false;
}

}  // namespace

QString ohjaimen_teksti(const QWidget* w) {
    if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<const QComboBox*>(w)) return c->currentText();
    if (auto* m = qobject_cast<const QPlainTextEdit*>(w)) return raakateksti(m);
    if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
    return {};
}

void Kenttien_arvot::rajaa_pituus(QLineEdit* rivi, int raja) { rivi->setValidator(new Pituusraja(raja, rivi)); }

void Kenttien_arvot::aseta(QWidget* w, std::string_view arvo, bool kortista) {
    auto* alue = qobject_cast<QPlainTextEdit*>(w);
    const bool pitka = katkeaa(arvo, alue ? alueen_nayttoraja : rivin_nayttoraja);
    QLineEdit* rivi = qobject_cast<QLineEdit*>(w);
    if (auto* c = qobject_cast<QComboBox*>(w)) rivi = c->lineEdit();
    if (alue) {
        alue->setPlainText(q_nakyva(arvo, alueen_nayttoraja));
        alue->setReadOnly(pitka);
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setText(q_nakyva(arvo));
    } else if (rivi) {
        const QString t = q_nakyva(arvo);
        if (Pituusraja* r = pituusraja(rivi)) r->nayta(t.size());
        // Shown from its beginning, however long it is.
        if (auto* c = qobject_cast<QComboBox*>(w)) c->setEditText(t);
        else rivi->setText(t);
        rivi->setCursorPosition(0);
        rivi->setReadOnly(pitka);
    }
    if (pitka) katkaistut_[w] = {ohjaimen_teksti(w), arvo.size()};
    else katkaistut_.erase(w);
    if (kortista) naytetyt_[w] = ohjaimen_teksti(w);
    else naytetyt_.erase(w);
}

std::optional<std::string> Kenttien_arvot::muokattu(const QWidget* w) const {
    const QString t = ohjaimen_teksti(w);
    if (const auto i = naytetyt_.find(w); i != naytetyt_.end() && i->second == t) return std::nullopt;
    if (const auto i = katkaistut_.find(w); i != katkaistut_.end() && i->second.naytetty == t) return std::nullopt;
    return cp(t);
}

bool Kenttien_arvot::estetty_muokkaus(QWidget* w, const QKeyEvent* e) {
    const auto i = katkaistut_.find(w);
    if (i == katkaistut_.end() || !muuttava_nappain(e)) return false;
    const std::string kysymys = "Kentän teksti on niin pitkä (" + std::to_string(i->second.pituus) +
                                " merkkiä), että siitä näytetään vain alku.\n\nJos muokkaat kenttää, koko teksti "
                                "korvautuu kentässä näkyvällä tekstillä. Muokataanko kenttää?";
    if (viestit_.kysy(diag::Laji::Vahvistus, kysymys) != diag::Vastaus::Kylla) return true;
    // From now on the control is an ordinary one: what it shows is the value.
    katkaistut_.erase(i);
    if (auto* c = qobject_cast<QComboBox*>(w)) c->lineEdit()->setReadOnly(false);
    else if (auto* r = qobject_cast<QLineEdit*>(w)) r->setReadOnly(false);
    else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) m->setReadOnly(false);
    return false;
}
