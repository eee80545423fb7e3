#pragma once
// The search window: words, the fields to search, and whether the hits go to the movie list or the main
// window jumps to the next one. Splitting and matching are find/haku; this window only drives them.
#include <QDialog>
#include <QPixmap>

#include "find/haku.h"

class Paaikkuna;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class TLista_Form;

class Tetsi_form final : public QDialog {
    Q_OBJECT
public:
    // `ehdot` outlives the window: the main window's F3 searches on with the last split.
    Tetsi_form(Paaikkuna& p, TLista_Form& lista, Hakuehdot& ehdot, QWidget* parent);

    QLabel* hakusanat_label;
    QLineEdit* hakusanat;
    QLabel* ohje_label;
    QCheckBox* listaan_chbox;
    QCheckBox* minilistaan;
    QLabel* etsi_kentista_label;
    QListWidget* etsi_kentista;
    QPushButton* select_kaikki;
    QPushButton* select_none;
    QLabel* huomaa_label;
    QProgressBar* etsi_progress;
    QPushButton* etsi_button;
    QPushButton* peruuta_button;

    void etsi_buttonClick();
    void select_kaikkiClick();
    void select_noneClick();
    void listaan_chboxClick();
    // The checked entries.
    Hakukentat valitut_kentat() const;
    // The list search into the movie list window.
    void etsi_ja_tulos_listaan();
    // The next matching card after index `alku` becomes current; "Ei löydy!" when there is none.
    void etsi_seuraava(int alku);

protected:
    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    Paaikkuna& p_;
    TLista_Form& lista_;
    Hakuehdot& ehdot_;
    QPixmap tausta_;
};
