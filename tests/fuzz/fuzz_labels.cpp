// The labels scan, with every combination of its filters.
#include "FuzzInput.h"
#include "core/asm/Labels.h"

using namespace quaredit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const uint8_t bits = in.take();
    LabelFilters filters;
    filters.hideSlash = bits & 1;
    filters.show2Pt = bits & 2;
    filters.showMaj = bits & 4;
    filters.showLib = bits & 8;
    filters.alphOrder = bits & 16;
    ScanLabels(in.bytes(), filters);
    return 0;
}
