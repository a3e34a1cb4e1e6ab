#include "core/build/BatchText.h"

#include "core/documents/TextFile.h"

namespace quaredit {

namespace {

struct KernelBatch {
    const char* variablePrefix;
    const char* pathLine;
    const char* assembleLine;
};

// Only Quaro II keeps its tools under BIN, and only the DoorsOS batch spells
// the path line with SET; PLUSSHEL is the kernel's own eight-letter name.
constexpr KernelBatch kernels[] = {
    {"SET QUARO=", "PATH=%PATH%;%QUARO%\\BIN", "quaro %1"},
    {"SET PLUSSHEL=", "PATH=%PATH%;%PLUSSHEL%", "asm92p %1"},
    {"SET DOORSOS=", "SET PATH=%PATH%;%DOORSOS%", "doors %1"},
};

const KernelBatch* kernelOf(int index) {
    return isPredefinedConfig(index) ? &kernels[index - 1] : nullptr;
}

} // namespace

QString batchVariablePrefix(int index) {
    const KernelBatch* kernel = kernelOf(index);
    return kernel ? QString::fromLatin1(kernel->variablePrefix) : QString();
}

QStringList GenerateBatchText(int index, const QString& compilerFolder) {
    const KernelBatch* kernel = kernelOf(index);
    if (!kernel)
        return {};
    return {QStringLiteral("@ECHO OFF"),
            QStringLiteral("ECHO Set Environment Variables..."),
            QStringLiteral("ECHO."),
            QString::fromLatin1(kernel->variablePrefix) + compilerFolder,
            QString::fromLatin1(kernel->pathLine),
            QString::fromLatin1(kernel->assembleLine)};
}

QStringList batchLinesFromBytes(const QByteArray& bytes) {
    // Normalising to CR LF first leaves one separator to split on.
    QStringList lines = QString::fromLatin1(toCrLfLines(bytes)).split(QStringLiteral("\r\n"));
    lines.removeLast(); // what follows the final CR LF is not a line
    return lines;
}

QByteArray batchBytesFromLines(const QStringList& lines) {
    QByteArray out;
    for (const QString& line : lines) {
        out += line.toLatin1();
        out += "\r\n";
    }
    return out;
}

} // namespace quaredit
