#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace quaredit {

// How ".asm" files reach this program on a freedesktop system: a desktop
// entry for the program, and its place in the user's mimeapps.list.
inline const QString AsmMimeType = QStringLiteral("text/x-asm");
inline const QString DesktopEntryId = QStringLiteral("quaredit");
inline const QString DesktopFileName = DesktopEntryId + QStringLiteral(".desktop");
// The program's icon, shipped beside the executable.
inline const QString IconFileName = QStringLiteral("quaredit.svg");

// The Exec value that opens one file with `executable`, or nullopt when the
// path holds a control character, which an Exec line cannot carry.
std::optional<QString> desktopExecValue(const QString& executable);

// The whole desktop entry, UTF-8; nullopt as for desktopExecValue. The Icon
// line names `iconFile` when one is given that an entry can carry.
std::optional<QByteArray> desktopEntryText(const QString& executable,
                                           const QString& iconFile = QString());

// mimeapps.list with `desktopFile` the first default for `mimeType` exactly
// when `makeDefault`, and listed among the added associations exactly when
// `offer`. Only the entries naming `desktopFile` change: another program's
// default stays, and every other line is kept as it was.
QString updateMimeApps(const QString& text, const QString& mimeType, const QString& desktopFile,
                       bool makeDefault, bool offer);

} // namespace quaredit
