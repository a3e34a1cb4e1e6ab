// The command line's decision: which files the arguments name, with any
// arguments and any of them existing.
#include "FuzzInput.h"
#include "core/app/Instance.h"

#include <QSet>

using namespace quaredit;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    const uint8_t existing = in.take();
    const QList<QByteArray> parts = in.copy().split('\0');
    QStringList arguments;
    for (const QByteArray& part : parts)
        arguments << QString::fromLocal8Bit(part);
    const StartRequest request = parseStartRequest(arguments);
    QSet<QString> files;
    for (int i = 0; i < request.arguments.size(); ++i) {
        if (existing & (1u << (i % 8)))
            files.insert(request.arguments[i]);
    }
    const QStringList chosen =
        commandLineFiles(request.arguments, [&](const QString& p) { return files.contains(p); });
    if (chosen.size() > request.arguments.size())
        __builtin_trap();
    return 0;
}
