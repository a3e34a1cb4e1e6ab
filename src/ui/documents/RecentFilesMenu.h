#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QMenu;

namespace quaredit {

class KeyStore;
struct Settings;

// The Reopen submenu over the recent files of the settings; every change is
// written back to the settings store at once.
class RecentFilesMenu : public QObject {
    Q_OBJECT
public:
    RecentFilesMenu(QMenu* reopen, Settings& settings, KeyStore& store,
                    std::function<void(const QString&)> open, QObject* parent = nullptr);

    void AddRecentFile(const QString& path);
    void RebuildRecentMenu();
    void ClearRecentMenu();
    void RecentFileClick(int index);

private:
    void fillMenu();

    QMenu* reopen_;
    Settings& settings_;
    KeyStore& store_;
    std::function<void(const QString&)> open_;
};

} // namespace quaredit
