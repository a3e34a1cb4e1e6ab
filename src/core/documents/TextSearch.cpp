#include "core/documents/TextSearch.h"

#include "core/text/Latin1Search.h"

#include <limits>

namespace quaredit {

std::optional<qsizetype> findText(QByteArrayView text, QStringView needle, qsizetype from,
                                  SearchOptions options) {
    if (needle.isEmpty() || from > text.size())
        return std::nullopt;
    const Qt::CaseSensitivity cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const std::optional<QByteArray> bytes = latin1Needle(needle, cs);
    if (!bytes)
        return std::nullopt;
    return options.wholeWord ? findWord(text, *bytes, from, cs) : findPlain(text, *bytes, from, cs);
}

FindStep findNext(QByteArrayView text, QStringView needle, qsizetype searchStart,
                  SearchOptions options) {
    const auto at = findText(text, needle, searchStart, options);
    if (!at)
        return {std::nullopt, 0};
    return {at, *at + 1};
}

FindStep findPrevious(QByteArrayView text, QStringView needle, qsizetype searchStart,
                      SearchOptions options) {
    const qsizetype before = searchStart > 0 ? searchStart - 1 : text.size() + 1;
    // Forward steps to the last match before the limit: the searches only
    // go forward, and one pass over the text is still well within a keypress.
    std::optional<qsizetype> last;
    for (auto at = findText(text, needle, 0, options); at && *at < before;
         at = findText(text, needle, *at + 1, options))
        last = at;
    if (!last)
        return {std::nullopt, 0};
    return {last, *last + 1};
}

GotoLineTarget gotoLineTarget(QStringView entry, int lineCount) {
    // The input box takes digits only, but it keeps whatever another caller
    // left in it, so anything may still arrive here.
    bool ok = !entry.isEmpty();
    qint64 n = 0;
    for (QChar c : entry) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            ok = false;
            break;
        }
        n = n * 10 + (c.unicode() - '0');
        if (n > std::numeric_limits<qint32>::max()) {
            ok = false;
            break;
        }
    }
    if (!ok)
        return {std::nullopt, QStringLiteral("'%1' is not a valid integer value").arg(entry)};
    const qint64 last = qMax(lineCount, 1);
    return {int(qBound<qint64>(1, n, last) - 1), QString()};
}

} // namespace quaredit
