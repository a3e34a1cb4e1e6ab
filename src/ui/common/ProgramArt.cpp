#include "ui/common/ProgramArt.h"

#include "core/settings/DesktopIntegration.h"
#include "ui/common/BakedIcon.h"

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPainter>

namespace quaredit {

namespace {

const QString IconResource = QStringLiteral(":/quaredit/quaredit.svg");

// Drawn by Qt's SVG image plugin, loaded the first time a picture is drawn,
// after the window shows: linking Qt's SVG module instead would make every
// start load and relocate it before then. Only the SVG plugin is asked: a
// reader left to guess the format loads every image plugin installed.
void paintIcon(QPainter& p, const QRectF& box, qreal ratio) {
    QImageReader reader(IconResource, "svg");
    reader.setAutoDetectImageFormat(false);
    reader.setScaledSize((box.size() * ratio).toSize());
    QImage image = reader.read();
    if (image.isNull())
        return;
    image.setDevicePixelRatio(ratio);
    // On a whole screen pixel, so the picture is copied, not resampled.
    p.drawImage(QPointF(qRound(box.left() * ratio) / ratio, qRound(box.top() * ratio) / ratio),
                image);
}

bool linesFit(const QFont& font, const QStringList& lines, int width, int height) {
    const QFontMetrics m(font);
    if (m.height() * lines.size() > height)
        return false;
    for (const QString& line : lines) {
        if (m.horizontalAdvance(line) > width)
            return false;
    }
    return true;
}

// The largest pixel size, down to 6, at which every line fits `width` and
// all of them together fit `height`. Text grows about in proportion to its
// pixel size, so one measurement at a large size tells where to start; each
// size tried loads the font afresh, which costs more than all the drawing.
int fittingPixelSize(QFont font, const QStringList& lines, int width, int height) {
    const int probe = 100;
    font.setPixelSize(probe);
    const QFontMetrics m(font);
    int widest = 1;
    for (const QString& line : lines)
        widest = qMax(widest, m.horizontalAdvance(line));
    const double scale =
        qMin(double(width) / widest, double(height) / (qMax(1, m.height()) * lines.size()));
    int px = qMin(int(probe * scale) + 1, height / int(lines.size()));
    for (; px > 6; --px) {
        font.setPixelSize(px);
        if (linesFit(font, lines, width, height))
            return px;
    }
    return 6;
}

} // namespace

QIcon programIcon() {
    // Window managers pick the size they show; one drawing per size keeps
    // the small ones sharp instead of scaled down from a large one.
    QIcon icon;
    for (const BakedIconImage& baked : BakedIconImages)
        icon.addPixmap(
            QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(baked.pixels), baked.side,
                                      baked.side, QImage::Format_ARGB32_Premultiplied)));
    return icon;
}

QPixmap programArtwork(QSize size, qreal devicePixelRatio) {
    // Drawn in the screen's own pixels; the painter takes the picture's
    // coordinates, so the layout below is the same at every scale.
    QPixmap pixmap(
        QSize(qRound(size.width() * devicePixelRatio), qRound(size.height() * devicePixelRatio)));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const int margin = 3;
    const int side = qMin(size.height() - 2 * margin, size.width() / 2);
    paintIcon(p, QRectF(margin, (size.height() - side) / 2.0, side, side), devicePixelRatio);

    const QRect text(margin + side + margin, margin, size.width() - side - 3 * margin,
                     size.height() - 2 * margin);
    const QStringList lines{QStringLiteral("Quaro"), QStringLiteral("Program"),
                            QStringLiteral("Editor"), QStringLiteral("v2.0")};
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(fittingPixelSize(font, lines, text.width(), text.height()));
    p.setFont(font);
    const QFontMetrics m(font);
    const int top = text.top() + (text.height() - m.height() * int(lines.size())) / 2;
    for (int i = 0; i < lines.size(); ++i) {
        p.setPen(i == 0 ? QColor(0, 0, 160) : i == 3 ? QColor(200, 120, 20) : QColor(40, 44, 52));
        p.drawText(QRect(text.left(), top + i * m.height(), text.width(), m.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, lines[i]);
    }
    return pixmap;
}

namespace {

// Looks at the label's ratio just before each paint: a move to another
// screen shows there first, and a pixmap set now is the one painted.
class SharpPicture : public QObject {
public:
    SharpPicture(QLabel* label, std::function<QPixmap(qreal)> draw, PictureDrawing drawing)
        : QObject(label), label_(label), draw_(std::move(draw)) {
        if (drawing == PictureDrawing::Now)
            label->setPixmap(draw_(label->devicePixelRatioF()));
        label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ && event->type() == QEvent::Paint &&
            (label_->pixmap().isNull() ||
             !qFuzzyCompare(label_->pixmap().devicePixelRatio(), label_->devicePixelRatioF())))
            label_->setPixmap(draw_(label_->devicePixelRatioF()));
        return QObject::eventFilter(watched, event);
    }

private:
    QLabel* label_;
    std::function<QPixmap(qreal)> draw_;
};

} // namespace

void showSharpPicture(QLabel* label, std::function<QPixmap(qreal)> draw, PictureDrawing drawing) {
    new SharpPicture(label, std::move(draw), drawing);
}

void applyProgramIdentity(QGuiApplication& app) {
    // No application display name: the X11 and Wayland back ends would append
    // it to every caption, cutting off the real one in narrow dialogs.
    app.setDesktopFileName(DesktopEntryId);
    app.setWindowIcon(programIcon());
}

} // namespace quaredit
