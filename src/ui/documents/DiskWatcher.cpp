#include "ui/documents/DiskWatcher.h"

#include "ui/common/WindowServices.h"
#include "ui/documents/DocumentSet.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

namespace quaredit {

DiskWatcher::DiskWatcher(DocumentSet& documents, WindowServices& services, QWidget* window)
    : QObject(window), documents_(documents), services_(services), window_(window) {
    connect(&documents_, &DocumentSet::fileInStep, this, &DiskWatcher::fileInStep);
    // A closed document's file is no longer watched.
    connect(&documents_, &DocumentSet::documentClosed, this, [this] {
        if (!refreshQueued_) {
            refreshQueued_ = true;
            QTimer::singleShot(0, this, &DiskWatcher::watchOpenFiles);
        }
    });
    // A file is watched for writes in place; its folder for a file renamed
    // over it, deleted or made again, which end the file's own watch.
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &DiskWatcher::pathChanged);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &DiskWatcher::pathChanged);
    window_->installEventFilter(this);
}

void DiskWatcher::fileInStep(const QString& path) {
    known_[path] = stampOf(path);
    changed_.remove(path);
    // After Save As the document takes its new name only once the write is
    // done: the watches follow on the next turn of the event loop.
    if (!refreshQueued_) {
        refreshQueued_ = true;
        QTimer::singleShot(0, this, &DiskWatcher::watchOpenFiles);
    }
}

void DiskWatcher::watchOpenFiles() {
    refreshQueued_ = false;
    QSet<QString> files;
    QSet<QString> folders;
    for (int i = 0; i < documents_.DocumentCount(); ++i) {
        const Document& doc = documents_.at(i);
        if (!doc.OnDisk)
            continue;
        files.insert(doc.FullPath);
        folders.insert(QFileInfo(doc.FullPath).absolutePath());
    }
    for (auto it = known_.begin(); it != known_.end();) {
        if (files.contains(it.key()))
            ++it;
        else
            it = known_.erase(it);
    }
    changed_.intersect(files);
    QStringList drop;
    for (const QString& p : watcher_.files() + watcher_.directories()) {
        if (!files.contains(p) && !folders.contains(p))
            drop << p;
    }
    if (!drop.isEmpty())
        watcher_.removePaths(drop);
    QStringList add;
    const QStringList watchedFiles = watcher_.files();
    const QStringList watchedFolders = watcher_.directories();
    for (const QString& f : files) {
        if (!watchedFiles.contains(f) && QFileInfo::exists(f))
            add << f;
    }
    for (const QString& d : folders) {
        if (!watchedFolders.contains(d))
            add << d;
    }
    if (!add.isEmpty())
        watcher_.addPaths(add);
}

void DiskWatcher::pathChanged(const QString& path) {
    // A folder's change may concern any document in it.
    const QStringList files = known_.keys();
    for (const QString& file : files) {
        if (file == path || QFileInfo(file).absolutePath() == path)
            check(file);
    }
    // A file replaced by a rename is a new file, which needs a new watch.
    if (QFileInfo::exists(path) && !watcher_.files().contains(path) &&
        !watcher_.directories().contains(path) && known_.contains(path))
        watcher_.addPath(path);
    if (!changed_.isEmpty() && window_->isActiveWindow())
        QTimer::singleShot(0, this, &DiskWatcher::askAboutChanges);
}

void DiskWatcher::check(const QString& file) {
    const FileStamp now = stampOf(file);
    FileStamp& known = known_[file];
    switch (diskChange(known, now)) {
    case DiskChange::None:
        return;
    case DiskChange::Deleted:
        known = now;
        changed_.remove(file);
        for (int i = 0; i < documents_.DocumentCount(); ++i) {
            if (documents_.at(i).OnDisk && documents_.at(i).FullPath == file)
                documents_.markModified(i);
        }
        return;
    case DiskChange::Changed:
        changed_.insert(file);
        return;
    }
}

int DiskWatcher::indexOf(const QString& file) const {
    for (int i = 0; i < documents_.DocumentCount(); ++i) {
        if (documents_.at(i).OnDisk && documents_.at(i).FullPath == file)
            return i;
    }
    return -1;
}

void DiskWatcher::askAboutChanges() {
    // Under an open dialog the question would switch the document the
    // dialog is about; the window's next activation asks.
    if (asking_ || services_.modalDepth() > 0 || QApplication::activeModalWidget())
        return;
    asking_ = true;
    while (!changed_.isEmpty()) {
        const QString file = *changed_.begin();
        changed_.remove(file);
        const int index = indexOf(file);
        // Closed meanwhile, or saved by the editor since the change.
        if (index < 0 || diskChange(known_.value(file), stampOf(file)) != DiskChange::Changed)
            continue;
        documents_.makeCurrent(index);
        const MsgResult answer =
            services_.messageBox(reloadQuestion(file, documents_.at(index).Modified),
                                 QStringLiteral("Confirm"), MsgIcon::Warning, MsgButtons::YesNo);
        // One question per file until it is answered: what the file did
        // while it was open is answered with it.
        changed_.remove(file);
        known_[file] = stampOf(file);
        // The box's event loop may have closed or moved the document.
        if (answer == MsgResult::Yes)
            documents_.reloadDocument(indexOf(file));
    }
    asking_ = false;
}

bool DiskWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::WindowActivate && !changed_.isEmpty())
        QTimer::singleShot(0, this, &DiskWatcher::askAboutChanges);
    return QObject::eventFilter(watched, event);
}

} // namespace quaredit
