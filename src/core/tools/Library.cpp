#include "core/tools/Library.h"

#include "core/asm/DirectiveScan.h"

#include <QVector>
#include <algorithm>

namespace quaredit {

namespace {

// Offsets at which each editor line starts.
QVector<qsizetype> lineStarts(QByteArrayView text) {
    QVector<qsizetype> starts{0};
    for (qsizetype i = lineBreak(text, 0); i < text.size(); i = lineBreak(text, i)) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        starts.append(++i);
    }
    return starts;
}

int lineOfOffset(const QVector<qsizetype>& starts, qsizetype offset) {
    const auto after = std::upper_bound(starts.cbegin(), starts.cend(), offset);
    return int(after - starts.cbegin()) - 1;
}

// Offset of the last case-insensitive occurrence of `needle`.
std::optional<qsizetype> lastPlain(QByteArrayView text, QByteArrayView needle) {
    std::optional<qsizetype> last;
    while (const auto at = findPlain(text, needle, last ? *last + 1 : 0))
        last = at;
    return last;
}

bool libraryLess(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

} // namespace

QStringList editorLines(QByteArrayView text) {
    const QVector<qsizetype> starts = lineStarts(text);
    QStringList lines;
    lines.reserve(starts.size());
    for (qsizetype i = 0; i < starts.size(); ++i) {
        qsizetype end = text.size();
        if (i + 1 < starts.size()) {
            end = starts[i + 1] - 1; // the break's last character
            if (end > starts[i] && text[end] == '\n' && text[end - 1] == '\r')
                --end;
        }
        lines.append(QString::fromLatin1(text.sliced(starts[i], end - starts[i])));
    }
    return lines;
}

std::optional<qsizetype> firstXdef(QByteArrayView text) {
    return findPlain(text, "xdef", 0);
}

namespace {

// The include directives before the first "xdef", each with the line it sits on.
struct LibraryDirective {
    qsizetype position;
    QString argument;
};

QVector<LibraryDirective> libraryDirectives(QByteArrayView text, qsizetype xdef) {
    QVector<LibraryDirective> found;
    qsizetype s = 0;
    while (auto d = FindDirective(text, "include", s, 7)) {
        if (d->position >= xdef)
            break;
        found.append({d->position, std::move(d->argument)});
        s = d->position + 1;
    }
    return found;
}

} // namespace

std::optional<QStringList> ProgramLibraries(QByteArrayView text) {
    const auto x = firstXdef(text);
    if (!x)
        return std::nullopt;
    QStringList libraries;
    for (const LibraryDirective& d : libraryDirectives(text, *x))
        libraries.append(d.argument);
    return libraries;
}

void sortLibraries(QStringList& libraries) {
    std::sort(libraries.begin(), libraries.end(), libraryLess);
}

bool ToggleLibrary(QStringList& selected, const QString& name) {
    for (qsizetype i = 0; i < selected.size(); ++i) {
        if (QString::compare(selected[i], name, Qt::CaseInsensitive) == 0) {
            selected.removeAt(i);
            return false;
        }
    }
    selected.insert(std::lower_bound(selected.begin(), selected.end(), name, libraryLess), name);
    return true;
}

QString libraryIncludeLine(const QString& library) {
    return QStringLiteral("\tinclude\t\"") + library + QLatin1Char('"');
}

LineEdits RewriteLibraryIncludes(QByteArrayView text, const QStringList& selected) {
    const auto x = firstXdef(text);
    if (!x)
        return {};
    const QVector<qsizetype> starts = lineStarts(text);
    // Two include words on one line (the second one in a comment, say) are
    // one line to delete: deleting it twice would take the next line with it.
    QVector<int> doomed;
    for (const LibraryDirective& d : libraryDirectives(text, *x)) {
        const int line = lineOfOffset(starts, d.position);
        if (doomed.isEmpty() || doomed.last() != line)
            doomed.append(line);
    }
    LineEdits edits;
    edits.reserve(doomed.size() + selected.size());
    // Bottom up, so that each index still names its line.
    for (auto it = doomed.crbegin(); it != doomed.crend(); ++it)
        edits.append(LineEdit::remove(*it));
    const int at = doomed.isEmpty() ? 0 : doomed.first();
    for (qsizetype k = 0; k < selected.size(); ++k)
        edits.append(LineEdit::insertBefore(at + int(k), libraryIncludeLine(selected[k])));
    return edits;
}

LibraryEntryResult InsertLibraryEntry(QByteArrayView text, int caretLine, int caretColumn,
                                      const QString& entry) {
    const QVector<qsizetype> starts = lineStarts(text);
    const auto lastXdef = lastPlain(text, "xdef");
    const int last = lastXdef ? lineOfOffset(starts, *lastXdef) : -1;
    caretLine = std::clamp(caretLine, 0, int(starts.size()) - 1);
    const qsizetype caretEnd = caretLine + 1 < starts.size() ? starts[caretLine + 1] : text.size();
    const QByteArrayView caretText = text.sliced(starts[caretLine], caretEnd - starts[caretLine]);
    // Blank as QString::trimmed sees it: the no-break space is a blank too.
    const bool blankCaretLine = std::all_of(caretText.begin(), caretText.end(), [](char c) {
        return QChar(char16_t(uchar(c))).isSpace();
    });

    LibraryEntryResult result;
    const int xdefAt = last + 1;
    result.edits.append(LineEdit::insertBefore(xdefAt, QStringLiteral("\txdef\t") + entry));
    // The caret travels with its text when the xdef line lands above it.
    const int c = caretLine >= xdefAt ? caretLine + 1 : caretLine;
    if (blankCaretLine) {
        result.edits.append(LineEdit::replace(c, entry));
        result.caretLine = c;
        result.caretColumn = int(entry.size());
    } else {
        result.edits.append(LineEdit::insertBefore(c, entry));
        result.caretLine = c + 1;
        result.caretColumn = caretColumn;
    }
    return result;
}

} // namespace quaredit
