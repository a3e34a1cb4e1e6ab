#include "core/compile/BuildMessages.h"

namespace quaredit {

namespace {

// Line numbers past this are not line numbers (a byte count, an address).
constexpr int MaxLineNumber = 99'999'999;
// Longer "file names" are prose that happened to hold a colon.
constexpr qsizetype MaxFileLength = 1024;

bool isDigit(QChar c) {
    return c.unicode() >= '0' && c.unicode() <= '9';
}

bool isLetter(QChar c) {
    const char16_t u = c.unicode() | 0x20;
    return (u >= 'a' && u <= 'z') || c.unicode() >= 0xc0;
}

bool isBlank(QChar c) {
    return c.unicode() == ' ' || c.unicode() == '\t';
}

// The decimal number at `i`, which moves past it; -1 when there is none.
int numberAt(QStringView s, qsizetype& i) {
    const qsizetype start = i;
    qint64 value = 0;
    while (i < s.size() && isDigit(s[i]) && i - start < 10) {
        value = value * 10 + (s[i].unicode() - '0');
        ++i;
    }
    if (i == start || (i < s.size() && isDigit(s[i])) || value > MaxLineNumber)
        return -1;
    return int(value);
}

// Lower-case ASCII word at `i`, not glued to a letter before it.
bool wordAt(QStringView s, qsizetype i, QLatin1StringView word) {
    if (i < 0 || i + word.size() > s.size() || (i > 0 && isLetter(s[i - 1])))
        return false;
    for (qsizetype k = 0; k < word.size(); ++k) {
        if ((s[i + k].unicode() | 0x20) != char16_t(word[k].unicode()))
            return false;
    }
    return true;
}

QStringView trimmed(QStringView s) {
    return s.trimmed();
}

// What follows the place: the separator and blanks dropped.
QString restAfter(QStringView line, qsizetype i) {
    while (i < line.size() && (isBlank(line[i]) || line[i] == u':' || line[i] == u','))
        ++i;
    QStringView rest = line.mid(i).trimmed();
    return (rest.isEmpty() ? line.trimmed() : rest).toString();
}

bool hasSeparator(QStringView file) {
    return file.contains(u'/') || file.contains(u'\\');
}

// A file name ends in a short extension: "prog.asm", "hello world.s".
bool hasExtension(QStringView file) {
    const qsizetype dot = file.lastIndexOf(u'.');
    if (dot <= 0 || file.size() - dot - 1 < 1 || file.size() - dot - 1 > 4)
        return false;
    for (qsizetype k = dot + 1; k < file.size(); ++k) {
        if (!isLetter(file[k]) && !isDigit(file[k]))
            return false;
    }
    return true;
}

// The leading words of a tool's own line ("as: ", "Error: ") are not part
// of the file that follows them.
QStringView withoutLeadingWords(QStringView file) {
    const qsizetype said = file.lastIndexOf(QLatin1StringView(": "));
    if (said >= 0)
        file = file.mid(said + 2);
    return trimmed(file);
}

// Whether the text before a place can be a file name: not a clock time
// ("12:30:01" leaves "12"), not a URL, not a sentence ("Build started at
// 12"). A name with blanks needs a folder or an extension to count.
bool plausibleFile(QStringView file, bool needsDotOrFolder) {
    if (file.isEmpty() || file.size() > MaxFileLength || file.contains(QLatin1StringView("://")))
        return false;
    qsizetype lastBlank = -1;
    for (qsizetype k = 0; k < file.size(); ++k) {
        const char16_t u = file[k].unicode();
        if (u < 0x20 || u == 0x7f)
            return false;
        if (isBlank(file[k]))
            lastBlank = k;
    }
    const QStringView lastWord = file.mid(lastBlank + 1);
    bool allDigits = true;
    for (const QChar c : lastWord)
        allDigits = allDigits && isDigit(c);
    if (allDigits)
        return false;
    if (lastBlank >= 0 && !hasSeparator(file) && !hasExtension(file))
        return false;
    if (needsDotOrFolder && !hasSeparator(file) && !file.contains(u'.'))
        return false;
    return true;
}

using Matcher = bool (*)(QStringView line, BuildMessage& out);

// file:line: and file:line:col: (GNU as, vasm, make). The first colon that
// is followed by a number decides, so a drive letter's colon ("C:\") is
// passed over.
bool matchColonForm(QStringView line, BuildMessage& out) {
    for (qsizetype p = line.indexOf(u':', 1); p > 0; p = line.indexOf(u':', p + 1)) {
        qsizetype i = p + 1;
        const int number = numberAt(line, i);
        if (number <= 0 || i >= line.size() || line[i] != u':')
            continue;
        int column = 0;
        qsizetype j = i + 1;
        const int second = numberAt(line, j);
        if (second >= 0 && (j == line.size() || line[j] == u':' || isBlank(line[j]))) {
            column = second;
            i = j;
        }
        const QStringView file = withoutLeadingWords(line.left(p));
        if (!plausibleFile(file, false))
            continue;
        out.file = file.toString();
        out.line = number;
        out.column = column;
        out.text = restAfter(line, i);
        return true;
    }
    return false;
}

// file(line) and file(line,col) (DOS and Windows assemblers and linkers).
// Without a dot or a folder in the name, "call(3)" would count.
bool matchParenForm(QStringView line, BuildMessage& out) {
    for (qsizetype p = line.indexOf(u'(', 1); p > 0; p = line.indexOf(u'(', p + 1)) {
        qsizetype i = p + 1;
        const int number = numberAt(line, i);
        if (number <= 0 || i >= line.size())
            continue;
        int column = 0;
        if (line[i] == u',') {
            ++i;
            column = numberAt(line, i);
            if (column < 0 || i >= line.size())
                continue;
        }
        if (line[i] != u')')
            continue;
        ++i;
        if (i < line.size() && line[i] != u':' && !isBlank(line[i]))
            continue;
        const QStringView file = withoutLeadingWords(line.left(p));
        if (isBlank(line[p - 1]) || !plausibleFile(file, true))
            continue;
        out.file = file.toString();
        out.line = number;
        out.column = column;
        out.text = restAfter(line, i);
        return true;
    }
    return false;
}

// The position of the next "line N" (any letter case) at or after `from`;
// `number` and `after` receive the number and where it ends.
qsizetype nextLineWord(QStringView line, qsizetype from, int& number, qsizetype& after) {
    for (qsizetype p = from; p + 5 < line.size(); ++p) {
        if ((line[p].unicode() | 0x20) != 'l' || !wordAt(line, p, QLatin1StringView("line ")))
            continue;
        qsizetype i = p + 5;
        while (i < line.size() && isBlank(line[i]))
            ++i;
        number = numberAt(line, i);
        if (number > 0) {
            after = i;
            return p;
        }
    }
    return -1;
}

// A file name standing alone in prose, perhaps quoted or followed by a comma.
QStringView bareFile(QStringView word) {
    while (!word.isEmpty() && (word.back() == u',' || word.back() == u':' || word.back() == u'.'))
        word.chop(1);
    if (word.size() >= 2 && (word.front() == u'"' || word.front() == u'\'') &&
        word.back() == word.front())
        return word.mid(1, word.size() - 2);
    return word;
}

// "Line 12 of prog.asm" and vasm's 'error 2 in line 3 of "prog.s": ...'.
bool matchLineOfFile(QStringView line, BuildMessage& out) {
    int number = 0;
    qsizetype after = 0;
    for (qsizetype p = nextLineWord(line, 0, number, after); p >= 0;
         p = nextLineWord(line, p + 1, number, after)) {
        if (!line.mid(after).startsWith(QLatin1StringView(" of "), Qt::CaseInsensitive))
            continue;
        const qsizetype start = after + 4;
        qsizetype end = start;
        if (end < line.size() && line[end] == u'"') {
            end = line.indexOf(u'"', start + 1);
            if (end < 0)
                continue;
            ++end;
        } else {
            while (end < line.size() && !isBlank(line[end]) &&
                   !(line[end] == u':' && (end + 1 == line.size() || isBlank(line[end + 1]))))
                ++end;
        }
        const QStringView word = line.mid(start, end - start);
        const QStringView file = bareFile(word);
        const bool quoted = word.startsWith(u'"');
        if (file.isEmpty() || (!quoted && !plausibleFile(file, true)))
            continue;
        out.file = file.toString();
        out.line = number;
        out.column = 0;
        out.text = restAfter(line, end);
        return true;
    }
    return false;
}

// "prog.asm line 12: ..." and '"prog.asm", line 12: ...'.
bool matchFileLine(QStringView line, BuildMessage& out) {
    int number = 0;
    qsizetype after = 0;
    for (qsizetype p = nextLineWord(line, 0, number, after); p >= 0;
         p = nextLineWord(line, p + 1, number, after)) {
        qsizetype end = p;
        while (end > 0 && isBlank(line[end - 1]))
            --end;
        if (end == p)
            continue;
        qsizetype start = end;
        if (end > 0 && (line[end - 1] == u'"' ||
                        (end > 1 && line[end - 1] == u',' && line[end - 2] == u'"'))) {
            const qsizetype close = line[end - 1] == u'"' ? end - 1 : end - 2;
            start = close > 0 ? line.lastIndexOf(u'"', close - 1) : -1;
            if (start < 0)
                continue;
        } else {
            while (start > 0 && !isBlank(line[start - 1]))
                --start;
        }
        const QStringView file = bareFile(line.mid(start, end - start));
        if (!plausibleFile(file, true))
            continue;
        out.file = file.toString();
        out.line = number;
        out.column = 0;
        out.text = restAfter(line, after);
        return true;
    }
    return false;
}

// "line 12: ..." or "Error at line 12": the source being built.
bool matchLineOnly(QStringView line, BuildMessage& out) {
    int number = 0;
    qsizetype after = 0;
    if (nextLineWord(line, 0, number, after) < 0)
        return false;
    out.file.clear();
    out.line = number;
    out.column = 0;
    out.text = line.trimmed().toString();
    return true;
}

struct LineFormat {
    const char* name;
    Matcher match;
    bool needsLineWord; // passed over at once when the line has no "line N"
};

// Tried in this order: the forms that carry a file come before the bare
// line number, and the GNU form, the most common, comes first.
constexpr LineFormat lineFormats[] = {
    {"file:line:col:", matchColonForm, false}, {"file(line,col)", matchParenForm, false},
    {"Line N of file", matchLineOfFile, true}, {"file line N", matchFileLine, true},
    {"line N", matchLineOnly, true},
};

bool hasDigit(QStringView line) {
    for (const QChar c : line) {
        if (isDigit(c))
            return true;
    }
    return false;
}

} // namespace

std::optional<MessageSeverity> severityWord(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        switch (text[i].unicode() | 0x20) {
        case 'e':
            if (wordAt(text, i, QLatin1StringView("error")))
                return MessageSeverity::Error;
            break;
        case 'f':
            if (wordAt(text, i, QLatin1StringView("fatal")))
                return MessageSeverity::Error;
            break;
        case 'w':
            if (wordAt(text, i, QLatin1StringView("warning")))
                return MessageSeverity::Warning;
            break;
        case 'n':
            if (wordAt(text, i, QLatin1StringView("note")))
                return MessageSeverity::Note;
            break;
        case 'i':
            if (wordAt(text, i, QLatin1StringView("info")))
                return MessageSeverity::Note;
            break;
        default:
            break;
        }
    }
    return std::nullopt;
}

