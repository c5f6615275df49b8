// The dimensions dialog "Définir grille": playing rows and columns, 6 to 20.
#pragma once

#include <QDialog>
#include <QSpinBox>
#include <cstdint>

class QPushButton;

namespace orv {

// A spin field that takes any number typed and brings it into its range when
// it loses the focus (25 becomes 20); a text that is not a number reads as
// the minimum.
class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);
    // The value the field's text stands for, clamped to the range.
    int Value() const;

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    void fixup(QString& input) const override;
};

class TFTaille : public QDialog {
    Q_OBJECT
public:
    explicit TFTaille(QWidget* parent = nullptr);

    // Shows the grid's playing rows and columns (the dimensions less the header).
    void Init(std::int32_t rows, std::int32_t columns);
    // After "OK": the fields plus the header row and column; otherwise nothing.
    void Result(std::int32_t& rows, std::int32_t& columns) const;

    bool Valide = false; // set by the buttons only; kept between showings

    SpinEdit* SpinEdit1 = nullptr;  // playing rows
    SpinEdit* SpinEdit2 = nullptr;  // playing columns
    QPushButton* Button1 = nullptr; // "Annuler"
    QPushButton* Button2 = nullptr; // "OK"

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Button1Click();
    void Button2Click();
};

} // namespace orv
