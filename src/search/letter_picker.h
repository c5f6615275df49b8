// The letter picker: a small modal dialog of 27 buttons in which the player
// picks one capital letter, or none with the blank button or the close box.
#pragma once

#include <QDialog>

namespace orv {

class TLettre : public QDialog {
    Q_OBJECT
public:
    explicit TLettre(QWidget* parent = nullptr);

    // The letter picked at the last showing, 'A' to 'Z', or NUL for none.
    void Result(char& Ch) const { Ch = LettreRetenue; }

protected:
    // Every showing starts with no letter picked, so closing the dialog by its
    // close box never hands back the letter of an earlier showing.
    void showEvent(QShowEvent* event) override;

private:
    // Shared by the 27 buttons; NUL for the blank one.
    void SpeedButtonClick(char lettre);

    char LettreRetenue = '\0';
};

} // namespace orv
