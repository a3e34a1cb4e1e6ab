#include "core/asm/DirectiveScan.h"

#include <algorithm>

namespace quaredit {

static bool isStripped(char c) {
    return c == '\t' || c == '"';
}

// Blanks are every character of code 32 or less, the CR of a CR LF line included.
// Quotes at either end go too, since they are removed wherever they stand.
static bool isTrimmed(char c) {
    return uchar(c) <= 32 || c == '"';
}

std::optional<Directive> FindDirective(QByteArrayView text, QByteArrayView keyword, qsizetype start,
                                       qsizetype skip) {
    const auto p = findWord(text, keyword, start);
    if (!p)
        return std::nullopt;
    // Lines end at CR LF, LF or CR alike; a last line without a line break
    // ends with the text.
    const qsizetype e = lineBreak(text, *p + 1);
    const qsizetype argStart = qBound(qsizetype(0), *p + skip, e);
    QByteArrayView arg = text.sliced(argStart, e - argStart);
    const qsizetype semicolon = arg.indexOf(';');
    if (semicolon >= 0)
        arg = arg.first(semicolon);
    // Nothing left once tabs and quotes are gone ends the caller's scan; an
    // argument of spaces alone is still a directive, with an empty argument.
    if (std::all_of(arg.begin(), arg.end(), isStripped))
        return std::nullopt;
    // Trimming first and removing tabs and quotes from the middle afterwards
    // gives the same text as the other way round, with a single copy.
    qsizetype b = 0, t = arg.size();
    while (b < t && isTrimmed(arg[b]))
        ++b;
    while (t > b && isTrimmed(arg[t - 1]))
        --t;
    arg = arg.sliced(b, t - b);
    QString argument;
    if (std::any_of(arg.begin(), arg.end(), isStripped)) {
        argument.reserve(arg.size());
        for (char c : arg) {
            if (!isStripped(c))
                argument.append(QLatin1Char(c));
        }
    } else {
        argument = QString::fromLatin1(arg);
    }
    return Directive{*p, std::move(argument)};
}

bool DetectLibrary(QByteArrayView text, DocumentKind kind) {
    if (kind != DocumentKind::ProgramSource)
        return false;
    const auto library = findWord(text, "_library", 0);
    if (!library)
        return false;
    const auto main = findWord(text, "_main", 0);
    return !main || *library < *main;
}

} // namespace quaredit
