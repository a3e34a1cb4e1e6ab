#include "ui/common/AfterFirstPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace quaredit {

namespace {

bool isInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}

} // namespace

AfterFirstPaint::AfterFirstPaint(QWidget* painted, std::function<void()> work, int fallbackMs)
    : QObject(painted), painted_(painted), work_(std::move(work)) {
    QCoreApplication::instance()->installEventFilter(this);
    fallback_.setSingleShot(true);
    connect(&fallback_, &QTimer::timeout, this, &AfterFirstPaint::run);
    fallback_.start(fallbackMs);
}

AfterFirstPaint::~AfterFirstPaint() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event) {
    if (!work_)
        return false;
    if (isInput(event->type())) {
        run();
    } else if (watched == painted_ && event->type() == QEvent::Paint) {
        // Queued, so the painted window reaches the screen before the work starts.
        fallback_.start(0);
    }
    return false;
}

void AfterFirstPaint::run() {
    fallback_.stop();
    QCoreApplication::instance()->removeEventFilter(this);
    auto work = std::move(work_);
    work_ = nullptr;
    if (work)
        work();
}

} // namespace quaredit
