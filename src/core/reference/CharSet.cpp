#include "core/reference/CharSet.h"

namespace quaredit {

// Compiled from data/charset.tsv by the build.
extern const char32_t CalculatorCharTable[256][2];

QString calculatorCharText(int code) {
    if (code < 0 || code > 255)
        return {};
    QString text;
    for (const char32_t point : CalculatorCharTable[code]) {
        if (point != 0)
            text += QString::fromUcs4(&point, 1);
    }
    return text;
}

} // namespace quaredit
