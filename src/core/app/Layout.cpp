#include "core/app/Layout.h"

namespace quaredit {

MainLayout computeMainLayout(QSize window, const LayoutDesign& d) {
    const int W = window.width();
    const int H = window.height();
    MainLayout l{};
    l.fond2Width = W - d.fond2Left - 2 * d.usrPrgIconLeft;
    l.usrPrgIconWidth = l.fond2Width - 2 * d.usrPrgIconLeft;
    l.line1Width = W;
    // Truncation toward zero, also for windows smaller than the panels.
    l.fond3Height = int(H - d.fond1Height - 3.2 * d.statusBarHeight);
    l.fond3Width = W - d.fond4Width - d.editorLeft;
    l.fond4Left = l.fond3Width - 1;
    l.fond4Height = l.fond3Height;
    l.editorWidth = l.fond3Width - 2 * d.editorLeft;
    l.editorHeight = l.fond3Height - 5 * d.editorTop;
    l.tabSetTop = d.editorTop + l.editorHeight;
    l.tabSetWidth = l.editorWidth - 2;
    l.projectListHeight = l.fond3Height - 2 * d.projectListTop;
    l.bevel1Width = d.fond4Width - 2 * d.bevel1Left;
    l.bevel2Width = l.bevel1Width;
    l.bevel2Height = int(l.fond4Height - 1.8 * d.projectListTop);
    l.bevel3Top = d.bevel2Top + l.bevel2Height;
    l.bevel3Width = l.bevel2Width;
    l.bevel4Height = l.fond3Height - d.editorTop + 1;
    l.bevel4Width = l.fond3Width - d.editorLeft + 1;
    l.refreshBtTop = l.bevel3Top + d.libWindowTop / 2;
    return l;
}

QSize ruleWindowSize(QSize workArea) {
    return {workArea.width() + 10, workArea.height() + 83};
}

QSize minimumWorkArea(const LayoutDesign& design) {
    const auto layoutAt = [&design](int width, int height) {
        return computeMainLayout(ruleWindowSize({width, height}), design);
    };
    // Each direction on its own: the widths the rule gives depend on the
    // width only, the heights on the height only.
    constexpr int Roomy = 10000;
    int width = 0;
    for (;; ++width) {
        const MainLayout l = layoutAt(width, Roomy);
        if (l.editorWidth >= LeastRoom.editorWidth && l.fond2Width >= LeastRoom.pictureWidth)
            break;
    }
    int height = 0;
    for (;; ++height) {
        const MainLayout l = layoutAt(Roomy, height);
        if (l.editorHeight >= LeastRoom.editorHeight &&
            l.projectListHeight >= LeastRoom.projectListHeight)
            break;
    }
    return {width, height};
}

} // namespace quaredit
