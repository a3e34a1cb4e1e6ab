#pragma once

class QWidget;

namespace quaredit {

// For the start-up benchmark: when QUAREDIT_TIMING is set, writes
// "quaredit: ready <ms>" to stderr at the first paint of `widget`, counted
// from the start of the process. Nothing happens otherwise.
void reportFirstPaint(QWidget* widget);

} // namespace quaredit
