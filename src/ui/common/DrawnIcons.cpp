#include "ui/common/DrawnIcons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace quaredit {

namespace {

// Paints the icon at whatever size is asked, in the screen's pixels: a tool
// button on a screen scaled by 2 asks for 32 x 32 and gets the drawing at
// that size, not the 16 x 16 one enlarged.
class PaintedIconEngine : public QIconEngine {
public:
    explicit PaintedIconEngine(std::function<void(QPainter&)> paint) : paint_(std::move(paint)) {}

    void paint(QPainter* p, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        // Through a pixmap, so that the disabled look is the style's.
        const qreal dpr = p->device() ? p->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = pixmap(rect.size() * dpr, mode, state);
        pm.setDevicePixelRatio(dpr);
        p->drawPixmap(rect.topLeft(), pm);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        {
            QPainter p(&pm);
            p.scale(size.width() / qreal(drawn::Side), size.height() / qreal(drawn::Side));
            paint_(p);
        }
        if (mode == QIcon::Disabled && qApp) {
            QStyleOption option;
            option.palette = QApplication::palette();
            return QApplication::style()->generatedIconPixmap(mode, pm, &option);
        }
        return pm;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new PaintedIconEngine(paint_); }
    QString key() const override { return QStringLiteral("quaredit-painted"); }

private:
    std::function<void(QPainter&)> paint_;
};

} // namespace

namespace drawn {

QIcon icon(const std::function<void(QPainter&)>& paint) {
    return QIcon(new PaintedIconEngine(paint));
}

void page(QPainter& p, int x, int y, int w, int h, const QColor& fill) {
    p.setPen(Ink);
    p.setBrush(fill);
    p.drawRect(x, y, w, h);
}

void lines(QPainter& p, int x, int y, int w, int count, int step) {
    p.setPen(QColor(90, 110, 170));
    for (int i = 0; i < count; ++i)
        p.drawLine(x, y + i * step, x + w, y + i * step);
}

void folder(QPainter& p) {
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(230, 190, 80));
    p.drawRect(1, 4, 12, 10);
    p.setBrush(QColor(250, 215, 110));
    p.drawPolygon(QPolygon({{3, 7}, {15, 7}, {13, 14}, {1, 14}}));
}

} // namespace drawn

namespace {

using namespace drawn;

void newFile(QPainter& p) {
    // A blank page with its corner folded.
    p.setPen(Ink);
    p.setBrush(Paper);
    p.drawPolygon(QPolygon({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}));
    p.setBrush(PaperShade);
    p.drawPolygon(QPolygon({{10, 1}, {10, 4}, {13, 4}}));
}

void save(QPainter& p) {
    // A diskette: label above, metal shutter below.
    p.setPen(QColor(20, 30, 80));
    p.setBrush(QColor(50, 70, 150));
    p.drawRect(1, 1, 14, 14);
    p.setBrush(Paper);
    p.drawRect(4, 1, 8, 6);
    p.setPen(QColor(90, 90, 100));
    p.setBrush(QColor(190, 190, 200));
    p.drawRect(5, 10, 6, 5);
    p.fillRect(9, 11, 1, 3, QColor(50, 70, 150));
}

void copy(QPainter& p) {
    page(p, 1, 1, 9, 11, PaperShade);
    page(p, 5, 4, 9, 11);
    lines(p, 7, 7, 5, 4);
}

void cut(QPainter& p) {
    // Open scissors, handles down.
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(110, 110, 120), 1.5));
    p.drawLine(QPointF(5.5, 10), QPointF(11, 1));
    p.drawLine(QPointF(10.5, 10), QPointF(5, 1));
    p.setPen(QPen(QColor(170, 30, 30), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 12.5), 2.5, 2.5);
    p.drawEllipse(QPointF(11.5, 12.5), 2.5, 2.5);
}

void paste(QPainter& p) {
    // A clipboard holding a written page.
    p.setPen(QColor(110, 70, 30));
    p.setBrush(QColor(190, 140, 80));
    p.drawRect(2, 2, 12, 13);
    page(p, 4, 4, 8, 10);
    lines(p, 6, 7, 4, 3);
    p.setPen(Ink);
    p.setBrush(QColor(170, 170, 180));
    p.drawRect(5, 0, 6, 3);
}

} // namespace

QIcon toolbarIcon(ToolbarIcon which) {
    switch (which) {
    case ToolbarIcon::NewFile:
        return icon(newFile);
    case ToolbarIcon::OpenFile:
        return icon(folder);
    case ToolbarIcon::Save:
        return icon(save);
    case ToolbarIcon::Copy:
        return icon(copy);
    case ToolbarIcon::Cut:
        return icon(cut);
    case ToolbarIcon::Paste:
        return icon(paste);
    }
    return {};
}

} // namespace quaredit
