#include "core/documents/RecentFiles.h"

#include "core/documents/Document.h"
#include "core/settings/Settings.h"

namespace quaredit {

bool addRecentFile(QStringList& recentFiles, const QString& path) {
    if (!recentFiles.isEmpty() && recentFiles.first() == path)
        return false;
    recentFiles.removeOne(path);
    recentFiles.prepend(path);
    while (recentFiles.size() > MaxRecentFiles)
        recentFiles.removeLast();
    return true;
}

QString recentFileCaption(int index, const QString& path) {
    return QStringLiteral("&%1:%2").arg(index + 1).arg(literalCaption(path));
}

} // namespace quaredit
