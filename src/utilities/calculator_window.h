// The calculator window "Calculatrice": a display over twenty buttons that
// drive the Calculator; typed characters run the same commands as the buttons.
#pragma once

#include "common/services.h"
#include "utilities/calculator.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace orv {

class TPocket : public QDialog {
    Q_OBJECT
public:
    explicit TPocket(Services& services, QWidget* parent = nullptr);

    const Calculator& calculator() const { return calc_; }

    // Every button but "Fermer" runs its command here, behind the error box.
    void ButtonClick(const CalculatorCommand& command);
    // The reset of every opening; the focus goes to "=".
    void FormActivate();
    // A typed character: the button's command when it has one. Returns
    // whether the character was used.
    bool FormKeyPress(QChar key);

    QLabel* Label1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildButtons();
    void showDisplay();

    Services& services_;
    Calculator calc_;
    QPushButton* equalsButton_ = nullptr;
    // "1/x" and "sqr" take no typed characters while they have the focus.
    QList<QPushButton*> deafButtons_;
};

} // namespace orv
