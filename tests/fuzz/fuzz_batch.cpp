// "batch.dat", the user's own batch text, read, shown and written back.
#include "FuzzInput.h"
#include "core/compile/BatchText.h"

using namespace quaredit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const QStringList lines = batchLinesFromBytes(in.copy());
    const QString shown = batchDisplayText(lines);
    batchLinesFromText(shown);
    // Written and read again, the lines stay the same.
    if (batchLinesFromBytes(batchBytesFromLines(lines)) != lines)
        __builtin_trap();
    return 0;
}
