#pragma once

class QWidget;

namespace quaredit {

// A dialog whose size is fixed gets the frame of a dialog: a title and a
// close button, no minimise or maximise button (window managers otherwise
// give every top-level window all of them).
void useFixedDialogFrame(QWidget* dialog);

} // namespace quaredit
