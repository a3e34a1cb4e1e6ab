#pragma once

#include "platform/settings/ShellAssociation.h"

#include <QString>

namespace quaredit {

// The association on a freedesktop system: a desktop entry in the user's
// applications folder, and this program's lines in the user's mimeapps.list.
class XdgShellAssociation : public ShellAssociation {
public:
    // The running executable, and the folders of QStandardPaths.
    XdgShellAssociation();
    XdgShellAssociation(QString executable, QString applicationsFolder, QString mimeAppsFile,
                        QString iconFile = QString());

    bool WriteShellAssociation(bool associate, bool editExplorator) override;
    QString failureDetail() const override { return failure_; }

    QString desktopFilePath() const;
    const QString& mimeAppsFile() const { return mimeAppsFile_; }

private:
    QString executable_;
    QString applicationsFolder_;
    QString mimeAppsFile_;
    QString iconFile_;
    QString failure_;
};

} // namespace quaredit
