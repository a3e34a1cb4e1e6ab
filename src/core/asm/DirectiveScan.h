#pragma once

#include "core/documents/Paths.h"
#include "core/text/Latin1Search.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace quaredit {

struct Directive {
    qsizetype position = 0; // offset of the keyword
    QString argument;       // the rest of its line, comment cut, tabs and quotes removed, trimmed
};

// Reads the next directive `keyword` at or after `start`; `skip` is the
// keyword's length. An argument that is empty once the comment, tabs and
// quotes are gone reads as "not found", which ends a caller's scan. The
// argument of a directive on a last line without a line break runs to the
// end of the text.
std::optional<Directive> FindDirective(QByteArrayView text, QByteArrayView keyword, qsizetype start,
                                       qsizetype skip);

// A program source is a library when "_library" occurs before any "_main".
bool DetectLibrary(QByteArrayView text, DocumentKind kind);

} // namespace quaredit
