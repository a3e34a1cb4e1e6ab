#include "core/about/AboutBox.h"

#include "core/app/ProductName.h"

namespace quaredit {

using namespace aboutbox;

QStringList aboutTextLines() {
    return {
        QStringLiteral("Quaro Program Editor"),
        QStringLiteral("V2.0 ALPHA 5"),
        QStringLiteral("Vask Software"),
        QString(),
        QStringLiteral("This program in only a ALPHA version. So If you "),
        QStringLiteral("have bug report, or suggestions, DON'T hesitate !"),
        QString(),
        QStringLiteral("Special Thanks to :"),
        QStringLiteral("  - the testers of the alpha versions,"),
        QStringLiteral("  - the authors of the Quaro II kernel,"),
        QStringLiteral("  - the authors of PlusShell and DoorsOS,"),
        QStringLiteral("  - the authors of the 68000 assemblers,"),
        QStringLiteral("  - the makers of the calculator emulators,"),
        QStringLiteral("  - everyone who sent a bug report"),
        QStringLiteral("    or a suggestion."),
        QString(),
        QStringLiteral("To contact the author :"),
        QStringLiteral("Vask Software"),
        QStringLiteral("postal address : see the readme file"),
        QStringLiteral("e-mail : see the readme file"),
        QString(),
        QStringLiteral("Don't forget to look for a newer"),
        QStringLiteral("version from time to time !"),
        QString(),
        ProductRelease,
        QStringLiteral("Thanks for using it !"),
    };
}

QRect aboutZoomGeometry(int step, QSize screen, QSize window) {
    const int width = window.width() * step / ZoomSteps;
    const int height = window.height() * step / ZoomSteps;
    // Integer division rounds towards zero, also for a window larger than the screen.
    return QRect((screen.width() - width) / 2, (screen.height() - height) / 2, width, height);
}

void AboutScroll::step() {
    if (up_) {
        top_ -= ScrollStep;
        if (top_ < UpperTurn)
            up_ = false;
    } else {
        top_ += ScrollStep;
        if (top_ > LowerTurn)
            up_ = true;
    }
}

} // namespace quaredit
