#pragma once
// A PDF written straight into an atomic replacement of its file: the writer's bytes go through Korvaus,
// and the file takes its name only when every write succeeded and the document reached its end.
#include <QIODevice>
#include <string>

#include "perus/tiedostot.h"

class PdfKorvaus final : public QIODevice {
public:
    PdfKorvaus(Tiedostojarjestelma& t, const std::filesystem::path& kohde);

    // `piirto_onnistui`: the painter's end() and the drawing succeeded. A full disk, a failed step or a
    // document without its end leaves the old file as it was.
    Tulos valmis(bool piirto_onnistui);

protected:
    qint64 writeData(const char* data, qint64 n) override;
    qint64 readData(char*, qint64) override { return -1; }
    bool isSequential() const override { return true; }

private:
    void tyhjenna();

    Korvaus korvaus_;
    std::filesystem::path kohde_;
    std::string puskuri_;
    std::string loppu_;  // the last bytes written, where a whole document has its end mark
};
