#pragma once

#include <QRect>
#include <QSize>
#include <QStringList>

namespace quaredit {

namespace aboutbox {
inline constexpr int ZoomSteps = 20;
inline constexpr int ZoomPauseMs = 6;
inline constexpr int ScrollIntervalMs = 90;
inline constexpr int ScrollStep = 2;
// The text turns down once its top passes above UpperTurn and up once it
// passes below LowerTurn; it starts at LowerTurn, moving up.
inline constexpr int LowerTurn = 8;
inline constexpr int UpperTurn = -268;
} // namespace aboutbox

// The 26 lines of the scrolling text.
QStringList aboutTextLines();

// The window's place at one step (1 to ZoomSteps) of the opening zoom: it
// grows from nothing to its full size, centred on the screen throughout.
QRect aboutZoomGeometry(int step, QSize screen, QSize window);

// The scrolling text's vertical position and direction. It lives as long as
// the window, so a new opening resumes where the last one stopped.
class AboutScroll {
public:
    // One tick of the timer.
    void step();

    int top() const { return top_; }
    bool movingUp() const { return up_; }

private:
    int top_ = aboutbox::LowerTurn;
    bool up_ = true;
};

} // namespace quaredit
