#include "core/asm/EditRules.h"

#include "core/asm/Labels.h"

namespace quaredit {

namespace {

bool isIndentChar(char c) {
    return c == ' ' || c == '\t';
}

bool isBlankLine(QByteArrayView line) {
    for (char c : line)
        if (!isIndentChar(c))
            return false;
    return true;
}

// Whether the line is a name in the first column and nothing else that
// counts: what may follow is blanks and a comment.
bool onlyLabel(QByteArrayView line) {
    const auto name = labelName(line);
    if (!name)
        return false;
    qsizetype i = (name->data() - line.data()) + name->size();
    while (i < line.size() && uchar(line[i]) <= 32)
        ++i;
    return i == line.size() || line[i] == ';';
}

} // namespace

QByteArray newLineIndent(QByteArrayView beforeCaret, QByteArrayView afterCaret) {
    if (isBlankLine(afterCaret) && onlyLabel(beforeCaret))
        return QByteArrayLiteral("\t");
    qsizetype n = 0;
    while (n < beforeCaret.size() && isIndentChar(beforeCaret[n]))
        ++n;
    return beforeCaret.first(n).toByteArray();
}

int unindentLength(QByteArrayView beforeCaret, int indentWidth, int tabWidth) {
    if (beforeCaret.isEmpty() || !isBlankLine(beforeCaret) || beforeCaret.back() == '\t')
        return beforeCaret.isEmpty() ? 0 : 1;
    const int width = qMax(1, indentWidth);
    const int tab = qMax(1, tabWidth);
    int column = 0;
    for (char c : beforeCaret)
        column = c == '\t' ? (column / tab + 1) * tab : column + 1;
    const int target = ((column - 1) / width) * width;
    int count = 0;
    qsizetype i = beforeCaret.size();
    while (i > 0 && beforeCaret[i - 1] == ' ' && column > target) {
        --i;
        --column;
        ++count;
    }
    return qMax(count, 1);
}

CommentToggle toggleLineComments(const QVector<QByteArray>& lines) {
    bool allCommented = true;
    bool anyContent = false;
    for (const QByteArray& line : lines) {
        if (isBlankLine(line))
            continue;
        anyContent = true;
        if (!line.startsWith(';')) {
            allCommented = false;
            break;
        }
    }
    CommentToggle result;
    result.commented = !(anyContent && allCommented);
    result.lines.reserve(lines.size());
    for (const QByteArray& line : lines) {
        if (isBlankLine(line))
            result.lines.append(line);
        else if (result.commented)
            result.lines.append(';' + line);
        else
            result.lines.append(line.mid(1));
    }
    return result;
}

} // namespace quaredit
