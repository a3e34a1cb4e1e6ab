#pragma once

#include <QProxyStyle>

class QApplication;

namespace quaredit {

// The application's own style, unchanged, except that the extension
// arrow of a menu or tool bar is loaded only when it is first painted.
// Every menu bar asks for that arrow when it is made, and loading it reads
// an image file the first time, for which Qt loads every image format plugin
// it finds (SVG, JPEG, GIF, ICO and their libraries): all that before the
// main window can show, for an arrow that shows only in a window too narrow
// for its menus.
class DeferredIconStyle : public QProxyStyle {
public:
    // Takes `base`, as QProxyStyle does.
    explicit DeferredIconStyle(QStyle* base);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

// Puts the style that `app` would use under a DeferredIconStyle. Leaves the
// style alone when it cannot be made a second time by its name.
void deferStandardIcons(QApplication& app);

} // namespace quaredit
