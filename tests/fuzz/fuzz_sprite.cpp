// The sprite window's fields, typed as anything, and the data it writes.
#include "FuzzInput.h"
#include "core/tools/Sprite.h"

using namespace quaredit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    FuzzInput in{data, size};
    const QByteArrayView all = in.bytes();
    const qsizetype split = all.indexOf('\n');
    const QString name = latin1(split < 0 ? all : all.first(split));
    const QString heightText = latin1(split < 0 ? QByteArrayView() : all.sliced(split + 1));
    const SpriteHeight height = readSpriteHeight(heightText);
    if (height.value < 0 || height.value > MaxSpriteHeight)
        __builtin_trap();
    const int width = roundSpriteWidth(name);
    if (width < 0 || width > MaxSpriteWidth)
        __builtin_trap();
    checkSpriteInput(name, heightText);
    spriteEdits(name, width, height.value, int(size % 100));
    // Any size the program may be handed, not only what the boxes give.
    const int anyWidth = int(data[0] | data[size > 1 ? 1 : 0] << 8 | unsigned(size) << 16);
    SpriteRow(anyWidth);
    spriteEdits(name, anyWidth, anyWidth, 0);
    return 0;
}
