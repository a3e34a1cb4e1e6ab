#include "ui/reference/CharGlyph.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

namespace quaredit {

namespace {

constexpr int SmallestPixelSize = 6;

struct Shaped {
    bool complete = false; // every character has a glyph
    QRectF ink;            // relative to the layout's origin
};

Shaped shape(QTextLayout& layout) {
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    Shaped s;
    const QList<QGlyphRun> runs = layout.glyphRuns();
    s.complete = !runs.isEmpty();
    for (const QGlyphRun& run : runs) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            // Glyph 0 is the font's "missing" glyph: no fallback had one.
            if (glyphs[i] == 0)
                s.complete = false;
            s.ink |= font.boundingRect(glyphs[i]).translated(positions[i]);
        }
    }
    return s;
}

} // namespace

std::optional<QRectF> drawCharGlyph(QPainter& p, const QString& text, QFont font, QRect area) {
    if (text.isEmpty())
        return std::nullopt;
    for (int px = font.pixelSize(); px >= SmallestPixelSize; --px) {
        font.setPixelSize(px);
        QTextLayout layout(text, font);
        const Shaped s = shape(layout);
        if (!s.complete)
            return std::nullopt;
        // A pixel to spare, so that rounding the origin keeps the ink inside.
        const bool fits = s.ink.width() <= area.width() - 1 && s.ink.height() <= area.height() - 1;
        if (!fits && px > SmallestPixelSize)
            continue;
        // Whole pixels keep the stems sharp.
        const QPointF shift = QRectF(area).center() - s.ink.center();
        const QPointF origin(qRound(shift.x()), qRound(shift.y()));
        layout.draw(&p, origin);
        return s.ink.translated(origin);
    }
    return std::nullopt;
}

} // namespace quaredit
