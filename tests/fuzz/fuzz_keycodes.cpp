// "keycodes.lst": any bytes, any length.
#include "FuzzInput.h"
#include "core/reference/KeyCodes.h"

using namespace quaredit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const KeyCodesLoad load = parseKeyCodes(in.copy());
    // What was read is written back whole.
    if (load.error == KeyCodesError::None && encodeKeyCodes(load.table).size() != KeyCodesFileSize)
        __builtin_trap();
    return 0;
}
