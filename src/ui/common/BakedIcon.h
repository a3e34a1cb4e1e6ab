#pragma once

namespace quaredit {

// The program's icon as drawn at build time from data/quaredit.svg, one
// square image per size a window manager asks for: premultiplied ARGB, one
// 32-bit value per pixel, row after row.
constexpr int BakedIconSides[] = {16, 22, 24, 32, 48, 64, 128};
constexpr int BakedIconCount = int(sizeof(BakedIconSides) / sizeof(BakedIconSides[0]));

struct BakedIconImage {
    int side;
    const unsigned int* pixels;
};

extern const BakedIconImage BakedIconImages[BakedIconCount];

} // namespace quaredit
