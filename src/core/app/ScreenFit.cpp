#include "core/app/ScreenFit.h"

#include <algorithm>

namespace quaredit {

namespace {

// The band at the top of the window that must stay on a screen, and how
// much of its width is enough to grab it.
constexpr qint64 TitleBarHeight = 30;
constexpr qint64 GrabWidth = 100;

struct Span {
    qint64 left, top, width, height;
    qint64 right() const { return left + width; }
    qint64 bottom() const { return top + height; }
};

Span spanOf(const QRect& r) {
    return {r.left(), r.top(), r.width(), r.height()};
}

qint64 overlap(qint64 a0, qint64 a1, qint64 b0, qint64 b1) {
    return std::max<qint64>(0, std::min(a1, b1) - std::max(a0, b0));
}

} // namespace

WindowPlacement fitPlacement(const WindowPlacement& stored, const QList<QRect>& screens) {
    if (screens.isEmpty())
        return stored;
    WindowPlacement fitted = stored;
    const qint64 width = stored.width > 0 ? stored.width : 1;
    const qint64 height = stored.height > 0 ? stored.height : 1;
    const Span window{stored.left, stored.top, width, height};

    // The screen that shows most of the window, else the primary one.
    Span screen = spanOf(screens.first());
    qint64 best = 0;
    bool titleReachable = false;
    for (const QRect& r : screens) {
        const Span s = spanOf(r);
        const qint64 across = overlap(window.left, window.right(), s.left, s.right());
        const qint64 shown = across * overlap(window.top, window.bottom(), s.top, s.bottom());
        if (shown > best) {
            best = shown;
            screen = s;
        }
        const qint64 band = std::min(TitleBarHeight, height);
        if (across >= std::min(GrabWidth, width) && window.top >= s.top &&
            window.top + band <= s.bottom())
            titleReachable = true;
    }

    const qint64 fittedWidth = std::min(width, screen.width);
    const qint64 fittedHeight = std::min(height, screen.height);
    if (stored.width > 0)
        fitted.width = qint32(fittedWidth);
    if (stored.height > 0)
        fitted.height = qint32(fittedHeight);
    if (titleReachable && fittedWidth == width && fittedHeight == height)
        return fitted;
    // Otherwise the window goes wholly onto that screen, as near to where
    // it was as the screen allows.
    fitted.left = qint32(std::clamp(window.left, screen.left, screen.right() - fittedWidth));
    fitted.top = qint32(std::clamp(window.top, screen.top, screen.bottom() - fittedHeight));
    return fitted;
}

bool windowPositionKnown(const QString& platformName) {
    return !platformName.startsWith(QLatin1String("wayland"));
}

} // namespace quaredit
