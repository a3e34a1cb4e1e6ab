#include "platform/settings/SettingsLocation.h"

#include <QStandardPaths>

namespace quaredit {

QString settingsFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Vask Software/Quaredit/alpha5.ini");
}

} // namespace quaredit
