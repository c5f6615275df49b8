// The program's pictures, drawn rather than shipped: the tool bar glyphs and
// the program's own picture (a small crossword).
#pragma once

#include <QIcon>
#include <QPixmap>

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

} // namespace orv
