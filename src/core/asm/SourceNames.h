#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <optional>

namespace quaredit {

// Names in a 68000 source, for going to a label's definition and for word
// completion. The text is the editor's Latin-1 bytes; the definitions are the
// first-column names that the labels window lists.

// The name that touches `offset` (the caret before, inside or right after
// it): letters, digits and "_", "@", "$", "." and "\" in any mix, or an
// empty range. Returns [start, end).
struct NameRange {
    qsizetype start = 0;
    qsizetype end = 0;
    bool isEmpty() const { return start == end; }
};
NameRange nameAt(QByteArrayView text, qsizetype offset);

// The zero-based line that defines `name` (with or without a trailing ":"),
// as seen from line `fromLine`: a name written with the same case wins over
// one that differs in case only. A local name ("\loop", ".loop", "1$") may be
// defined once between each two global labels, so the one in the global
// label's stretch around `fromLine` is taken; other names go to their first
// definition.
std::optional<int> definitionLine(QByteArrayView text, QByteArrayView name, int fromLine);

// What word completion offers for `prefix`: the source's first-column names
// (without ":") and the 68000 mnemonics and directives that begin with it,
// ignoring case, each once, sorted ignoring case. Nothing for a prefix of
// fewer than MinCompletionPrefix characters, and no word equal to the prefix.
// Mnemonics and directives come in lower case, or in capitals when the prefix
// is written in capitals.
constexpr int MinCompletionPrefix = 3;
QByteArrayList completionWords(QByteArrayView text, QByteArrayView prefix);

} // namespace quaredit
