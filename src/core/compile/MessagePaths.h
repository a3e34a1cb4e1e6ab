#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace quaredit {

// Wine's drive letters and the Linux folders they stand for, each with its
// trailing "/"; keys are lower-case letters.
using WineDrives = QHash<QChar, QString>;

// The drives of a Wine prefix: its "dosdevices" folder holds one link per
// drive ("c:" -> "../drive_c", "z:" -> "/"). A prefix without them still
// has Z: as the root folder, as Wine sets it up.
WineDrives wineDrivesIn(const QString& prefix);

// Where the build's messages are read: the folder the build ran in, the
// source it built, Wine's drives, and the paths of the open tabs.
struct MessagePlaces {
    QString workingFolder;
    QString source;
    WineDrives drives;
    QStringList openPaths;
};

// The file a message names, as a clean absolute Linux path. An empty name
// is the source being built; a relative one is taken from the working
// folder; a DOS path ("Z:\src\PROG.ASM", "src\prog.asm") is mapped through
// Wine's drives, and its letter case, which DOS ignores, is found on disk.
// A path that an open tab has except for letter case is that tab's.
QString resolveMessagePath(const QString& printed, const MessagePlaces& places);

} // namespace quaredit
