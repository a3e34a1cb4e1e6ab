#include "core/project/DirectiveScan.h"

#include <algorithm>

namespace quaredit {

static bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

std::optional<qsizetype> findPlain(QStringView text, QStringView needle, qsizetype from,
                                   Qt::CaseSensitivity cs) {
    if (from < 0)
        from = 0;
    if (needle.isEmpty())
        return from <= text.size() ? std::optional<qsizetype>(from) : std::nullopt;
    const qsizetype at = text.indexOf(needle, from, cs);
    return at < 0 ? std::nullopt : std::optional<qsizetype>(at);
}

std::optional<qsizetype> findWord(QStringView text, QStringView word, qsizetype from,
                                  Qt::CaseSensitivity cs) {
    if (word.isEmpty())
        return std::nullopt;
    qsizetype pos = from;
    while (true) {
        const auto at = findPlain(text, word, pos, cs);
        if (!at)
            return std::nullopt;
        const qsizetype end = *at + word.size();
        const bool startsWord = *at == 0 || !isWordChar(text[*at - 1]);
        const bool endsWord = end >= text.size() || !isWordChar(text[end]);
        if (startsWord && endsWord)
            return at;
        pos = *at + 1;
    }
}

static bool isStripped(QChar c) {
    return c == QLatin1Char('\t') || c == QLatin1Char('"');
}

// Blanks are every character of code 32 or less, the CR of a CR LF line included.
// Quotes at either end go too, since they are removed wherever they stand.
static bool isTrimmed(QChar c) {
    return c.unicode() <= 32 || c == QLatin1Char('"');
}

std::optional<Directive> FindDirective(QStringView text, QStringView keyword, qsizetype start,
                                       qsizetype skip) {
    const auto p = findWord(text, keyword, start);
    if (!p)
        return std::nullopt;
    // Lines end at CR LF, LF or CR alike; a last line without a line break
    // ends with the text.
    qsizetype e = *p + 1;
    while (e < text.size() && text[e] != QLatin1Char('\n') && text[e] != QLatin1Char('\r'))
        ++e;
    const qsizetype argStart = qBound(qsizetype(0), *p + skip, e);
    QStringView arg = text.mid(argStart, e - argStart);
    const qsizetype semicolon = arg.indexOf(QLatin1Char(';'));
    if (semicolon >= 0)
        arg = arg.left(semicolon);
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
    arg = arg.mid(b, t - b);
    QString argument;
    if (std::any_of(arg.begin(), arg.end(), isStripped)) {
        argument.reserve(arg.size());
        for (QChar c : arg) {
            if (!isStripped(c))
                argument.append(c);
        }
    } else {
        argument = arg.toString();
    }
    return Directive{*p, argument};
}

bool DetectLibrary(QStringView text, DocumentKind kind) {
    if (kind != DocumentKind::ProgramSource)
        return false;
    const auto library = findWord(text, u"_library", 0);
    if (!library)
        return false;
    const auto main = findWord(text, u"_main", 0);
    return !main || *library < *main;
}

} // namespace quaredit
