#pragma once

#include <QByteArrayView>
#include <QVector>
#include <optional>

namespace quaredit {

// The choices of the labels window; every ticked filter must pass.
struct LabelFilters {
    bool hideSlash = false; // drop local labels, written with a leading backslash
    bool show2Pt = false;   // keep only names that end with ":"
    bool showMaj = false;   // keep only names that start with A to Z
    bool showLib = false;   // keep only library entry points, which hold "@"
    bool alphOrder = false; // order by name, ignoring case
};

// A name defined in the first column and the zero-based line that defines it.
// The name views the scanned text (Latin-1 bytes, as the editor holds them),
// which must outlive the entry.
struct LabelEntry {
    QByteArrayView name;
    int line = 0;
};

// The name that a line (without its line break) defines, or nothing when the
// line is empty, indented, a ";" comment, or holds only blanks and control
// characters. The name runs to the first tab, then to the first space, and is
// trimmed of characters of code 32 or less; a trailing ":" stays.
std::optional<QByteArrayView> labelName(QByteArrayView line);

bool passesLabelFilters(QByteArrayView name, const LabelFilters& filters);

// Every first-column name of `text` that passes the filters, in text order or,
// with `alphOrder`, by name ignoring case as QString compares it (equal names
// keep their text order). Lines end at CR LF, LF or CR, as in the editor. One
// pass over the text; the names are views into it, not copies.
QVector<LabelEntry> ScanLabels(QByteArrayView text, const LabelFilters& filters);

} // namespace quaredit
