#pragma once

#include "core/compile/BuildMessages.h"
#include "ui/editor/EditorMarkers.h"

#include <QAbstractListModel>
#include <QWidget>

class QLabel;
class QListView;
class QToolButton;

namespace quaredit {

class BuildLog;

// How the editor marks a message of this kind.
MarkKind markKindOf(MessageSeverity severity);

// The lines of a build's log as a list: a first line saying how many were
// dropped, the kept lines, then the line still being written. It shows what
// the log held at the last sync(), so a view never reads past what it was
// told of.
class BuildLogModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit BuildLogModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    void setLog(const BuildLog* log);
    // Output is still coming: a row is kept for the line being written.
    void setOpen(bool open) { open_ = open; }
    // The panel's paper is dark: the messages take the dark set's colours.
    void setDark(bool dark) { dark_ = dark; }
    // Catches up with the log: rows added at the end in one step, or the
    // whole list again once earlier lines were dropped.
    void sync();
    int rowOfMessage(int message) const;
    // The message shown on `row`, or -1.
    int messageOfRow(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    int headRows() const { return dropped_ > 0 ? 1 : 0; }

    const BuildLog* log_ = nullptr;
    bool open_ = false;
    bool dark_ = false;
    qint64 dropped_ = 0;
    int rows_ = 0;
};

// The messages panel under the editor: a status line with Stop and close
// buttons over the build's output. Escape or the close button hides it.
class BuildPanel : public QWidget {
    Q_OBJECT
public:
    explicit BuildPanel(QWidget* parent = nullptr);

    void setLog(const BuildLog* log);
    void sync();
    void setRunning(bool running, const QString& status);
    void selectMessage(int message);

    QListView* list() const { return lstMessages; }
    QToolButton* stopButton() const { return btStopBuild; }
    QString status() const;

signals:
    void messageActivated(int message);
    void stopClicked();
    // Hidden by the user: Escape or the close button.
    void closed();

private:
    BuildLogModel* model_;
    QLabel* lbBuildStatus;
    QToolButton* btStopBuild;
    QToolButton* btCloseMessages;
    QListView* lstMessages;
};

} // namespace quaredit
