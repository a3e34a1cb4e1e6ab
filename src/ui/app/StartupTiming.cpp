#include "ui/app/StartupTiming.h"

#include <QEvent>
#include <QFile>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace quaredit {

namespace {

// Milliseconds since the process started, from the kernel's start time of
// this process, so that library loading before main() is counted too.
double msSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    // Field 22 (starttime, in clock ticks since boot) follows the ")" of the command name.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double startSeconds = fields[19].toDouble() / double(sysconf(_SC_CLK_TCK));
    return (double(now.tv_sec) + double(now.tv_nsec) / 1e9 - startSeconds) * 1000.0;
}

class FirstPaint : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            std::fprintf(stderr, "quaredit: ready %.0f\n", msSinceProcessStart());
            std::fflush(stderr);
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void reportFirstPaint(QWidget* widget) {
    if (qEnvironmentVariableIsEmpty("QUAREDIT_TIMING"))
        return;
    widget->installEventFilter(new FirstPaint(widget));
}

} // namespace quaredit
