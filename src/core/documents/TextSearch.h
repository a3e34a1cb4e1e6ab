#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace quaredit {

// The two boxes of the find dialog. Off, a match ignores case and may lie
// inside a word.
struct SearchOptions {
    bool wholeWord = false;
    bool matchCase = false;
};

// Offset of the first match of `needle` at or after `from`, or nullopt. An
// empty needle matches nothing, and a start past the end finds nothing. The
// text is the editor's Latin-1 bytes; the needle is what was typed, and a
// character of it outside Latin-1 matches only as `latin1Needle` says.
std::optional<qsizetype> findText(QByteArrayView text, QStringView needle, qsizetype from,
                                  SearchOptions options);

// One press of the find dialog's find-next button. A match moves the next
// start one past its first character, so overlapping matches are all visited;
// a miss sends the next search back to the top.
struct FindStep {
    std::optional<qsizetype> match;
    qsizetype nextStart = 0;
};
FindStep findNext(QByteArrayView text, QStringView needle, qsizetype searchStart,
                  SearchOptions options);

// The same backward (Find Previous): the last match that starts before the
// one the last step found (at searchStart - 1), or before the end of the
// text when the search starts at the top. A match leaves the next forward
// search just after it, as findNext does; a miss sends it back to the top,
// and the next backward search to the end.
FindStep findPrevious(QByteArrayView text, QStringView needle, qsizetype searchStart,
                      SearchOptions options);

// Where Goto Line puts the caret for what was typed into the input box. The
// entry is a decimal number of a line counted from 1; 0, or a text without
// lines, means the first line and a number past the end the last line. An
// entry that is not a number of at most 32 bits gives an error text instead,
// and the caller moves nothing.
struct GotoLineTarget {
    std::optional<int> line; // zero-based
    QString error;
};
GotoLineTarget gotoLineTarget(QStringView entry, int lineCount);

} // namespace quaredit
