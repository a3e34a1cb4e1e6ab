#pragma once

#include <QPoint>
#include <QRect>

#include <optional>

namespace quaredit {

// Geometry of the character table's picture: headings above and left of a
// 16 x 16 grid of 15-pixel cells, each cell counting the grid line on its
// left and top edges.
namespace chartable {
inline constexpr int PictureWidth = 271;
inline constexpr int PictureHeight = 256;
inline constexpr int CellSize = 15;
inline constexpr int Columns = 16;
inline constexpr int Rows = 16;
inline constexpr int GridLeft = 30;                             // first vertical grid line
inline constexpr int GridTop = 15;                              // first horizontal grid line
inline constexpr int GridRight = GridLeft + Columns * CellSize; // 270, the last line
inline constexpr int GridBottom = GridTop + Rows * CellSize;    // 255, the last line
// The frame covers the white ring just inside a cell's grid lines.
inline constexpr int FrameSize = CellSize - 1;
} // namespace chartable

struct CharCell {
    int column = -1;
    int row = -1;
    int code() const { return row * chartable::Columns + column; }
    bool operator==(const CharCell&) const = default;
};

// The cell under a point of the picture; nothing on the headings, the
// picture's edge lines or the closing grid lines at the right and bottom.
std::optional<CharCell> charCellAt(QPoint at);

// Where a code's cell lies, its grid lines on the left and top included.
QRect charCellRect(int code);

// The top left corner of the selection frame for a cell: one pixel inside
// its grid lines.
QPoint charFrameCorner(const CharCell& cell);
// The 14 x 14 pixels a frame with that corner covers.
QRect charFrameRect(QPoint corner);

// What a selection asks the picture to redraw: the old frame to erase (in
// white) and the new one to draw (in black).
struct CharFrameMove {
    QRect erase;
    QRect draw;
};

// The selection in the picture, driven by the mouse. It lives as long as the
// window, so the user finds the same cell at the next opening.
class CharTableSelection {
public:
    // Mouse down anywhere in the picture: tracking starts even outside the
    // grid, so a drag that enters the grid selects the cells it crosses.
    std::optional<CharFrameMove> press(QPoint at);
    // Mouse move: selects only while tracking.
    std::optional<CharFrameMove> move(QPoint at);
    void release() { tracking_ = false; }

    bool tracking() const { return tracking_; }
    CharCell cell() const { return cell_; }
    QPoint frameCorner() const { return frame_; }
    int code() const { return code_; }

private:
    std::optional<CharFrameMove> select(QPoint at);

    CharCell cell_;        // none at first
    QPoint frame_{31, 16}; // erasing this first frame only repaints white
    int code_ = 0;
    bool tracking_ = false;
};

} // namespace quaredit
