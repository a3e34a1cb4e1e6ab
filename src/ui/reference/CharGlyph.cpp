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
    qreal baseline = 0;    // the same
};

Shaped shape(QTextLayout& layout) {
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    Shaped s;
    s.baseline = layout.lineAt(0).ascent();
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

std::optional<DrawnGlyph> drawCharGlyph(QPainter& p, const QString& text, QFont font, QRect area,
                                        int baseline) {
    if (text.isEmpty())
        return std::nullopt;
    for (int px = font.pixelSize(); px >= SmallestPixelSize; --px) {
        font.setPixelSize(px);
        QTextLayout layout(text, font);
        const Shaped s = shape(layout);
        if (!s.complete)
            return std::nullopt;
        // Whole pixels keep the stems sharp.
        const QPointF origin(qRound(QRectF(area).center().x() - s.ink.center().x()),
                             qRound(baseline - s.baseline));
        const QRectF ink = s.ink.translated(origin);
        // A pixel to spare across, so that rounding the origin keeps the ink inside.
        const bool fits = s.ink.width() <= area.width() - 1 && ink.top() >= area.top() &&
                          ink.bottom() <= area.bottom() + 1;
        if (!fits && px > SmallestPixelSize)
            continue;
        if (fits) {
            layout.draw(&p, origin);
            return DrawnGlyph{ink, qreal(baseline)};
        }
        // Too tall even at the smallest size: centred on its ink instead.
        const QPointF centred(origin.x(), qRound(QRectF(area).center().y() - s.ink.center().y()));
        layout.draw(&p, centred);
        return DrawnGlyph{s.ink.translated(centred), centred.y() + s.baseline};
    }
    return std::nullopt;
}

} // namespace quaredit
