#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <QVector>

namespace quaredit {

// What Enter puts at the start of the new line, given the text of the line
// in front of the caret and behind it (Latin-1 bytes, as the editor holds
// them). The blanks and tabs that start the line are kept as they are, mixed
// or not; after a line that holds only a label (and perhaps a ";" comment),
// one tab, so that the instruction typed next is not read as another label.
// A label split by the line break is not such a line.
QByteArray newLineIndent(QByteArrayView beforeCaret, QByteArrayView afterCaret = {});

// How many characters Backspace takes away before the caret. In the blanks
// that start a line, one level: a tab, or the spaces back to the previous
// multiple of `indentWidth` columns (tabs count up to the next multiple of
// `tabWidth`), never past a tab. Anywhere else, one character.
int unindentLength(QByteArrayView beforeCaret, int indentWidth, int tabWidth);

// Comments out or back in a run of lines with ";" in the first column. When
// every line that holds something already starts with ";", one ";" is taken
// from each; otherwise every such line gets one more, so that a run mixing
// code and comments comes back exactly as it was when toggled twice. Empty
// lines and lines of blanks stay as they are.
struct CommentToggle {
    QVector<QByteArray> lines;
    bool commented = false; // true when ";" was added
};
CommentToggle toggleLineComments(const QVector<QByteArray>& lines);

} // namespace quaredit
