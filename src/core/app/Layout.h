#pragma once

#include <QSize>

namespace quaredit {

// Design places of the controls the layout rule reads (pixels at 120 dpi).
struct LayoutDesign {
    int editorLeft = 9;
    int editorTop = 9;
    int projectListTop = 42;
    int bevel1Left = 4;
    int libWindowTop = 8;
    int usrPrgIconLeft = 5;
    int fond1Height = 73;
    int statusBarHeight = 28;
    int fond2Left = 169;
    int fond4Width = 198;
    int bevel2Top = 40;
};

// Sizes and places the layout rule sets on every resize of the main window.
struct MainLayout {
    int fond2Width, usrPrgIconWidth, line1Width;
    int fond3Width, fond3Height;
    int fond4Left, fond4Height;
    int editorWidth, editorHeight;
    int tabSetTop, tabSetWidth;
    int projectListHeight;
    int bevel1Width, bevel2Width, bevel2Height;
    int bevel3Top, bevel3Width;
    int bevel4Width, bevel4Height;
    int refreshBtTop;
};

// The layout for a window whose outer size (frame, caption and menu included)
// is `window`; each step reads the values set by the steps before it.
MainLayout computeMainLayout(QSize window, const LayoutDesign& design = {});

// The outer size the layout rule is given for a window whose work area (the
// client area between the menu bar and the status bar) is `workArea`. The
// rule was made for a frame, caption, menu bar and status bar that add 10 x 83
// pixels to the work area (790 x 517 at 800 x 600, where the panels end);
// measuring the work area itself makes the panels meet the status bar and the
// right edge whatever a window manager's frame and the style's bars measure.
QSize ruleWindowSize(QSize workArea);

// The least room the panels need to be of use: the editor about 24 columns
// of a 9-point font wide and ten lines high, the project list a few files
// high, the picture panel its picture.
struct PanelRoom {
    int editorWidth = 200;
    int editorHeight = 140;
    int projectListHeight = 120;
    int pictureWidth = 136;
};
inline constexpr PanelRoom LeastRoom{};

// The smallest work area at which the layout rule gives every panel its
// least room; the window cannot be made smaller. Small enough for a window
// tiled at a third of a 1280-pixel screen, whatever the screen measures: a
// share of the screen, as the rule used to be, cut off the right panels
// on tiling desktops.
QSize minimumWorkArea(const LayoutDesign& design = {});

} // namespace quaredit
