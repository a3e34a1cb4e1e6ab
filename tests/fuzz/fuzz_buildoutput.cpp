// A build's output, cut into lines and messages as the messages panel reads
// it, in pieces of the sizes the fuzzer picks, with or without a user
// pattern taken from the front of the input.
#include "FuzzInput.h"
#include "core/compile/BuildLog.h"

using namespace quaredit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const int patternLength = in.take() % 16;
    QString pattern;
    for (int i = 0; i < patternLength; ++i)
        pattern += QChar(in.take());
    if (in.take() & 1)
        pattern = QStringLiteral("^(?<file>[^ ]+) (?<line>\\d+)(,(?<col>\\d+))?: (?<message>.*)");
    BuildLog log(BuildMessageRecogniser(pattern), 64);
    while (in.size > 0) {
        const size_t piece = std::min<size_t>(in.take() + 1, in.size);
        log.append(QByteArray(reinterpret_cast<const char*>(in.data), qsizetype(piece)));
        in.data += piece;
        in.size -= piece;
    }
    log.finish();
    // The history stays bounded, and every kept message names a real line.
    if (log.lineCount() > 64)
        __builtin_trap();
    for (int i = 0; i < int(log.messages().size()); ++i) {
        const BuildMessage& m = log.messages()[size_t(i)].message;
        const qsizetype row = log.rowOfMessage(i);
        if (m.line <= 0 || m.column < 0 || row >= log.lineCount() ||
            (row >= 0 && log.line(row).message != i))
            __builtin_trap();
    }
    return 0;
}
