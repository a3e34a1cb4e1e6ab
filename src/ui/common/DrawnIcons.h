#pragma once

#include <QColor>
#include <QIcon>
#include <functional>

class QPainter;

namespace quaredit {

// Small icons painted at run time: the program ships no image files, and
// its first window never waits for an icon theme to be searched.
namespace drawn {

inline const QColor Ink(40, 40, 40);
inline const QColor Paper(255, 255, 255);
inline const QColor PaperShade(225, 225, 235);

// The side of the square `paint` draws in; the icon is drawn at any size
// asked, scaled from it, the same selected or not.
inline constexpr int Side = 16;
QIcon icon(const std::function<void(QPainter&)>& paint);

void page(QPainter& p, int x, int y, int w, int h, const QColor& fill = Paper);
void lines(QPainter& p, int x, int y, int w, int count, int step = 2);
void folder(QPainter& p);

} // namespace drawn

// The main window's buttons.
enum class ToolbarIcon { NewFile, OpenFile, Save, Copy, Cut, Paste };
QIcon toolbarIcon(ToolbarIcon which);

} // namespace quaredit
