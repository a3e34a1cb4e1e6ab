#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include <optional>

class QPainter;

namespace quaredit {

struct DrawnGlyph {
    QRectF ink;     // where the glyph's ink went
    qreal baseline; // the line it stands on
};

// Draws `text` (one calculator character) inside `area`, centred across on
// its ink and standing on `baseline`, so that the letters of a row line up as
// in print; through Qt's font fallback, a character `font` lacks is taken
// from another installed font. The size goes down from `font`'s until the
// ink fits, so an accent above a capital is never clipped; only a glyph too
// tall at the smallest size leaves the baseline. Nothing when no installed
// font has a glyph for every character of `text`.
std::optional<DrawnGlyph> drawCharGlyph(QPainter& p, const QString& text, QFont font, QRect area,
                                        int baseline);

} // namespace quaredit
