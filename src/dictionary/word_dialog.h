// The word dialog TAjout, shared by the add and delete commands: one box for
// a word of up to 14 capital letters, "OK" and "Annuler"; for an addition,
// also the score the new word takes.
#pragma once

#include <QByteArray>
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace orv {

class TAjout : public QDialog {
    Q_OBJECT
public:
    explicit TAjout(QWidget* parent = nullptr);

    // The word typed when the dialog was last confirmed, the empty string otherwise.
    QByteArray Result() const;
    bool Confirme() const { return confirme_; }

    // The key filter: a to z become capitals, Backspace and A to Z pass, Enter
    // confirms; every other character is discarded (set to NUL).
    void Edit1KeyPress(QChar& key);
    void Button1Click();
    void Button2Click();
    void FormActivate();

    // The score box shows for an addition only; each use starts at the
    // score of a word the user adds.
    void setScoreShown(bool shown);
    int Score() const;

    void setVisible(bool visible) override;

    QLineEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* LabelScore = nullptr;
    QSpinBox* SpinScore = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public Q_SLOTS:
    // Every way of closing ends here: only "OK" and Enter confirm; "Annuler",
    // Escape and the title bar's close box cancel.
    void done(int result) override;

private:
    void keepCapitalsOnly(const QString& edited);

    bool confirme_ = false;
    QString lastText_;
};

} // namespace orv
