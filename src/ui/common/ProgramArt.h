#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <functional>

class QGuiApplication;
class QLabel;

namespace quaredit {

// The program's icon, drawn by the build from the SVG the desktop entry
// names, at each size a window manager asks for.
QIcon programIcon();

// The program's artwork: the icon's calculator beside the program's name,
// fitted to `size` (the main window's picture panel, the about box's logo),
// drawn for a screen of that device pixel ratio so that it stays sharp there.
QPixmap programArtwork(QSize size, qreal devicePixelRatio = 1.0);

// Shows in `label` the picture `draw` makes for a device pixel ratio, drawn
// again whenever the label comes to paint on a screen of another ratio (the
// window moved to another monitor, the desktop's scaling changed).
// `WhenPainted` draws it only when the label first paints: laying out its
// text is the first text the program lays out, which costs more than the
// rest of the main window, and need not delay the window's showing. The
// label's size must then not depend on the picture.
enum class PictureDrawing { Now, WhenPainted };
void showSharpPicture(QLabel* label, std::function<QPixmap(qreal)> draw,
                      PictureDrawing drawing = PictureDrawing::Now);

// What the desktop shows of the program besides its window captions: the
// task-bar name and icon come from the desktop entry named here, and no
// text is appended to the captions the program sets.
void applyProgramIdentity(QGuiApplication& app);

} // namespace quaredit
