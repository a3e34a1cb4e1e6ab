#pragma once

#include "core/compile/BuildLog.h"
#include "core/compile/CompileRun.h"
#include "core/compile/MessagePaths.h"
#include "ui/documents/CommandContext.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

class QAction;

namespace quaredit {

class BuildPanel;
class BuildProcess;

// What the main window lends the messages panel: a place under the editor,
// and the status bar.
struct PanelHost {
    std::function<void(QWidget* panel)> install;
    std::function<void(const QString& text)> showStatus;
};

// A build run inside the editor: the output in the messages panel, its
// messages marked in the documents they name, F4 and Shift+F4 from one to
// the next.
class PanelBuild : public QObject {
    Q_OBJECT
public:
    PanelBuild(CommandContext context, PanelHost host);
    ~PanelBuild() override;

    bool running() const;
    // Runs the build file on the command's argument in its folder. A build
    // that cannot start says why in the panel.
    void start(const CompileCommand& command, const QStringList& searchPath = {});
    // Ends the build and everything it started.
    void stop();
    // Goes to the next (+1) or previous (-1) message.
    void step(int direction);
    // Goes to message `index`: its file opened, the caret on its place.
    void goToMessage(int index);

    // Built at the first build.
    BuildPanel* panel() const { return panel_; }
    const BuildLog& log() const { return *log_; }
    // Where message `index` lives, as a Linux path.
    QString messagePath(int index) const { return paths_.value(index); }
    QAction* nextAction() const { return next_; }
    QAction* previousAction() const { return previous_; }
    QAction* stopAction() const { return stop_; }

private:
    void ensurePanel();
    void onOutput(const QByteArray& bytes);
    void onFinished(int exitStatus, bool stopped);
    void refresh();
    void endWith(const QString& closingLine);
    void resolveNewMessages();
    // Marks the current document with the messages that name it, once per
    // build; later messages are added as they come.
    void markCurrentDocument();
    void markMessage(int index);
    QString currentPath() const;

    const CommandContext ctx_;
    PanelHost host_;
    BuildPanel* panel_ = nullptr;
    BuildProcess* process_ = nullptr;
    std::unique_ptr<BuildLog> log_;
    MessagePlaces places_;
    QList<QString> paths_;       // per message, resolved when it arrives
    std::vector<int> handles_;   // per message: its marker in its document, or -1
    QHash<QString, int> marked_; // document path -> build it shows marks of
    int build_ = 0;
    int current_ = -1;
    QTimer flush_;
    QElapsedTimer clock_;
    QAction* next_ = nullptr;
    QAction* previous_ = nullptr;
    QAction* stop_ = nullptr;
};

} // namespace quaredit
