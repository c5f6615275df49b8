// The about box and the splash window.
#pragma once

#include <QDialog>
#include <QWidget>

namespace orv {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

// Shown and painted before anything else is created, freed once the windows exist.
class TSplash : public QWidget {
    Q_OBJECT
public:
    explicit TSplash(QWidget* parent = nullptr);
};

} // namespace orv
