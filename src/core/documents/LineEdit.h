#pragma once

#include <QString>
#include <QVector>

namespace quaredit {

// A change to a document computed by a tool, as whole-line operations on
// zero-based line indexes. Operations apply in order, each on the text left
// by the ones before it, and the editor applies them as one undo step.
struct LineEdit {
    enum class Kind { Replace, InsertBefore, Delete };
    Kind kind = Kind::Replace;
    int line = 0;
    QString text; // unused for Delete

    static LineEdit replace(int line, QString text) {
        return {Kind::Replace, line, std::move(text)};
    }
    static LineEdit insertBefore(int line, QString text) {
        return {Kind::InsertBefore, line, std::move(text)};
    }
    static LineEdit remove(int line) { return {Kind::Delete, line, {}}; }
    bool operator==(const LineEdit&) const = default;
};
using LineEdits = QVector<LineEdit>;

} // namespace quaredit
