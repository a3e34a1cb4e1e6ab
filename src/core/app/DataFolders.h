#pragma once

#include <QString>

namespace quaredit {

// Where the program's own files are: the read-only data ("keycodes.lst",
// "prg.wiz", "lib.wiz") and the two batch files the options dialog writes
// ("compil.bat", "batch.dat").
//
// Run from its build folder, every file lies beside the executable, as it
// always has. Installed, the executable's folder is the bin/ of a prefix
// that every user shares: the read-only data come from the prefix's
// share/quaredit/, and the batch files live in the user's own data folder,
// also when bin/ happens to be writable (root, a prefix inside the home
// folder), so that no user ever runs a compil.bat another user wrote.
class DataFolders {
public:
    DataFolders() = default;
    // Both folders end with "/". The shared data folder is found from the
    // program folder.
    DataFolders(const QString& programFolder, const QString& userFolder);
    // Every file beside the program, whatever the folder holds: a test's
    // temporary folder.
    static DataFolders beside(const QString& programFolder);

    // The one place where `fileName` is read and written.
    QString path(const QString& fileName) const;
    // Where the batch files are written, with its trailing "/".
    const QString& writableFolder() const { return writable_; }
    const QString& programFolder() const { return program_; }
    bool installed() const { return installed_; }

private:
    QString program_;
    QString shared_;
    QString writable_;
    bool installed_ = false;
};

// The batch a compilation runs, and the user's own batch text for
// configuration 0: the files this program writes at run time.
inline const QString CompileBatchFile = QStringLiteral("compil.bat");
inline const QString UserBatchFile = QStringLiteral("batch.dat");
// The user's own build text when it is a script for this system ("#!"):
// written instead of compil.bat and run without the batch interpreter.
inline const QString NativeBuildFile = QStringLiteral("compil.sh");

bool isWrittenDataFile(const QString& fileName);

// This program's folder inside the user's data folder (normally
// $XDG_DATA_HOME), with its trailing "/".
QString userDataFolderIn(const QString& dataHome);

} // namespace quaredit
