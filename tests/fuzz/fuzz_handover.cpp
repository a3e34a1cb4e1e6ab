// The hand-over message, as any program that can reach the socket may send it.
#include "FuzzInput.h"
#include "core/app/Instance.h"

using namespace quaredit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    QByteArray buffer = in.copy();
    for (int messages = 0; messages < 8; ++messages) {
        bool malformed = false;
        const auto files = takeHandover(buffer, malformed);
        if (!files)
            break;
        if (files->size() > MaxHandoverFiles)
            __builtin_trap();
        // What was taken reads back the same once written.
        QByteArray again = encodeHandover(*files);
        const auto back = takeHandover(again, malformed);
        if (!back || *back != *files || !again.isEmpty())
            __builtin_trap();
    }
    return 0;
}
