#include "core/tools/Wizard.h"

#include "core/tools/Library.h"

#include <optional>

namespace quaredit {

namespace {

struct LinePos {
    int line = 0;
    qsizetype column = 0;
};

// The first plain, case-insensitive occurrence of `needle` at or after `from`.
// Markers never span a line break, so a line-by-line search finds them all.
std::optional<LinePos> findInLines(const QStringList& lines, QStringView needle, LinePos from) {
    for (int i = from.line; i < lines.size(); ++i) {
        const qsizetype at =
            lines[i].indexOf(needle, i == from.line ? from.column : 0, Qt::CaseInsensitive);
        if (at >= 0)
            return LinePos{i, at};
    }
    return std::nullopt;
}

std::optional<int> lineOf(const QStringList& lines, QStringView needle) {
    const auto at = findInLines(lines, needle, {});
    return at ? std::optional<int>(at->line) : std::nullopt;
}

} // namespace

QString wizardTemplateName(WizardKind kind) {
    return kind == WizardKind::Program ? QStringLiteral("prg.wiz") : QStringLiteral("lib.wiz");
}

QString wizardKeyWord(WizardKind kind) {
    return kind == WizardKind::Program ? QStringLiteral("_comment") : QStringLiteral("_library");
}

QStringList templateLines(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return {};
    QStringList lines = editorLines(bytes);
    if (bytes.endsWith('\n') || bytes.endsWith('\r'))
        lines.removeLast();
    return lines;
}

QStringList FillTemplate(QStringList lines, const WizardAnswers& answers) {
    const QString keyWord = wizardKeyWord(answers.kind);
    const QString& t = answers.text;

    const auto first = findInLines(lines, keyWord, {});
    int n = first ? first->line + 1 : 0;
    const std::pair<bool, const char*> models[] = {
        {answers.ti92, "\txdef\t_ti92"},
        {answers.ti92plus, "\txdef\t_ti92plus"},
        {answers.ti89, "\txdef\t_ti89"},
    };
    if (answers.ti92 || answers.ti92plus || answers.ti89)
        lines.insert(n++, QString());
    for (const auto& [ticked, line] : models) {
        if (ticked)
            lines.insert(n++, QString::fromLatin1(line));
    }

    // The lines inserted above stand after the first key word, so it is
    // still where it was; the second one is searched just past it.
    std::optional<LinePos> second;
    if (first)
        second = findInLines(lines, keyWord, {first->line, first->column + 1});
    const QString dataLine = keyWord + QStringLiteral("\tdc.b\t\"") + t + QStringLiteral("\",0");
    if (second) {
        if (answers.kind == WizardKind::Library && answers.kernel == WizardKernel::PlusShellDoorsOS)
            lines.removeAt(second->line);
        else
            lines[second->line] = dataLine;
    }
    if (answers.kind == WizardKind::Library) {
        if (const auto at = lineOf(lines, u"libname"))
            lines[*at] = QStringLiteral("\txdef\t") + t + QStringLiteral("@0000");
        if (const auto at = lineOf(lines, u"libname@0000:"))
            lines[*at] = t + QStringLiteral("@0000:");
    }
    return lines;
}

} // namespace quaredit
