// The directive reader and the project outline built on it: any source.
#include "FuzzInput.h"
#include "core/asm/DirectiveScan.h"
#include "core/documents/Paths.h"
#include "core/project/ProjectOutline.h"

using namespace quaredit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const uint8_t choice = in.take();
    const QByteArrayView text = in.bytes();
    for (const char* keyword : {"include", "xdef", "_main"}) {
        const QByteArrayView word(keyword);
        qsizetype start = 0;
        int guard = 0;
        while (const auto found = FindDirective(text, word, start, word.size())) {
            if (found->position < start || found->position >= text.size() || ++guard > 1 << 20)
                __builtin_trap();
            start = found->position + word.size();
        }
    }
    static const DocumentKind kinds[] = {DocumentKind::ProgramSource, DocumentKind::IncludeFile,
                                         DocumentKind::TextFile, DocumentKind::Other};
    const DocumentKind kind = kinds[choice % 4];
    const bool library = DetectLibrary(text, kind);
    projectOutline(text, kind, library, QStringLiteral("prog.asm"));
    return 0;
}
