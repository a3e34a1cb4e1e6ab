// The settings file as a hand edit may leave it: what the store reads of it
// itself (hand-typed values, an unclosed quote).
#include "FuzzInput.h"
#include "platform/settings/IniKeyStore.h"

using namespace quaredit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const QByteArray text = in.copy();
    handTypedValues(text);
    const int line = lineWithUnbalancedQuote(text);
    if (line < 0 || line > text.count('\n') + 1)
        __builtin_trap();
    return 0;
}
