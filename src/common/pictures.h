// The program's pictures, drawn rather than shipped: the tool bar glyphs and
// the program's own picture (a small crossword).
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QPoint>

class QToolButton;
class QWidget;

namespace orv {

enum class ToolPicture {
    NewGrid,
    Open,
    Save,
    AddWord,
    DeleteWord,
    Dictionary,
    Statistics,
    Search,
    Dimensions,
    Clues,
    BlackSquares,
    Play,
    ShowLetter,
    PlaceLetter,
    ArrowLeft,
    ArrowRight
};

QIcon toolIcon(ToolPicture picture);
QPixmap toolPixmap(ToolPicture picture, int side, bool enabled = true);
QPixmap programPicture(QSize size);

// A flat 25 x 25 tool button at a place on its panel, with its picture and its
// hint as tooltip and status text.
QToolButton* makeToolButton(QWidget* panel, const char* name, const QString& hint,
                            ToolPicture picture, QPoint place);

} // namespace orv
