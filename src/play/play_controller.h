// The command that plays the editor's grid as a puzzle.
#pragma once

#include "common/controller.h"

#include <functional>

namespace orv {

class TGrilleJeu;
class TLettre;

class PlayController : public Controller {
    Q_OBJECT
public:
    PlayController(Document& document, Services& services, QMainWindow* window, MainView& view);

    // What the play window reaches of the other subsystems: the dictionary
    // browser, the word search and the letter picker.
    void setLinks(std::function<void()> browse, std::function<void()> search,
                  std::function<TLettre*()> letterPicker);
    // The play window, made on first use.
    TGrilleJeu& playWindow();

public Q_SLOTS:
    void Jouer1Click();

private:
    TGrilleJeu* GrilleJeu = nullptr;
    std::function<void()> browse_;
    std::function<void()> search_;
    std::function<TLettre*()> letterPicker_;
};

} // namespace orv
