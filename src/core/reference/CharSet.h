#pragma once

#include <QString>

namespace quaredit {

// The Unicode text nearest to the calculator's glyph for a character code
// (0-255): usually one character, sometimes a letter and a combining mark.
// Empty for a code without a glyph (the string terminator 0) and for a code
// outside the set.
QString calculatorCharText(int code);

} // namespace quaredit
