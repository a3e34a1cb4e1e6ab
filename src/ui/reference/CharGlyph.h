#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include <optional>

class QPainter;

namespace quaredit {

// Draws `text` (one calculator character) inside `area`, centred on its ink,
// through Qt's font fallback: a character `font` lacks is taken from another
// installed font. The size goes down from `font`'s until the ink fits, so an
// accent above a capital is never clipped. Gives the ink's rectangle, or
// nothing when no installed font has a glyph for every character of `text`.
std::optional<QRectF> drawCharGlyph(QPainter& p, const QString& text, QFont font, QRect area);

} // namespace quaredit
