#pragma once

#include "core/documents/LineEdit.h"

#include <QString>
#include <QStringView>

namespace quaredit {

constexpr int MaxSpriteHeight = 128;
constexpr int MinSpriteWidth = 8;
constexpr int MaxSpriteWidth = 128;
constexpr int SpriteWidthStep = 8;

// One empty pixel row of a sprite `width` pixels wide: a byte, word or long
// word for 8, 16 and 32, a run of bytes for every other width. A width that is
// not a multiple of 8 is taken up to the next one; a width below 1 gives "",
// one past MaxSpriteWidth the widest row.
QString SpriteRow(int width);

// The label line `name` + ":" at `caretLine`, then `height` empty rows below
// it; the caret's line and everything after it move down. Nothing when either
// size is 0 or less; at most MaxSpriteHeight rows.
LineEdits spriteEdits(const QString& name, int width, int height, int caretLine);

// What the height box holds after a change: an empty text reads 0, a text that
// is no number (too many digits) reads as too high, and too high becomes the
// maximum, which the box then reports.
struct SpriteHeight {
    int value = 0;
    bool tooHigh = false;
};
SpriteHeight readSpriteHeight(QStringView text);

// The width box after leaving it: up to the next multiple of 8 (0 when no
// number), at most MaxSpriteWidth.
int roundSpriteWidth(QStringView text);

enum class SpriteInputCheck { Accepted, MissingName, ZeroHeight };
// The check made before the dialog may close with OK.
SpriteInputCheck checkSpriteInput(QStringView name, QStringView heightText);

} // namespace quaredit
