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

// A 16 x 16 icon, the same selected or not.
QIcon icon(const std::function<void(QPainter&)>& paint);

void page(QPainter& p, int x, int y, int w, int h, const QColor& fill = Paper);
void lines(QPainter& p, int x, int y, int w, int count, int step = 2);
void folder(QPainter& p);

} // namespace drawn

// The main window's buttons.
enum class ToolbarIcon { NewFile, OpenFile, Save, Copy, Cut, Paste };
QIcon toolbarIcon(ToolbarIcon which);

} // namespace quaredit
