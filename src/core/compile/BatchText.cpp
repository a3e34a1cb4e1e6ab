#include "core/compile/BatchText.h"

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

bool isNativeScript(const QStringList& lines) {
    return !lines.isEmpty() && lines.front().startsWith(QLatin1String("#!"));
}

QStringList batchLinesFromText(const QString& text) {
    // CR LF first, so that only lone CRs are left to count as line ends.
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = normalised.split(u'\n');
    if (normalised.isEmpty() || normalised.endsWith(u'\n'))
        lines.removeLast();
    return lines;
}

QStringList batchLinesFromBytes(const QByteArray& bytes) {
    return batchLinesFromText(QString::fromLatin1(bytes));
}

QString batchDisplayText(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + u'\n';
    return text;
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
