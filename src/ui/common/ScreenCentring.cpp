#include "ui/common/ScreenCentring.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>

namespace quaredit {

namespace {

class Centring : public QObject {
public:
    explicit Centring(QWidget* window) : QObject(window) { window->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !event->spontaneous())
            centreOnScreen(static_cast<QWidget*>(watched));
        return false;
    }
};

QMargins frameMargins(const QWidget* window) {
    const QRect client = window->geometry();
    const QRect frame = window->frameGeometry();
    return {client.left() - frame.left(), client.top() - frame.top(),
            frame.right() - client.right(), frame.bottom() - client.bottom()};
}

} // namespace

void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The window manager tells a frame once the window has been shown; until
    // then the main window's frame is the best guess for a framed dialog.
    QMargins margins = frameMargins(window);
    const QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    if (margins.isNull() && owner && !window->windowFlags().testFlag(Qt::FramelessWindowHint))
        margins = frameMargins(owner);
    const QSize client = window->size();
    const QSize outer = client.grownBy(margins);
    const QPoint centre = screen->availableGeometry().center();
    const QPoint frameTopLeft(centre.x() - outer.width() / 2, centre.y() - outer.height() / 2);
    window->setGeometry(QRect(frameTopLeft + QPoint(margins.left(), margins.top()), client));
}

void centreOnScreenAtEachShowing(QWidget* window) {
    new Centring(window);
}

} // namespace quaredit
