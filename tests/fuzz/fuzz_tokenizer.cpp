// The colouring tokenizer: any bytes a file holds, from either state.
#include "FuzzInput.h"
#include "core/asm/AsmTokenizer.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    quaredit::AsmState state;
    state.afterEnd = in.take() & 1;
    const QByteArrayView text = in.bytes();
    std::vector<unsigned char> classes(size_t(text.size()) + 1, 0xEE);
    quaredit::classifyAsm(text, state, classes.data());
    // Nothing is written past the text.
    if (classes[size_t(text.size())] != 0xEE)
        __builtin_trap();
    const qsizetype lineEnd = text.indexOf('\n');
    const auto tokens = quaredit::asmTokens(lineEnd < 0 ? text : text.first(lineEnd), state);
    for (const auto& token : tokens) {
        if (token.start < 0 || token.start + token.length > text.size())
            __builtin_trap();
    }
    return 0;
}
