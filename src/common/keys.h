// Virtual key codes of the keys that handlers look at, and the mapping from
// Qt's key numbers. Handlers receive these codes and may replace them.
#pragma once

namespace orv::vk {

constexpr int Backspace = 8;
constexpr int Tab = 9;
constexpr int Clear = 12;
constexpr int Return = 13;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int End = 35;
constexpr int Home = 36;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Delete = 46;
constexpr int F1 = 112;

// 0 for keys without a code here.
int fromQtKey(int qtKey);
// Qt's key number for a code, Qt::Key_unknown when there is none.
int toQtKey(int code);

} // namespace orv::vk
