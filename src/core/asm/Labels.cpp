#include "core/asm/Labels.h"

#include "core/text/Latin1Search.h"

#include <algorithm>

namespace quaredit {

namespace {

bool isBlank(char c) {
    return uchar(c) <= 32;
}

// Only a line that starts in the first column can define a name.
bool startsName(char c) {
    return c != '\t' && c != ' ' && c != ';';
}

// Cutting at the first tab and then at the first space is cutting at the
// first of either.
bool endsName(char c) {
    return c == '\t' || c == ' ';
}

std::optional<QByteArrayView> trimmedName(QByteArrayView name) {
    qsizetype b = 0, e = name.size();
    while (b < e && isBlank(name[b]))
        ++b;
    while (e > b && isBlank(name[e - 1]))
        --e;
    // A line of control characters names nothing; an empty entry could not be chosen.
    if (b == e)
        return std::nullopt;
    return name.sliced(b, e - b);
}

} // namespace

std::optional<QByteArrayView> labelName(QByteArrayView line) {
    if (line.isEmpty() || !startsName(line.front()))
        return std::nullopt;
    const auto cut = std::find_if(line.begin(), line.end(), endsName);
    return trimmedName(line.first(cut - line.begin()));
}

bool passesLabelFilters(QByteArrayView name, const LabelFilters& filters) {
    if (name.isEmpty())
        return false;
    if (filters.show2Pt && name.back() != ':')
        return false;
    if (filters.hideSlash && name.front() == '\\')
        return false;
    if (filters.showMaj && (name.front() < 'A' || name.front() > 'Z'))
        return false;
    if (filters.showLib && name.indexOf('@') < 0)
        return false;
    return true;
}

QVector<LabelEntry> ScanLabels(QByteArrayView text, const LabelFilters& filters) {
    QVector<LabelEntry> entries;
    const char* t = text.data();
    const qsizetype size = text.size();
    qsizetype start = 0;
    int line = 0;
    while (true) {
        qsizetype end;
        if (start < size && t[start] != '\r' && t[start] != '\n' && startsName(t[start])) {
            // The name stops at a tab or a space, or with the line; only the
            // rest of a line that goes on needs the line-end search.
            qsizetype cut = start;
            while (cut < size && !endsName(t[cut]) && t[cut] != '\r' && t[cut] != '\n')
                ++cut;
            const auto name = trimmedName(text.sliced(start, cut - start));
            if (name && passesLabelFilters(*name, filters))
                entries.append({*name, line});
            end = cut < size && endsName(t[cut]) ? lineBreak(text, cut) : cut;
        } else {
            // Indented lines and comments, most of a source, are only skipped.
            end = lineBreak(text, start);
        }
        if (end >= size)
            break;
        start = end + 1;
        if (t[end] == '\r' && start < size && t[start] == '\n')
            ++start;
        ++line;
    }
    if (filters.alphOrder) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const LabelEntry& a, const LabelEntry& b) {
                             return compareIgnoringCase(a.name, b.name) < 0;
                         });
    }
    return entries;
}

} // namespace quaredit