MessageSeverity severityOf(QStringView text) {
    return severityWord(text).value_or(MessageSeverity::Error);
}

BuildMessageRecogniser::BuildMessageRecogniser(const QString& userPattern) {
    if (userPattern.isEmpty() || patternProblem(userPattern))
        return;
    user_ = QRegularExpression(userPattern);
    hasUser_ = true;
}

std::optional<QString> BuildMessageRecogniser::patternProblem(const QString& pattern) {
    if (pattern.isEmpty())
        return std::nullopt;
    const QRegularExpression re(pattern);
    if (!re.isValid())
        return QStringLiteral("The message pattern is not a valid regular expression: %1 (at "
                              "character %2).")
            .arg(re.errorString())
            .arg(re.patternErrorOffset() + 1);
    const QStringList groups = re.namedCaptureGroups();
    QStringList missing;
    for (const char* needed : {"file", "line"}) {
        if (!groups.contains(QLatin1String(needed)))
            missing << QStringLiteral("(?<%1>...)").arg(QLatin1String(needed));
    }
    if (!missing.isEmpty())
        return QStringLiteral("The message pattern needs the named groups file and line; it has "
                              "no %1.")
            .arg(missing.join(QStringLiteral(" and no ")));
    return std::nullopt;
}

std::optional<BuildMessage> BuildMessageRecogniser::recogniseUser(QStringView line) const {
    const QRegularExpressionMatch m = user_.match(line.toString());
    if (!m.hasMatch())
        return std::nullopt;
    qsizetype i = 0;
    const QStringView lineText = m.capturedView(QStringLiteral("line"));
    const int number = numberAt(lineText, i);
    if (number <= 0 || i != lineText.size())
        return std::nullopt;
    BuildMessage out;
    out.file = m.captured(QStringLiteral("file")).trimmed();
    out.line = number;
    const QStringView col = m.capturedView(QStringLiteral("col"));
    i = 0;
    const int column = numberAt(col, i);
    out.column = column > 0 && i == col.size() ? column : 0;
    const QString text = m.captured(QStringLiteral("message")).trimmed();
    out.text = text.isEmpty() ? line.trimmed().toString() : text;
    out.severity = severityOf(line);
    return out;
}

std::optional<BuildMessage> BuildMessageRecogniser::recognise(QStringView line) const {
    if (hasUser_) {
        if (auto message = recogniseUser(line))
            return message;
    }
    // Every format carries a line number: most output lines are passed
    // over on this one look.
    if (!hasDigit(line))
        return std::nullopt;
    BuildMessage out;
    int number = 0;
    qsizetype after = 0;
    const bool lineWord = nextLineWord(line, 0, number, after) >= 0;
    for (const LineFormat& format : lineFormats) {
        if (format.needsLineWord && !lineWord)
            continue;
        if (format.match(line, out)) {
            // The file's own name ("error.asm") says nothing about the
            // message's kind: the words before it count, then those after it.
            const qsizetype at = out.file.isEmpty() ? -1 : line.indexOf(out.file);
            if (at < 0)
                out.severity = severityOf(line);
            else
                out.severity = severityWord(line.left(at))
                                   .value_or(severityOf(line.mid(at + out.file.size())));
            return out;
        }
    }
    return std::nullopt;
}

} // namespace quaredit
