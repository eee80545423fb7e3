#pragma once
// The borrower profiles dialog: add, update and delete work on the list in memory; only OK writes the file,
// and Cancel reads it back.
#include <QDialog>
#include <filesystem>
#include <vector>

#include "lending/profiilit.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class Tiedostojarjestelma;
namespace diag { class Viestit; }

class Tlainaajaprofiilit_form : public QDialog {
    Q_OBJECT
public:
    // Reads the file (FormCreate).
    Tlainaajaprofiilit_form(Tiedostojarjestelma& tiedostot, std::filesystem::path tiedosto, diag::Viestit& viestit,
                            QWidget* parent = nullptr);

    const std::vector<Profiili>& profiilit() const { return profiilit_; }

    QListWidget* profiili_lista;
    QLineEdit* nimi_edit;
    QLineEdit* puh_edit;
    QLineEdit* email_edit;
    QPushButton* lisaa_button;
    QPushButton* paivita_profiili;
    QPushButton* poista_button;
    QPushButton* ok;
    QPushButton* peruuta_button;

    void profiili_listaClick();
    void lisaa_buttonClick();
    void paivita_profiiliClick();
    void poista_buttonClick();
    void okClick();
    void peruuta_buttonClick();

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void tayta_lista(int valittu);
    Tiedostojarjestelma& tiedostot_;
    std::filesystem::path tiedosto_;
    diag::Viestit& viestit_;
    std::vector<Profiili> profiilit_;
};
