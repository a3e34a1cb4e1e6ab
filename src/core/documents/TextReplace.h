#pragma once

#include "core/documents/TextSearch.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <QVector>
#include <optional>

namespace quaredit {

// Replace All over the editor's Latin-1 bytes, computed as one edit: the
// stretch from the first match's start to the last match's end, and what it
// becomes. Matches follow the find dialog's rules (whole word, match case) and
// do not overlap: after a match the search goes on behind it.
struct ReplaceAllEdit {
    qsizetype start = 0;        // of the first match
    qsizetype end = 0;          // of the last match
    QByteArray replacement;     // the new text of [start, end)
    QVector<qsizetype> matches; // where each match began, in the old text
    qsizetype matchLength = 0;

    qsizetype count() const { return matches.size(); }
    // Where a position of the old text lands in the new one; a position
    // inside a match goes to the start of its replacement.
    qsizetype mapOffset(qsizetype offset, qsizetype replacementLength) const;
};

// Nothing when there is no match or the needle is empty. The replacement is
// given in bytes (see replacementBytes).
std::optional<ReplaceAllEdit> replaceAll(QByteArrayView text, QStringView needle,
                                         QByteArrayView replacement, SearchOptions options);

// The bytes a typed replacement stands for, or nothing when it holds a
// character that Latin-1 cannot store (the source would change it to "?").
std::optional<QByteArray> replacementBytes(QStringView typed);

// Whether [start, start + length) of the text is a match of the needle under
// the options: what Replace checks before replacing the selection.
bool isMatchAt(QByteArrayView text, QStringView needle, qsizetype start, qsizetype length,
               SearchOptions options);

} // namespace quaredit
