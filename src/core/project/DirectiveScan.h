#pragma once

#include "core/documents/Paths.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace quaredit {

// Offset of the first case-insensitive, whole-word occurrence of `word` at or
// after `from`: the characters around the match, where there are any, are not
// letters, digits or underscores. Comments and strings are not skipped. The
// find dialog's "match case" is the only caller that passes CaseSensitive.
std::optional<qsizetype> findWord(QStringView text, QStringView word, qsizetype from,
                                  Qt::CaseSensitivity cs = Qt::CaseInsensitive);

// Offset of the first case-insensitive occurrence of `needle` at or after
// `from`, anywhere in a word.
std::optional<qsizetype> findPlain(QStringView text, QStringView needle, qsizetype from,
                                   Qt::CaseSensitivity cs = Qt::CaseInsensitive);

struct Directive {
    qsizetype position = 0; // offset of the keyword
    QString argument;       // the rest of its line, comment cut, tabs and quotes removed, trimmed
};

// Reads the next directive `keyword` at or after `start`; `skip` is the
// keyword's length. An argument that is empty once the comment, tabs and
// quotes are gone reads as "not found", which ends a caller's scan. The
// argument of a directive on a last line without a line break runs to the
// end of the text.
std::optional<Directive> FindDirective(QStringView text, QStringView keyword, qsizetype start,
                                       qsizetype skip);

// A program source is a library when "_library" occurs before any "_main".
bool DetectLibrary(QStringView text, DocumentKind kind);

} // namespace quaredit
