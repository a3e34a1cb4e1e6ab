#include "core/tools/Sprite.h"

namespace quaredit {

QString SpriteRow(int width) {
    if (width < 1)
        return {};
    // No sprite is wider: a larger width could only ask for gigabytes.
    const int bytes = (qMin(width, MaxSpriteWidth) + 7) / 8;
    const QString byte = QStringLiteral("%00000000");
    switch (bytes) {
    case 1:
        return QStringLiteral("\tdc.b\t") + byte;
    case 2:
        return QStringLiteral("\tdc.w\t%") + QString(16, QLatin1Char('0'));
    case 4:
        return QStringLiteral("\tdc.l\t%") + QString(32, QLatin1Char('0'));
    default:
        break;
    }
    QString row = QStringLiteral("\tdc.b\t");
    row.reserve(row.size() + bytes * (byte.size() + 2));
    for (int i = 0; i < bytes; ++i) {
        if (i > 0)
            row += QStringLiteral(", ");
        row += byte;
    }
    return row;
}

LineEdits spriteEdits(const QString& name, int width, int height, int caretLine) {
    LineEdits edits;
    if (width <= 0 || height <= 0)
        return edits;
    height = qMin(height, MaxSpriteHeight);
    const QString row = SpriteRow(width);
    edits.reserve(height + 1);
    edits.append(LineEdit::insertBefore(caretLine, name + QLatin1Char(':')));
    for (int i = 1; i <= height; ++i)
        edits.append(LineEdit::insertBefore(caretLine + i, row));
    return edits;
}

SpriteHeight readSpriteHeight(QStringView text) {
    if (text.isEmpty())
        return {0, false};
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value > MaxSpriteHeight)
        return {MaxSpriteHeight, true};
    // The box takes digits only, so a negative number cannot reach here.
    return {qMax(value, 0), false};
}

int roundSpriteWidth(QStringView text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value <= 0)
        return 0;
    // Rounded within the box's range, which also keeps the sum from overflowing.
    return (qMin(value, MaxSpriteWidth) + SpriteWidthStep - 1) / SpriteWidthStep * SpriteWidthStep;
}

SpriteInputCheck checkSpriteInput(QStringView name, QStringView heightText) {
    if (name.isEmpty())
        return SpriteInputCheck::MissingName;
    if (readSpriteHeight(heightText).value == 0)
        return SpriteInputCheck::ZeroHeight;
    return SpriteInputCheck::Accepted;
}

} // namespace quaredit
