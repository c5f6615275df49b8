// The calendar window "Calendrier": a banner with the month and the year,
// buttons to the previous and next month, and the month grid. The selected
// date lasts from one opening to the next.
#pragma once

#include "common/services.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace orv {

class TCalendar;

class TCalendrier : public QDialog {
    Q_OBJECT
public:
    explicit TCalendrier(Services& services, QWidget* parent = nullptr);

    void FormActivate();
    void Calendar1Change();
    void BitBtn1Click();
    void BitBtn2Click();
    // Page Down and Page Up step the month, Escape closes; the key goes on
    // unchanged to the control that received it.
    void Calendar1KeyDown(int& key);
    void Calendar1KeyPress(QChar& key);

    TCalendar* Calendar1 = nullptr;
    QLabel* Label1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPushButton* addButton(QWidget* panel, const char* name, const QString& caption, int x);
};

} // namespace orv
