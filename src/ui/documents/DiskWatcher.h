#pragma once

#include "core/documents/DiskChange.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>

class QWidget;

namespace quaredit {

class DocumentSet;
class WindowServices;

// Notices when another program changes, replaces or deletes the file of an
// open document. A change is asked about when the main window is next
// active: reload or keep the text. A deleted file marks its document
// modified, so closing it asks to save it again. The editor's own saves
// are known as such and never asked about.
class DiskWatcher : public QObject {
    Q_OBJECT
public:
    DiskWatcher(DocumentSet& documents, WindowServices& services, QWidget* window);

    // Asks about the changes noticed so far; what the window's activation does.
    void askAboutChanges();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fileInStep(const QString& path);
    void watchOpenFiles();
    void pathChanged(const QString& path);
    void check(const QString& file);
    int indexOf(const QString& file) const;

    DocumentSet& documents_;
    WindowServices& services_;
    QWidget* window_;
    QFileSystemWatcher watcher_;
    QHash<QString, FileStamp> known_; // as the editor last loaded or saved each file
    QSet<QString> changed_;           // waiting for the question
    bool asking_ = false;
    bool refreshQueued_ = false;
};

} // namespace quaredit
