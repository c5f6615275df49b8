// The play window: the editor's grid as a puzzle with every letter hidden,
// the clues of the rows and columns beside it, and a tool bar with the
// dictionary, the word search and the two paid help commands.
#pragma once

#include "common/services.h"
#include "play/play_state.h"

#include <QByteArray>
#include <QDialog>
#include <functional>

class QLabel;
class QPainter;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace orv {

class StringGrid;
class TLettre;

class TGrilleJeu : public QDialog {
    Q_OBJECT
public:
    // What the window reaches outside itself; the letter picker belongs to
    // the word search and is made on first use, so it is asked for when needed.
    struct Links {
        std::function<void()> browse;           // the dictionary browser
        std::function<void()> search;           // the word search
        std::function<TLettre*()> letterPicker; // the letter picker
    };

    TGrilleJeu(Services& services, Links links, QWidget* parent = nullptr);

    // --- Set up by the main window before each showing ---
    void Init(int NbL, int NbC);
    void InitA(int Row, int Col, char Ch);
    // The clue of playing row i + 1, and of playing column j + 1.
    void InitDefHoriz(int i, const QByteArray& clue);
    void InitDefVert(int j, const QByteArray& clue);

    // The game, kept between showings and restarted by Init.
    EtatJeu Jeu;

    // --- Drawing ---
    void DessinGrille();
    void Remplit();
    void EcritCell(QPainter& painter, int col, int row, const QRect& rect);
    void FormResize();

    // --- Handlers ---
    void StringGrid1KeyPress(QChar& key);
    void StringGrid1KeyDown(int& key);
    void SpeedButton1Click();  // "Montrer la lettre"
    void SpeedButton2Click();  // "Placer une lettre"
    void SpeedButton30Click(); // "Recherche de mot"
    void SpeedButton31Click(); // "Dictionnaire"

    // --- Controls ---
    QWidget* Panel1 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Button1 = nullptr;
    StringGrid* StringGrid1 = nullptr;
    QWidget* Panel2 = nullptr;
    QLabel* Label1 = nullptr;
    QTableWidget* StringGrid2 = nullptr;
    QLabel* Label2 = nullptr;
    QTableWidget* StringGrid3 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildToolBar();
    void buildCluePanel();
    void FormShow();
    void afficheLabels(QTableWidget* list, int rows, bool letters);
    void updatePoints();

    Services& services_;
    Links links_;
};

} // namespace orv
