#include "core/project/DirectiveScan.h"

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

std::optional<Directive> FindDirective(QStringView text, QStringView keyword, qsizetype start,
                                       qsizetype skip) {
    const auto p = findWord(text, keyword, start);
    if (!p)
        return std::nullopt;
    // Lines end at CR LF, LF or CR alike.
    qsizetype e = *p + 1;
    while (e < text.size() && text[e] != QLatin1Char('\n') && text[e] != QLatin1Char('\r'))
        ++e;
    const qsizetype argStart = qMin(*p + skip, e);
    QStringView arg = text.mid(argStart, e - argStart);
    const qsizetype semicolon = arg.indexOf(QLatin1Char(';'));
    if (semicolon >= 0)
        arg = arg.left(semicolon);
    QString cleaned;
    cleaned.reserve(arg.size());
    for (QChar c : arg) {
        if (c != QLatin1Char('\t') && c != QLatin1Char('"'))
            cleaned.append(c);
    }
    if (cleaned.isEmpty())
        return std::nullopt;
    // Blanks are every character of code 32 or less, the CR of a CR LF line included.
    qsizetype b = 0, t = cleaned.size();
    while (b < t && cleaned[b].unicode() <= 32)
        ++b;
    while (t > b && cleaned[t - 1].unicode() <= 32)
        --t;
    return Directive{*p, cleaned.mid(b, t - b)};
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
