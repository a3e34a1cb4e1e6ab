#include "core/documents/TextReplace.h"

#include <algorithm>

namespace quaredit {

qsizetype ReplaceAllEdit::mapOffset(qsizetype offset, qsizetype replacementLength) const {
    // Matches before the offset shift it by the change in length each.
    const auto after = std::upper_bound(matches.begin(), matches.end(), offset);
    qsizetype before = after - matches.begin();
    qsizetype mapped = offset;
    if (before > 0 && offset < matches[before - 1] + matchLength) {
        // Inside a match (or at its start): the start of its replacement.
        mapped = matches[before - 1];
        --before;
    }
    return mapped + before * (replacementLength - matchLength);
}

std::optional<ReplaceAllEdit> replaceAll(QByteArrayView text, QStringView needle,
                                         QByteArrayView replacement, SearchOptions options) {
    if (needle.isEmpty())
        return std::nullopt;
    ReplaceAllEdit edit;
    edit.matchLength = needle.size();
    qsizetype from = 0;
    while (const auto at = findText(text, needle, from, options)) {
        if (edit.matches.isEmpty())
            edit.start = *at;
        else
            edit.replacement.append(text.sliced(from, *at - from));
        edit.replacement.append(replacement);
        edit.matches.append(*at);
        from = *at + edit.matchLength;
    }
    if (edit.matches.isEmpty())
        return std::nullopt;
    edit.end = from;
    return edit;
}

std::optional<QByteArray> replacementBytes(QStringView typed) {
    QByteArray bytes;
    bytes.reserve(typed.size());
    for (QChar c : typed) {
        if (c.unicode() > 0xFF)
            return std::nullopt;
        bytes.append(char(c.unicode()));
    }
    return bytes;
}

bool isMatchAt(QByteArrayView text, QStringView needle, qsizetype start, qsizetype length,
               SearchOptions options) {
    if (needle.isEmpty() || length != needle.size())
        return false;
    const auto at = findText(text, needle, start, options);
    return at && *at == start;
}

} // namespace quaredit
