#pragma once
// The movie list window: the catalogue or the last list search's cards as a four-column table, its
// selection in step with the main window's card. Full layout with its buttons, or the mini list docked to
// the main window's left edge. The table is a view over find/lista's rows; no row is copied.
#include <QAbstractTableModel>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "find/lista.h"
#include "find/sorttaus.h"
#include "perus/ui/paaikkuna.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

// The rows of an Elokuvalista as a table for QTableView; text is made only for the rows on screen.
class ListaMalli final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ListaMalli(Elokuvalista& rivit, QObject* parent = nullptr) : QAbstractTableModel(parent), rivit_(rivit) {}
    int rowCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : rivit_.rivit(); }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : listan_sarakkeita; }
    QVariant data(const QModelIndex& i, int rooli) const override;
    QVariant headerData(int osa, Qt::Orientation suunta, int rooli) const override;
    // Changes the rows inside a model reset, so the view never reads a row that has gone.
    template <class F>
    void muuta(F&& f) {
        beginResetModel();
        f();
        endResetModel();
    }

private:
    Elokuvalista& rivit_;
};

class TLista_Form final : public QWidget, public Listaikkuna {
    Q_OBJECT
public:
    static constexpr int mini_leveys = 294;
    static constexpr int ilmoituksen_kesto = 2300;  // ms the not-found notice stays

    TLista_Form(Paaikkuna& p, QWidget* parent);
    ~TLista_Form() override;

    QTableView* ListaGrid;
    QPushButton* Etsi_Button;
    QPushButton* Seuraava_button;
    QPushButton* Poista_button;
    QPushButton* tulosta_button;
    QPushButton* Sulje_Button;
    QLineEdit* etsi_edit;
    QLabel* etsi_label;
    QLabel* not_found_label;
    QTimer* Timer1;         // quick-search ticks, 500 ms
    QTimer* ilmoitusaika;   // the not-found notice, single shot

    // The whole catalogue again, the selected row kept.
    void tee_lista();
    // Selects row r (1..rows) and scrolls it into view; only while visible. A row past the end is a fault:
    // logged, told, and the list is built again.
    void valitse_listan_entry(int r);
    bool onko_hakutulos() const { return rivit_.hakutulos(); }
    void iso_lista();
    void mini_lista();
    bool mini() const { return mini_; }
    // Makes the selected row's card the main window's card.
    void valitse_kortti_listasta();
    // The cards a list search found: laid out full or mini, shown, row 1 selected, the grid focused.
    void nayta_hakutulos(std::vector<int> indeksit, bool mini);
    // The mini list beside the main window (pushing it right at the screen's left edge).
    void telakoi();
    // The selected row, 0 when none.
    int valittu_rivi() const;
    const Elokuvalista& rivit() const { return rivit_; }
    const Pikahaku& pikahaku() const { return pikahaku_; }
    // The print button's action (the list printing); until it is given the button stays disabled.
    void aseta_tulostus(std::function<void()> tulosta);

    // Listaikkuna
    bool nakyvissa() const override { return isVisible(); }
    bool hakutulokset() const override { return onko_hakutulos(); }
    bool siirry_riville(int suunta) override;
    void seuraa_valintaa() override;
    void rakenna() override { tee_lista(); }
    void sulje() override { close(); }
    void aseta_muoto(bool liitetty) override;
    void nayta_hakutulokset() override;
    void nayta_kaikki() override;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* kohde, QEvent* e) override;

private:
    int kasettisarakkeen_leveys() const;
    void paivita_otsikko();
    void nayta_napit(bool nakyvissa);
    void Etsi_ButtonClick();
    void etsi_listasta();
    void ilmoita_ei_loydy();
    void Poista_buttonClick();
    void tulosta_buttonClick();
    void otsikkoa_klikattu(int sarake, Qt::MouseButton nappi);
    bool ListaGridKeyPress(const QString& teksti);
    void valitse_hiljaa(int r);

    Paaikkuna& p_;
    Elokuvalista rivit_;
    ListaMalli* malli_;
    Pikahaku pikahaku_;
    std::string haettava_;  // the find-in-list text
    bool mini_ = false;
    bool valitaan_ = false;     // the program moves the selection, not the user
    bool siirretaan_ = false;   // the program moves the windows, not the user
    Suunta viimeisin_suunta_ = Suunta::Nouseva;
    std::function<void()> tulosta_;
    QPixmap tausta_;
    std::uint32_t korostettu_ = 0x00FFFF;
};
