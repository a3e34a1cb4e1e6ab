#include "ui/app/ScreenCentring.h"

#include <QEvent>
#include <QGuiApplication>
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

} // namespace

void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // The frame is known once the window has been shown; before that the
    // client area is centred, which is as close as can be told.
    const QRect client = window->geometry();
    const QRect frame = window->frameGeometry();
    const QPoint clientOffset = client.topLeft() - frame.topLeft();
    const QPoint centre = screen->availableGeometry().center();
    const QPoint frameTopLeft(centre.x() - frame.width() / 2, centre.y() - frame.height() / 2);
    window->setGeometry(QRect(frameTopLeft + clientOffset, client.size()));
}

void centreOnScreenAtEachShowing(QWidget* window) {
    new Centring(window);
}

} // namespace quaredit
