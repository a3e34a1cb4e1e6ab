#include "core/compile/ToolchainPage.h"

#include "core/compile/BatchText.h"
#include "core/compile/CompileRun.h"
#include "core/documents/FileSafety.h"
#include "core/documents/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quaredit {

std::optional<QStringList> BatchFolder::read(const QString& fileName, QString& error) const {
    const LoadedText loaded = loadTextFile(path(fileName));
    if (!loaded.ok()) {
        error = loaded.error;
        return std::nullopt;
    }
    return batchLinesFromBytes(loaded.bytes);
}

std::optional<QString> BatchFolder::write(const QString& fileName, const QStringList& lines) const {
    // The user's data folder may not exist yet on a first launch; a folder
    // that cannot be made shows as the failed write that follows.
    const QString file = path(fileName);
    QDir().mkpath(QFileInfo(file).absolutePath());
    return saveTextFile(file, batchBytesFromLines(lines));
}

std::optional<QString> BatchFolder::writeScript(const QStringList& lines) const {
    const QString file = path(NativeBuildFile);
    QDir().mkpath(QFileInfo(file).absolutePath());
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + '\n';
    if (auto error = writeFileAtomically(file, bytes))
        return error;
    if (!QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return QStringLiteral("The file <%1> could not be made executable.").arg(file);
    return std::nullopt;
}

std::optional<QString> BatchFolder::remove(const QString& fileName) const {
    const QString file = path(fileName);
    QFile f(file);
    if (!QFileInfo(file).isSymLink() && !f.exists())
        return std::nullopt;
    if (!f.remove())
        return QStringLiteral("The old file <%1> could not be removed: %2")
            .arg(file, f.errorString());
    return std::nullopt;
}

QStringList ToolchainPage::lstConfigChange(int index) {
    QStringList errors;
    index = validConfigIndex(index);
    selected_ = index;
    if (index == ConfigNone) {
        editable_ = true;
        batch_.clear();
        QString error;
        const auto lines = folder_.read(UserBatchFile, error);
        userText_ = lines.has_value();
        // There but unreadable (no right to read it, a FIFO, a NUL byte):
        // the empty text shown is not the user's.
        userTextUnread_ = !lines && fileNature(folder_.path(UserBatchFile)) != FileNature::Missing;
        if (lines)
            batch_ = *lines;
        else
            errors << error;
    } else {
        // The user's text leaves the screen here, so it is kept now,
        // whatever becomes of this showing of the dialog.
        if (editable_ && userText_) {
            if (const auto error = folder_.write(UserBatchFile, batch_))
                errors << *error;
        }
        batch_ = GenerateBatchText(index, compiler_);
        editable_ = false;
    }
    setFields(index);
    return errors;
}

QStringList ToolchainPage::reactivate(int index) {
    index = validConfigIndex(index);
    if (index == ConfigNone && selected_ == ConfigNone && editable_) {
        setFields(index);
        return {};
    }
    return lstConfigChange(index);
}

void ToolchainPage::setFields(int index) {
    const ToolchainRow& row = paths_[size_t(index)];
    // Copies, because each change rule below writes into the same row.
    const QString compiler = row.CompilPath;
    const QString include = row.IncludePath;
    const QString library = row.LibPath;
    if (compiler_ != compiler)
        edPathChange(compiler);
    if (include_ != include)
        IncPathChange(include);
    if (library_ != library)
        LibPathChange(library);
}

void ToolchainPage::edPathChange(const QString& text) {
    compiler_ = text;
    if (selected_ < 0)
        return;
    paths_[size_t(selected_)].CompilPath = text;
    if (isPredefinedConfig(selected_) && batch_.size() > BatchFolderLine)
        batch_[BatchFolderLine] = batchVariablePrefix(selected_) + text;
}

void ToolchainPage::IncPathChange(const QString& text) {
    include_ = text;
    if (selected_ >= 0)
        paths_[size_t(selected_)].IncludePath = text;
}

void ToolchainPage::LibPathChange(const QString& text) {
    library_ = text;
    if (selected_ >= 0)
        paths_[size_t(selected_)].LibPath = text;
}

void ToolchainPage::batchEdited(const QStringList& lines) {
    if (!editable_)
        return;
    batch_ = lines;
    userText_ = true;
    userTextUnread_ = false;
}

std::optional<QString> ToolchainPage::compilerFolderProblem() const {
    if (!isPredefinedConfig(selected_) || isSafeBatchText(compiler_))
        return std::nullopt;
    return QStringLiteral("The compiler folder <%1> holds one of the characters %2 or a control "
                          "character: the batch interpreter would take them as commands. Choose "
                          "another folder.")
        .arg(compiler_, batchTextRefusedCharacters());
}

QStringList ToolchainPage::commit() {
    QStringList errors;
    if (selected_ == ConfigNone && userText_) {
        if (const auto error = folder_.write(UserBatchFile, batch_))
            errors << *error;
    }
    // A folder read from a hand-edited settings file gets the same refusal
    // as a typed one: it never reaches the batch file.
    if (const auto problem = compilerFolderProblem())
        errors << *problem + QStringLiteral(" The file <%1> was not written.")
                                 .arg(folder_.path(CompileBatchFile));
    else if (selected_ == ConfigNone && userTextUnread_) {
        errors << QStringLiteral("The file <%1> could not be read, so the file <%2> was not "
                                 "written: it keeps the batch text it had.")
                      .arg(folder_.path(UserBatchFile), folder_.path(CompileBatchFile));
    } else if (selected_ == ConfigNone && isNativeScript(batch_)) {
        if (const auto error = folder_.writeScript(batch_))
            errors << *error;
        else if (const auto stale = folder_.remove(CompileBatchFile))
            errors << *stale;
    } else if (const auto error = folder_.write(CompileBatchFile, batch_)) {
        errors << *error;
    } else if (const auto stale = folder_.remove(NativeBuildFile)) {
        errors << *stale;
    }
    return errors;
}

} // namespace quaredit
