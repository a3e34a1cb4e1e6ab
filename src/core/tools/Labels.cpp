#include "core/tools/Labels.h"

#include <algorithm>

namespace quaredit {

static bool isBlank(QChar c) {
    return c.unicode() <= 32;
}

std::optional<QStringView> labelName(QStringView line) {
    if (line.isEmpty())
        return std::nullopt;
    const QChar first = line.front();
    if (first == QLatin1Char('\t') || first == QLatin1Char(' ') || first == QLatin1Char(';'))
        return std::nullopt;
    QStringView name = line;
    const qsizetype tab = name.indexOf(QLatin1Char('\t'));
    if (tab >= 0)
        name = name.left(tab);
    const qsizetype space = name.indexOf(QLatin1Char(' '));
    if (space >= 0)
        name = name.left(space);
    while (!name.isEmpty() && isBlank(name.front()))
        name = name.mid(1);
    while (!name.isEmpty() && isBlank(name.back()))
        name.chop(1);
    // A line of control characters names nothing; an empty entry could not be chosen.
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

bool passesLabelFilters(QStringView name, const LabelFilters& filters) {
    if (name.isEmpty())
        return false;
    if (filters.show2Pt && name.back() != QLatin1Char(':'))
        return false;
    if (filters.hideSlash && name.front() == QLatin1Char('\\'))
        return false;
    if (filters.showMaj) {
        const char16_t c = name.front().unicode();
        if (c < u'A' || c > u'Z')
            return false;
    }
    if (filters.showLib && !name.contains(QLatin1Char('@')))
        return false;
    return true;
}

QVector<LabelEntry> ScanLabels(QStringView text, const LabelFilters& filters) {
    QVector<LabelEntry> entries;
    const qsizetype size = text.size();
    // The next LF and the next CR at or after the line start, each searched
    // again only once the scan has passed it, so the text is read once and the
    // searches run at the library's vectorised speed.
    qsizetype nextLf = -2;
    qsizetype nextCr = -2;
    const auto nextOf = [&](qsizetype& cached, QChar c, qsizetype from) {
        if (cached != -1 && cached < from)
            cached = text.indexOf(c, from);
        return cached < 0 ? size : cached;
    };
    qsizetype start = 0;
    int line = 0;
    while (true) {
        const qsizetype end = qMin(nextOf(nextLf, QLatin1Char('\n'), start),
                                   nextOf(nextCr, QLatin1Char('\r'), start));
        const auto name = labelName(text.mid(start, end - start));
        if (name && passesLabelFilters(*name, filters))
            entries.append({*name, line});
        if (end >= size)
            break;
        start = end + 1;
        if (text[end] == QLatin1Char('\r') && start < size && text[start] == QLatin1Char('\n'))
            ++start;
        ++line;
    }
    if (filters.alphOrder) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const LabelEntry& a, const LabelEntry& b) {
                             return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
                         });
    }
    return entries;
}

} // namespace quaredit
