#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace quaredit {

// How ".asm" files reach this program on a freedesktop system: a desktop
// entry for the program, and its place in the user's mimeapps.list.
inline const QString AsmMimeType = QStringLiteral("text/x-asm");
inline const QString DesktopFileName = QStringLiteral("quaredit.desktop");

// The Exec value that opens one file with `executable`, or nullopt when the
// path holds a control character, which an Exec line cannot carry.
std::optional<QString> desktopExecValue(const QString& executable);

// The whole desktop entry, UTF-8; nullopt as for desktopExecValue.
std::optional<QByteArray> desktopEntryText(const QString& executable);

// mimeapps.list with `desktopFile` the first default for `mimeType` exactly
// when `makeDefault`, and listed among the added associations exactly when
// `offer`. Only the entries naming `desktopFile` change: another program's
// default stays, and every other line is kept as it was.
QString updateMimeApps(const QString& text, const QString& mimeType, const QString& desktopFile,
                       bool makeDefault, bool offer);

} // namespace quaredit
