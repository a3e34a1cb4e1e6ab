// The instruction checker over any line, with its help and costs, and the
// operand reader and expression evaluator under it.
#include "FuzzInput.h"
#include "core/asm/M68kCheck.h"
#include "core/asm/M68kOperand.h"

using namespace quaredit::m68k;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const QByteArrayView text = in.bytes();
    Total total;
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        const QByteArrayView line = text.sliced(start, end - start);
        const LineCheck check = checkLine(line);
        if (check.mnemonicStart < 0 || check.mnemonicStart + check.mnemonicLength > line.size() ||
            check.faultStart < 0 || check.faultStart + check.faultLength > line.size())
            __builtin_trap();
        costText(check);
        if (check.instruction >= 0)
            instructionHelp(check.instruction, &check);
        total.add(check);
        Operand operand;
        parseOperand(line, operand);
        std::int64_t value = 0;
        evaluate(line, value);
        start = end + 1;
    }
    totalText(total);
    return 0;
}
