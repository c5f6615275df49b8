// The small dialog of the printing and export commands: the title line, the
// author line, where the solution goes and, for a PNG image, its resolution.
// It keeps what was typed between showings, as the program's windows do.
#pragma once

#include "publish/grid_export.h"
#include "publish/print_layout.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace orv {

class ExportDialog : public QDialog {
    Q_OBJECT
public:
    enum class Purpose { Print, Export };
    enum class Outcome { Cancelled, Preview, Print, Export };

    explicit ExportDialog(QWidget* parent = nullptr);

    // Prepares a showing: the title field shows the last title typed, or
    // `defaultTitle` when none was; the resolution shows only for a PNG file
    // and the solution's place only for the printed layout.
    void Init(Purpose purpose, const QString& defaultTitle,
              std::optional<ExportFormat> format = {});
    Outcome outcome() const { return outcome_; }
    PublishOptions options() const;
    int resolution() const;

private:
    void finish(Outcome outcome);

    QLineEdit* title_ = nullptr;
    QLineEdit* author_ = nullptr;
    QLabel* solutionLabel_ = nullptr;
    QComboBox* solution_ = nullptr;
    QLabel* resolutionLabel_ = nullptr;
    QSpinBox* resolution_ = nullptr;
    QPushButton* preview_ = nullptr;
    QPushButton* ok_ = nullptr;
    Purpose purpose_ = Purpose::Export;
    QString defaultTitle_;
    QString typedTitle_;
    Outcome outcome_ = Outcome::Cancelled;
};

} // namespace orv
