#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class QWidget;

namespace quaredit {

// Runs a piece of start-up work once, as soon as the window has shown
// itself: just after the first paint of `painted`. Input never finds the
// work undone: the first key, click, shortcut or drop anywhere in the
// application runs it before the event is delivered. A window that never
// paints (started minimised) gets it after `fallbackMs`.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* painted, std::function<void()> work, int fallbackMs = 1000);
    ~AfterFirstPaint() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void run();

    QWidget* painted_;
    std::function<void()> work_;
    QTimer fallback_;
};

} // namespace quaredit
