#pragma once
// The rating stars beside the title: lit stars up to the rating's cut column, unlit after it. A press or a
// drag with the left button sets the rating from the pointer's x; the wheel steps it.
#include <QImage>
#include <QWidget>
#include <filesystem>

class Tiedostojarjestelma;

class Tahtikuva : public QWidget {
    Q_OBJECT
public:
    static constexpr int leveys = 113;
    static constexpr int korkeus = 21;

    explicit Tahtikuva(QWidget* parent = nullptr);

    // The lit and the unlit stars, read through `t`.
    void aseta_kuvat(Tiedostojarjestelma& t, const std::filesystem::path& tahdet, const std::filesystem::path& tahdet2);
    void aseta_arvosana(int arvosana);
    int arvosana() const { return arvosana_; }
    // The picture as drawn now (for checks and for the label window's preview).
    QImage kuva() const;

signals:
    void arvosana_valittu(int arvosana);  // from the pointer
    void rullattu(int askel);             // +1 away from the user, -1 towards

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    void valitse(int x);

    QImage sytytetyt_;
    QImage sammuneet_;
    int arvosana_ = 0;
};
