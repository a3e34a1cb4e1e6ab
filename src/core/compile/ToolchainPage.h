#pragma once

#include "core/app/DataFolders.h"
#include "core/settings/Settings.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace quaredit {

// The two batch files: "compil.bat", which a compilation runs, and
// "batch.dat", the user's own batch text for configuration 0, where the
// program's data folders keep them.
class BatchFolder {
public:
    explicit BatchFolder(DataFolders folders) : folders_(std::move(folders)) {}

    QString path(const QString& fileName) const { return folders_.path(fileName); }
    // The file's lines, or an error naming it.
    std::optional<QStringList> read(const QString& fileName, QString& error) const;
    // Replaces the file; nullopt on success, otherwise an error naming it.
    std::optional<QString> write(const QString& fileName, const QStringList& lines) const;
    // The native script: LF line ends, which a shell needs, and runnable by
    // its owner alone.
    std::optional<QString> writeScript(const QStringList& lines) const;
    // Removes a build file of the other kind, so that it is never run stale.
    std::optional<QString> remove(const QString& fileName) const;

private:
    DataFolders folders_;
};

// What the "Compilator" page shows: the selected configuration, its batch
// text with whether the user may edit it, and the three folder fields, kept
// in step with the per-configuration folders being edited. Lives as long as
// the options dialog, so a text left editable by a cancelled showing is
// still known to be the user's at the next one.
class ToolchainPage {
public:
    explicit ToolchainPage(BatchFolder folder) : folder_(std::move(folder)) {}

    ToolchainPaths& paths() { return paths_; }
    const ToolchainPaths& paths() const { return paths_; }
    int selected() const { return selected_; }
    const QStringList& batch() const { return batch_; }
    bool editable() const { return editable_; }
    const QString& compilerField() const { return compiler_; }
    const QString& includeField() const { return include_; }
    const QString& libraryField() const { return library_; }

    // Shows configuration `index`. Errors come back as messages naming the
    // file; the switch still completes, so the fields always follow the row.
    QStringList lstConfigChange(int index);
    // The same switch when the dialog comes back from its folder picker: if
    // the user's own text is on screen for the stored configuration 0, it
    // stays as typed instead of being reloaded over the unsaved edits.
    QStringList reactivate(int index);

    void edPathChange(const QString& text);
    void IncPathChange(const QString& text);
    void LibPathChange(const QString& text);
    // The user typed in the batch text; ignored while it is generated.
    void batchEdited(const QStringList& lines);

    // A compiler folder that would reach "compil.bat" holding interpreter
    // syntax ("&" runs what follows it): the message to refuse it with.
    std::optional<QString> compilerFolderProblem() const;

    // On OK: the user's text to "batch.dat" when configuration 0 is
    // selected, then the text on screen to "compil.bat" (not when the
    // compiler folder is refused), or to "compil.sh" when it is the user's
    // own script; the file of the other kind is removed.
    QStringList commit();

private:
    static constexpr int NothingSelected = -1;

    void setFields(int index);

    BatchFolder folder_;
    ToolchainPaths paths_;
    int selected_ = NothingSelected;
    QStringList batch_;
    bool editable_ = false;
    // The editable text is the user's: "batch.dat" was read, or the user
    // typed. A file that could not be read (a NUL byte, over the limit) is
    // never replaced by the empty text shown in its place.
    bool userText_ = false;
    // "batch.dat" is there but could not be read: nor is "compil.bat"
    // replaced by the empty text shown in its place.
    bool userTextUnread_ = false;
    QString compiler_;
    QString include_;
    QString library_;
};

} // namespace quaredit
