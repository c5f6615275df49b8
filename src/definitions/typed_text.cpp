// Typed keys and field validators of the definitions windows.
#include "definitions/typed_text.h"

#include "common/codec.h"

#include <QKeyEvent>

namespace orv {

bool isTypedCharacter(const QKeyEvent* event) {
    if (event->text().isEmpty())
        return false;
    switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
        return false;
    default:
        // Some platforms give Delete the text DEL.
        return event->text().at(0) != QChar(0x7f);
    }
}

QValidator::State LineTextValidator::validate(QString& input, int&) const {
    for (QChar ch : input)
        if (ch == u'\r' || ch == u'\n' || ch.unicode() == 0 || !isEncodable(ch))
            return Invalid;
    return Acceptable;
}

QValidator::State CapitalsValidator::validate(QString& input, int&) const {
    for (QChar& ch : input) {
        if (ch >= u'a' && ch <= u'z')
            ch = QChar(ch.unicode() - u'a' + u'A');
        else if (ch < u'A' || ch > u'Z')
            return Invalid;
    }
    return Acceptable;
}

} // namespace orv
