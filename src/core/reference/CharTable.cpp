#include "core/reference/CharTable.h"

namespace quaredit {

using namespace chartable;

std::optional<CharCell> charCellAt(QPoint at) {
    // The closing lines at x = 270 and y = 255 belong to no cell.
    if (at.x() < GridLeft || at.y() < GridTop || at.x() >= GridRight || at.y() >= GridBottom)
        return std::nullopt;
    return CharCell{at.x() / CellSize - GridLeft / CellSize,
                    at.y() / CellSize - GridTop / CellSize};
}

QRect charCellRect(int code) {
    const int column = code % Columns;
    const int row = code / Columns;
    return QRect(GridLeft + CellSize * column, GridTop + CellSize * row, CellSize, CellSize);
}

QPoint charFrameCorner(const CharCell& cell) {
    return charCellRect(cell.code()).topLeft() + QPoint(1, 1);
}

QRect charFrameRect(QPoint corner) {
    return QRect(corner, QSize(FrameSize, FrameSize));
}

std::optional<CharFrameMove> CharTableSelection::press(QPoint at) {
    tracking_ = true;
    return select(at);
}

std::optional<CharFrameMove> CharTableSelection::move(QPoint at) {
    if (!tracking_)
        return std::nullopt;
    return select(at);
}

std::optional<CharFrameMove> CharTableSelection::select(QPoint at) {
    const std::optional<CharCell> hit = charCellAt(at);
    if (!hit || *hit == cell_)
        return std::nullopt;
    cell_ = *hit;
    const QRect erase = charFrameRect(frame_);
    frame_ = charFrameCorner(cell_);
    code_ = cell_.code();
    return CharFrameMove{erase, charFrameRect(frame_)};
}

} // namespace quaredit
