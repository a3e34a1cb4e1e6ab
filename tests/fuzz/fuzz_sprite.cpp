// The sprite window's fields, typed as anything, and the data it writes.
#include "FuzzInput.h"
#include "core/tools/Sprite.h"

using namespace quaredit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const QByteArrayView all = in.bytes();
    const qsizetype split = all.indexOf('\n');
    const QString name = latin1(split < 0 ? all : all.first(split));
    const QString heightText = latin1(split < 0 ? QByteArrayView() : all.sliced(split + 1));
    const SpriteHeight height = readSpriteHeight(heightText);
    if (height.value < 0 || height.value > MaxSpriteHeight)
        __builtin_trap();
    const int width = roundSpriteWidth(name);
    checkSpriteInput(name, heightText);
    SpriteRow(width);
    if (width <= MaxSpriteWidth)
        spriteEdits(name, width, height.value, int(size % 100));
    return 0;
}
