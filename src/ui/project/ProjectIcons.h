#pragma once

#include <QIcon>

namespace quaredit {

// The 16 x 16 icons of the project tree, by number (0 to 8).
QIcon projectIcon(int number);

} // namespace quaredit
