#pragma once
// The busy window: an animated picture and a status text, shown while long work runs on the window thread.
#include <QPointer>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <string>

#include "diag/kiire.h"

class QLabel;
class QMovie;

class Tprogress_form : public QWidget {
    Q_OBJECT
public:
    // The main window, and the list window when it is visible, are disabled while this one is up and get
    // their state back afterwards.
    Tprogress_form(const std::filesystem::path& kuva, QWidget* paaikkuna, QWidget* listaikkuna);
    ~Tprogress_form() override;

    QLabel* working_image;
    QLabel* Teksti_label;

    void aseta_teksti(const std::string& teksti);

private:
    struct Estetty {
        QPointer<QWidget> ikkuna;
        bool oli_kaytossa;
    };
    std::vector<Estetty> estetyt_;
    QMovie* animaatio_ = nullptr;
};

// The Qt side of the busy seam: one global busy window at a time.
class QtKiire final : public diag::Kiire {
public:
    explicit QtKiire(std::filesystem::path kuva) : kuva_(std::move(kuva)) {}
    void aseta_paaikkuna(QWidget* w) { paaikkuna_ = w; }
    void aseta_listaikkuna(QWidget* w) { listaikkuna_ = w; }

    void nayta() override;
    void aseta_teksti(const std::string& teksti) override;
    void piilota() override;
    void kasittele_viestit() override;

    Tprogress_form* ikkuna() const { return ikkuna_.get(); }

private:
    std::filesystem::path kuva_;
    QPointer<QWidget> paaikkuna_;
    QPointer<QWidget> listaikkuna_;
    std::unique_ptr<Tprogress_form> ikkuna_;
};
