#pragma once

class QWidget;

namespace quaredit {

// Centres `window` on its screen each time the program shows it (a restore
// from the task bar leaves it where it is). The client geometry is set,
// not the frame position, so that a window manager's frame never shifts the
// window a little further at each opening.
void centreOnScreenAtEachShowing(QWidget* window);

// Centres `window` on its screen now.
void centreOnScreen(QWidget* window);

} // namespace quaredit
