#include "platform/settings/XdgShellAssociation.h"

#include "core/documents/FileSafety.h"
#include "core/settings/DesktopIntegration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>

namespace quaredit {

namespace {

// Far more than any list of associations; a longer file is not rewritten.
constexpr qint64 MaxMimeAppsBytes = 4 * 1024 * 1024;

// Both files are replaced whole, never through a device or a FIFO put in
// their place, and a link to them stays a link.
std::optional<QString> writeWhole(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("Cannot create the folder of <%1>.").arg(path);
    return writeFileAtomically(path, bytes);
}

// The icon the build puts beside the executable; none when it is missing,
// so that the entry never names a file that is not there.
QString shippedIcon() {
    const QString path = QCoreApplication::applicationDirPath() + u'/' + IconFileName;
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace

XdgShellAssociation::XdgShellAssociation()
    : XdgShellAssociation(QCoreApplication::applicationFilePath(),
                          QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                              QStringLiteral("/applications"),
                          QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                              QStringLiteral("/mimeapps.list"),
                          shippedIcon()) {}

XdgShellAssociation::XdgShellAssociation(QString executable, QString applicationsFolder,
                                         QString mimeAppsFile, QString iconFile)
    : executable_(std::move(executable)), applicationsFolder_(std::move(applicationsFolder)),
      mimeAppsFile_(std::move(mimeAppsFile)), iconFile_(std::move(iconFile)) {}

QString XdgShellAssociation::desktopFilePath() const {
    return applicationsFolder_ + u'/' + DesktopFileName;
}

bool XdgShellAssociation::WriteShellAssociation(bool associate, bool editExplorator) {
    failure_.clear();
    // The entry comes first: mimeapps.list must never name a missing file.
    if (associate || editExplorator) {
        const auto entry = desktopEntryText(executable_, iconFile_);
        if (!entry)
            return false;
        if (const auto error = writeWhole(desktopFilePath(), *entry)) {
            failure_ = *error;
            return false;
        }
    }
    QString before;
    // Opened once and judged as opened, so nothing can be swapped in between.
    const FileRead read = readRegularFile(mimeAppsFile_, MaxMimeAppsBytes);
    if (read.nature == FileNature::Folder || read.nature == FileNature::Special) {
        failure_ = QStringLiteral("Cannot read the file <%1>: %2.")
                       .arg(mimeAppsFile_, notRegularFileReason());
        return false;
    }
    if (read.nature == FileNature::Regular) {
        if (read.error != 0 || read.bytes.size() >= MaxMimeAppsBytes) {
            failure_ = QStringLiteral("Cannot read the file <%1>: %2.")
                           .arg(mimeAppsFile_, read.error != 0 ? qt_error_string(read.error)
                                                               : QStringLiteral("it is too long"));
            return false;
        }
        QStringDecoder utf8(QStringDecoder::Utf8);
        before = utf8(read.bytes);
        // Rewriting a file that is not UTF-8 would mangle the other lines.
        if (utf8.hasError()) {
            failure_ = QStringLiteral("The file <%1> is not UTF-8 text.").arg(mimeAppsFile_);
            return false;
        }
    }
    const QString after =
        updateMimeApps(before, AsmMimeType, DesktopFileName, associate, editExplorator);
    if (after == before)
        return true;
    if (const auto error = writeWhole(mimeAppsFile_, after.toUtf8())) {
        failure_ = *error;
        return false;
    }
    return true;
}

} // namespace quaredit
