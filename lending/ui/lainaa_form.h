#pragma once
// The lending dialog: lend and return cassettes, see what is lent, open the profiles and the reminder.
// Created once and reused; all loan state lives in the cards.
#include <QDialog>
#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class Paaikkuna;

class Tlainaa_form : public QDialog {
    Q_OBJECT
public:
    explicit Tlainaa_form(Paaikkuna& p);

    // Opened by the buttons; set by the owner.
    std::function<void()> avaa_profiilit;
    std::function<void(const std::string&)> avaa_muistutus;

    QLineEdit* kasetit_edit;
    QComboBox* lainaaja_edit;
    QListWidget* lista;
    QLabel* lainaa_ohje;
    QPushButton* Lainaa_button;
    QPushButton* Palauta;
    QPushButton* palauta_kaikki;
    QPushButton* profiilit_button;
    QPushButton* sendEmail_button;
    QPushButton* apua_button;
    QPushButton* peruuta_button;

    void Lainaa_buttonClick();
    void PalautaClick();
    void palauta_kaikkiClick();
    void valitse_lainat();
    void sendEmail_buttonClick();
    void profiilit_buttonClick();
    void apua_buttonClick();
    void paivita_lainalista();
    void lataa_profiilinimet();

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    bool lainaaja_editKeyPress(const QKeyEvent* e);
    void aseta_kasetit(const std::string& kasetit);
    std::string kasetit() const;
    Paaikkuna& p_;
    // While the cassette field shows only the beginning of a huge text: what it shows, and the whole text,
    // which stands for it until the field is edited.
    QString kasetit_naytetty_;
    std::string kasetit_koko_;
};
