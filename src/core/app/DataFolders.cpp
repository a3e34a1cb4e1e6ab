#include "core/app/DataFolders.h"

#include <QDir>
#include <QFileInfo>

#ifndef QUAREDIT_DATA_FROM_BIN
#define QUAREDIT_DATA_FROM_BIN "../share/quaredit"
#endif

namespace quaredit {

namespace {

QString withSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace

DataFolders::DataFolders(const QString& programFolder, const QString& userFolder)
    : program_(withSlash(programFolder)),
      shared_(withSlash(QDir::cleanPath(program_ + QStringLiteral(QUAREDIT_DATA_FROM_BIN)))) {
    installed_ = QFileInfo(shared_).isDir();
    const bool programWritable = QFileInfo(program_).isWritable();
    writable_ = !installed_ && programWritable ? program_ : withSlash(userFolder);
}

DataFolders DataFolders::beside(const QString& programFolder) {
    DataFolders folders;
    folders.program_ = withSlash(programFolder);
    folders.shared_ = folders.program_;
    folders.writable_ = folders.program_;
    return folders;
}

QString DataFolders::path(const QString& fileName) const {
    if (isWrittenDataFile(fileName))
        return writable_ + fileName;
    const QString beside = program_ + fileName;
    if (!installed_ || QFileInfo::exists(beside))
        return beside;
    return shared_ + fileName;
}

bool isWrittenDataFile(const QString& fileName) {
    return fileName == CompileBatchFile || fileName == UserBatchFile || fileName == NativeBuildFile;
}

QString userDataFolderIn(const QString& dataHome) {
    return withSlash(dataHome) + QStringLiteral("quaredit/");
}

} // namespace quaredit
