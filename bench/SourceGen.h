#pragma once

#include <QString>

namespace quaredit::bench {

// What a generated 68000 source holds.
struct SourceShape {
    qsizetype size = 1'000'000; // characters, CR LF line ends included
    int libraries = 4;          // include lines above the first xdef
    int includes = 5000;        // include lines spread evenly through the body
    int labels = 0;             // label lines in column 1; 0: one every eight lines
};

// A deterministic program source of exactly `shape.size` characters (when
// that is large enough for the header): a comment header, library includes,
// xdef lines, then labels in column 1, tab-indented instructions with
// trailing ";" comments, comment lines and the include lines, every line
// ended by CR LF.
QString generateSource(const SourceShape& shape);

// A source of `size` characters in which the whole word `word` occurs
// `occurrences` times, one per instruction line from the top, for timing
// Replace All.
QString generateReplaceSource(qsizetype size, int occurrences, const QString& word);

} // namespace quaredit::bench
