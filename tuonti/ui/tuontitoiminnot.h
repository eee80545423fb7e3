#pragma once
// "Tuo elokuvia..." in the File menu: a spreadsheet list or a Tellico collection appended to the open
// catalogue, the list through its mapping step.
#include <QObject>
#include <filesystem>

class Paaikkuna;
struct Tuotavat;

class Tuontitoiminnot : public QObject {
    Q_OBJECT
public:
    explicit Tuontitoiminnot(Paaikkuna& p);

    void Tuo_elokuviaClick();

private:
    // The cards of the file; false when it could not be read (the user has been told) or was cancelled.
    bool lue_tuotavat(const std::filesystem::path& p, const QString& nimi, Tuotavat& t);

    Paaikkuna& p_;
};
