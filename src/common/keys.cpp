// Mapping between Qt key numbers and virtual key codes.
#include "common/keys.h"

#include <QtCore/qnamespace.h>
#include <array>
#include <utility>

namespace orv::vk {
namespace {

constexpr std::array<std::pair<int, int>, 16> kMap = {{
    {Qt::Key_Backspace, Backspace},
    {Qt::Key_Tab, Tab},
    {Qt::Key_Clear, Clear},
    {Qt::Key_Return, Return},
    {Qt::Key_Enter, Return},
    {Qt::Key_Escape, Escape},
    {Qt::Key_Space, Space},
    {Qt::Key_PageUp, PageUp},
    {Qt::Key_PageDown, PageDown},
    {Qt::Key_End, End},
    {Qt::Key_Home, Home},
    {Qt::Key_Left, Left},
    {Qt::Key_Up, Up},
    {Qt::Key_Right, Right},
    {Qt::Key_Down, Down},
    {Qt::Key_Delete, Delete},
}};

} // namespace

int fromQtKey(int qtKey) {
    if (qtKey == Qt::Key_F1)
        return F1;
    for (auto [q, code] : kMap)
        if (q == qtKey)
            return code;
    return 0;
}

int toQtKey(int code) {
    if (code == F1)
        return Qt::Key_F1;
    for (auto [q, c] : kMap)
        if (c == code)
            return q;
    return Qt::Key_unknown;
}

} // namespace orv::vk
