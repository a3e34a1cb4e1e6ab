#include "ui/common/DeferredIconStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>
#include <functional>

namespace quaredit {

namespace {

// An icon that asks for the real one when something first needs its pixels
// or sizes.
class DeferredIconEngine : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> make) : make_(std::move(make)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QString iconName() override { return icon().name(); }
    // Asked by buttons before they paint; a standard icon is never empty,
    // and saying so must not load it.
    bool isNull() override { return made_ && icon_.isNull(); }
    QString key() const override { return QStringLiteral("quaredit-deferred"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    QIcon& icon() {
        if (!made_) {
            icon_ = make_();
            made_ = true;
        }
        return icon_;
    }

    std::function<QIcon()> make_;
    QIcon icon_;
    bool made_ = false;
};

} // namespace

DeferredIconStyle::DeferredIconStyle(QStyle* base) : QProxyStyle(base) {}

QIcon DeferredIconStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                      const QWidget* widget) const {
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    // Only the direction is taken from the option and widget; the widget may
    // be gone by the time the arrow paints.
    const bool rightToLeft =
        option ? option->direction == Qt::RightToLeft
               : (widget ? widget->isRightToLeft() : QGuiApplication::isRightToLeft());
    QPointer<QStyle> base = baseStyle();
    return QIcon(new DeferredIconEngine([base, icon, rightToLeft] {
        if (!base)
            return QIcon();
        QStyleOption direction;
        direction.direction = rightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
        return base->standardIcon(icon, &direction);
    }));
}

void deferStandardIcons(QApplication& app) {
    QStyle* base = QStyleFactory::create(QApplication::style()->name());
    if (!base)
        return;
    app.setStyle(new DeferredIconStyle(base));
}

} // namespace quaredit
