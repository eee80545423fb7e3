#pragma once
// Qt's own dialogs in Finnish. Qt's Finnish translation leaves some words of the file dialog in English
// (the type of a folder, "bytes"); these fill them in.
#include <QTranslator>

class QCoreApplication;
class QFileDialog;

// Qt's Finnish translation with the program's completions, installed while this lives.
class Suomennokset {
public:
    explicit Suomennokset(QCoreApplication& app);
    ~Suomennokset();
    Suomennokset(const Suomennokset&) = delete;
    Suomennokset& operator=(const Suomennokset&) = delete;

private:
    class Taydennys final : public QTranslator {
    public:
        QString translate(const char* konteksti, const char* lahde, const char* tarkenne, int n) const override;
        bool isEmpty() const override { return false; }
    };
    QCoreApplication& app_;
    QTranslator qt_;
    Taydennys taydennys_;
};

// File sizes of a file dialog in Finnish ("500 tavua", "4,9 kt"): the dialog writes them in the system
// locale's words, whatever the program's language.
void suomenna_koot(QFileDialog& d);

// A file size as the dialogs show it.
QString koko_tekstina(qint64 tavua);
