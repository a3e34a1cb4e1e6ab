#include "ui/documents/RecentFilesMenu.h"

#include "core/documents/RecentFiles.h"
#include "core/settings/KeyStore.h"
#include "core/settings/Settings.h"

#include <QAction>
#include <QMenu>

namespace quaredit {

RecentFilesMenu::RecentFilesMenu(QMenu* reopen, Settings& settings, KeyStore& store,
                                 std::function<void(const QString&)> open, QObject* parent)
    : QObject(parent), reopen_(reopen), settings_(settings), store_(store), open_(std::move(open)) {
}

void RecentFilesMenu::AddRecentFile(const QString& path) {
    // Already at the head: nothing to write (what other editors added is
    // merged at the next change).
    if (!settings_.RecentFiles.isEmpty() && settings_.RecentFiles.first() == path)
        return;
    const QStringList shown = settings_.RecentFiles;
    store_.updateShared([&] {
        // Other editors running at the same time add to the same list: the
        // entry goes onto the list as they left it, so none of theirs is lost.
        ReadRecentFiles(store_, settings_.RecentFiles);
        if (addRecentFile(settings_.RecentFiles, path))
            SaveRecentFiles(store_, settings_.RecentFiles);
    });
    if (settings_.RecentFiles != shown)
        fillMenu();
}

void RecentFilesMenu::RebuildRecentMenu() {
    fillMenu();
    store_.updateShared([&] { SaveRecentFiles(store_, settings_.RecentFiles); });
}

void RecentFilesMenu::fillMenu() {
    ClearRecentMenu();
    for (int i = 0; i < settings_.RecentFiles.size(); ++i) {
        QAction* item = reopen_->addAction(recentFileCaption(i, settings_.RecentFiles[i]));
        connect(item, &QAction::triggered, this, [this, i] { RecentFileClick(i); });
    }
    reopen_->setEnabled(!settings_.RecentFiles.isEmpty());
}

void RecentFilesMenu::ClearRecentMenu() {
    // Deferred deletion: the item being clicked is still delivering its signal.
    for (QAction* item : reopen_->actions()) {
        reopen_->removeAction(item);
        item->deleteLater();
    }
}

void RecentFilesMenu::RecentFileClick(int index) {
    if (index < 0 || index >= settings_.RecentFiles.size())
        return;
    const QString path = settings_.RecentFiles[index];
    open_(path);
    AddRecentFile(path);
}

} // namespace quaredit
