// The clock window "Horloge": the time and the date refreshed every second
// from the injected clock; "Set" freezes them so that the up/down button can
// adjust a field of the shown texts.
#pragma once

#include "common/services.h"
#include "utilities/clock_fields.h"

#include <QDialog>
#include <optional>

class QButtonGroup;
class QLabel;
class QPushButton;
class QTimer;

namespace orv {

class UpDownButton;

class THorloge : public QDialog {
    Q_OBJECT
public:
    explicit THorloge(Services& services, QWidget* parent = nullptr);

    void Timer1Timer();
    void FormActivate();
    void Button2Click();
    void SpinButton1UpClick() { adjust(1); }
    void SpinButton1DownClick() { adjust(-1); }

    // The item chosen in the radio group, none until the user picks one.
    std::optional<ClockField> chosenField() const;

    bool ModeReglage = false; // the display is frozen for adjusting
    QLabel* Label1 = nullptr; // time
    QLabel* Label2 = nullptr; // date
    QTimer* Timer1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildRadioGroup(QWidget* panel);
    void adjust(int step);

    Services& services_;
    QButtonGroup* items_ = nullptr;
};

} // namespace orv
