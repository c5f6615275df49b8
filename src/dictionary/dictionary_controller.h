// The dictionary's commands: add, delete and import words, the browser and
// the statistics.
#pragma once

#include "common/controller.h"

#include <QByteArray>

namespace orv {

class TAjout;
class FillOptionsDialog;
class TDico;
class TStats;

class DictionaryController : public Controller {
    Q_OBJECT
public:
    DictionaryController(Document& document, Services& services, QMainWindow* window,
                         MainView& view);

    // The windows, created with the others in the program's fixed order.
    // The windows, made on first use.
    TAjout& wordDialog();
    TDico& browser();
    TStats& statisticsWindow();

    void Verifie();

public Q_SLOTS:
    void Ajoutermot1Click();
    void Supprimermot1Click();
    void Importerfichier1Click();
    void Dictionnaire1Click();
    void Statistiques1Click();
    // Chooses the vocabulary of automatic filling.
    void fillOptionsClick();

private:
    FillOptionsDialog& fillOptionsDialog();
    TAjout* Ajout = nullptr;
    TStats* Stats = nullptr;
    TDico* Dico = nullptr;
    FillOptionsDialog* options_ = nullptr;
    // The word typed in the word dialog under the command's caption, or "".
    QByteArray askWord(const QString& caption);
};

} // namespace orv
