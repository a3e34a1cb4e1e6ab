#pragma once

#include <QString>

namespace quaredit {

// Turns a filter written as "Description|*.a;*.b|Description 2|*.c" (the form
// the program's texts use) into Qt's "Description (*.a *.b);;Description 2 (*.c)".
// The pattern list after each "|" is what really filters, so the shown
// parenthesis is rebuilt from it; "*.*" means every file, as it did where the
// texts come from. A malformed filter still yields a usable one: a trailing
// description without patterns takes the patterns named in its parenthesis (or
// every file), empty entries are dropped, and an empty filter lists all files.
QString qtFilterFromDelphi(const QString& filter);

} // namespace quaredit
