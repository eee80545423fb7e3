#pragma once
// The small cover of the card view: loaded by a one-shot timer after a card is shown, so quick browsing
// does not wait for pictures; the placeholder picture when the card has none.
#include <QLabel>
#include <QTimer>
#include <functional>

#include "storage/varasto.h"

class PieniKansi : public QLabel {
    Q_OBJECT
public:
    static constexpr int leveys = 185;
    static constexpr int korkeus = 145;
    static constexpr int keskikohta = 119;  // x of the picture's centre in the side panel

    PieniKansi(Varasto& v, QWidget* parent = nullptr);

    // Discards a pending load and starts a new one for the current card in 300 ms.
    void ajasta();
    bool lataus_kesken() const { return ajastin_.isActive(); }
    // The tick: loads the current card's cover, or the placeholder.
    void lataa();
    bool nayttaa_kannen() const { return oikea_kansi_; }
    void aseta_pehmennys(bool paalla) { pehmenna_ = paalla; }

signals:
    void klikattu();
    void kansi_poistettu();  // an unreadable picture was removed from the card

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    void nayta_paikkamerkki();
    void sijoita(int kuvan_leveys);

    Varasto& v_;
    QTimer ajastin_;
    bool oikea_kansi_ = false;
    bool paikkamerkki_ = false;
    bool pehmenna_ = true;
};
