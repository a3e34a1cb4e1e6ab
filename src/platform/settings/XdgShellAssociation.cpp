#include "platform/settings/XdgShellAssociation.h"

#include "core/settings/DesktopIntegration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

namespace quaredit {

namespace {

bool writeWhole(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
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
    // The entry comes first: mimeapps.list must never name a missing file.
    if (associate || editExplorator) {
        const auto entry = desktopEntryText(executable_, iconFile_);
        if (!entry || !writeWhole(desktopFilePath(), *entry))
            return false;
    }
    QString before;
    QFile file(mimeAppsFile_);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return false;
        QStringDecoder utf8(QStringDecoder::Utf8);
        before = utf8(file.readAll());
        file.close();
        // Rewriting a file that is not UTF-8 would mangle the other lines.
        if (utf8.hasError())
            return false;
    }
    const QString after =
        updateMimeApps(before, AsmMimeType, DesktopFileName, associate, editExplorator);
    return after == before || writeWhole(mimeAppsFile_, after.toUtf8());
}

} // namespace quaredit
