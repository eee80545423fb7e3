#pragma once
// The reminder window: a message from a template of the program folder, sent to the address in the
// borrower's profile.
#include <QDialog>
#include <functional>
#include <string>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class Paaikkuna;

class Tkarhuemail_form : public QDialog {
    Q_OBJECT
public:
    // `muistettu_pohja`: the template last chosen, offered first and updated as the user chooses; it
    // outlives the window.
    Tkarhuemail_form(Paaikkuna& p, std::string lainaaja, std::string& muistettu_pohja, QWidget* parent = nullptr);

    // Set by the owner: whether the lending dialog is up, and showing it; the profiles dialog (modal).
    std::function<bool()> lainaus_nakyvissa;
    std::function<void()> nayta_lainaus;
    std::function<void()> avaa_profiilit;

    const std::string& lainaaja() const { return lainaaja_; }

    QLineEdit* subject_edit;
    QPlainTextEdit* email;
    QComboBox* email_file;
    QPushButton* nayta_muokkaa_lainattuja;
    QPushButton* email_send;
    QPushButton* peruuta_button;

    void lue_muistutuspohja(const std::string& nimi);
    void email_fileChange();
    void nayta_muokkaa_lainattujaClick();
    void email_sendClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    Paaikkuna& p_;
    std::string lainaaja_;
    std::string& muistettu_pohja_;
};
