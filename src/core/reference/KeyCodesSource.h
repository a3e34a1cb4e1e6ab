#pragma once

#include "core/reference/KeyCodes.h"

#include <QString>

namespace quaredit {

// The readable form of the key table that the build turns into
// "keycodes.lst". Tab-separated lines:
//   # ...                                   a comment
//   info <tab> text                         the info text, once, at most 40 characters
//   group <tab> key <tab> none ...          the column heading (skipped)
//   Group <tab> Key <tab> 5 codes [<tab> notes]   one record
// Records come in file order; each group's rows must fill exactly its range,
// so a missing or misplaced row is caught when the file is built, not when
// a user reads the wrong code.
struct KeyCodesSource {
    KeyCodeTable table;
    QString error; // "line N: reason"; empty when the text was accepted
    bool ok() const { return error.isEmpty(); }
};

KeyCodesSource parseKeyCodesSource(const QByteArray& text);

} // namespace quaredit
