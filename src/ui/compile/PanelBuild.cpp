#include "ui/compile/PanelBuild.h"

#include "core/settings/Settings.h"
#include "platform/compile/BuildProcess.h"
#include "ui/compile/BuildPanel.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editor/EditorMarkers.h"

#include <QAction>
#include <QListView>
#include <Qsci/qsciscintilla.h>

namespace quaredit {

namespace {

// Output is shown in batches: often enough to look live, seldom enough
// that a build printing a million lines leaves the window free to type.
constexpr int FlushMilliseconds = 40;

QString counted(int n, const char* one) {
    return QStringLiteral("%1 %2%3")
        .arg(n)
        .arg(QLatin1String(one))
        .arg(n == 1 ? QString() : QStringLiteral("s"));
}

} // namespace

PanelBuild::PanelBuild(CommandContext context, PanelHost host)
    : ctx_(std::move(context)), host_(std::move(host)), log_(std::make_unique<BuildLog>()) {
    flush_.setSingleShot(true);
    flush_.setInterval(FlushMilliseconds);
    connect(&flush_, &QTimer::timeout, this, &PanelBuild::refresh);

    const auto action = [this](const QString& text, QList<QKeySequence> keys) {
        auto* a = new QAction(text, &ctx_.window);
        a->setShortcuts(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        ctx_.window.addAction(a);
        return a;
    };
    next_ = action(QStringLiteral("Next Message"), {QKeySequence(Qt::Key_F4)});
    next_->setObjectName(QStringLiteral("MNU_NextMessage"));
    previous_ = action(QStringLiteral("Previous Message"), {QKeySequence(Qt::SHIFT | Qt::Key_F4)});
    previous_->setObjectName(QStringLiteral("MNU_PreviousMessage"));
    // X11 reports Ctrl+Break as Pause or as Cancel, depending on the keymap.
    stop_ = action(QStringLiteral("Stop Build"), {QKeySequence(Qt::CTRL | Qt::Key_Pause),
                                                  QKeySequence(Qt::CTRL | Qt::Key_Cancel)});
    stop_->setObjectName(QStringLiteral("MNU_StopBuild"));
    connect(next_, &QAction::triggered, this, [this] { step(1); });
    connect(previous_, &QAction::triggered, this, [this] { step(-1); });
    connect(stop_, &QAction::triggered, this, &PanelBuild::stop);

    connect(&ctx_.documents, &DocumentSet::currentDocumentChanged, this,
            [this] { markCurrentDocument(); });
    // A text read again from its file has lost its marks.
    connect(&ctx_.documents, &DocumentSet::documentLoaded, this, [this](int index) {
        marked_.remove(ctx_.documents.at(index).FullPath);
        if (index == ctx_.documents.CurrentIndex())
            markCurrentDocument();
    });
}

PanelBuild::~PanelBuild() {
    if (process_) {
        process_->disconnect(this);
        delete process_; // ends a build still running
    }
}

bool PanelBuild::running() const {
    return process_ && process_->running();
}

void PanelBuild::ensurePanel() {
    if (panel_)
        return;
    panel_ = new BuildPanel;
    connect(panel_, &BuildPanel::stopClicked, this, &PanelBuild::stop);
    connect(panel_, &BuildPanel::messageActivated, this, &PanelBuild::goToMessage);
    connect(panel_, &BuildPanel::closed, this, [this] { ctx_.editorWidget.setFocus(); });
    host_.install(panel_);
}

void PanelBuild::start(const CompileCommand& command, const QStringList& searchPath) {
    ensurePanel();
    panel_->show();
    ++build_;
    log_ = std::make_unique<BuildLog>(BuildMessageRecogniser(ctx_.settings.MessagePattern));
    paths_.clear();
    handles_.clear();
    current_ = -1;
    places_ = MessagePlaces{
        command.workingFolder, ctx_.documents.current().FullPath, wineDrivesIn(winePrefix()), {}};
    panel_->setLog(log_.get());
    markCurrentDocument(); // the last build's marks go
    host_.showStatus(QString());
    clock_.start();

    QString failure;
    const QStringList argv =
        buildCommandFor(command.batchFile, {command.argument}, searchPath, failure);
    if (argv.isEmpty()) {
        endWith(failure.isEmpty() ? QStringLiteral("error") : failure);
        return;
    }
    if (process_) {
        process_->disconnect(this);
        process_->deleteLater();
    }
    process_ = new BuildProcess(this);
    connect(process_, &BuildProcess::output, this, &PanelBuild::onOutput);
    connect(process_, &BuildProcess::finished, this, &PanelBuild::onFinished);
    if (!process_->start(argv.first(), argv.mid(1), command.workingFolder)) {
        endWith(
            QStringLiteral("%1 could not be started: %2").arg(argv.first(), process_->failure()));
        return;
    }
    panel_->setRunning(true, QStringLiteral("Building %1...").arg(command.argument));
}

void PanelBuild::stop() {
    if (running())
        process_->stop();
}

void PanelBuild::onOutput(const QByteArray& bytes) {
    log_->append(bytes);
    // The first lines show at once: the panel's first layout then costs
    // little, while a flood waits for the next batch.
    if (log_->totalLines() > 0 && panel_->list()->model()->rowCount() <= 1)
        refresh();
    else if (!flush_.isActive())
        flush_.start();
}

void PanelBuild::onFinished(int exitStatus, bool stopped) {
    const double seconds = clock_.elapsed() / 1000.0;
    log_->finish();
    endWith(stopped ? QStringLiteral("Stopped")
                    : QStringLiteral("Finished (exit status %1) in %2 s")
                          .arg(exitStatus)
                          .arg(seconds, 0, 'f', 2));
}

void PanelBuild::endWith(const QString& closingLine) {
    flush_.stop();
    log_->addNote(closingLine);
    refresh();
    panel_->setRunning(false, closingLine);
    QString counts = counted(log_->count(MessageSeverity::Error), "error") + QStringLiteral(", ") +
                     counted(log_->count(MessageSeverity::Warning), "warning");
    if (const int notes = log_->count(MessageSeverity::Note))
        counts += QStringLiteral(", ") + counted(notes, "note");
    host_.showStatus(counts);
}

void PanelBuild::refresh() {
    resolveNewMessages();
    panel_->sync();
}

QString PanelBuild::currentPath() const {
    const Document& doc = ctx_.documents.current();
    return doc.OnDisk ? doc.FullPath : QString();
}

void PanelBuild::resolveNewMessages() {
    const int total = int(log_->messages().size());
    if (paths_.size() >= total)
        return;
    places_.openPaths.clear();
    for (int i = 0; i < ctx_.documents.DocumentCount(); ++i) {
        if (ctx_.documents.at(i).OnDisk)
            places_.openPaths << ctx_.documents.at(i).FullPath;
    }
    const QString shown = currentPath();
    const bool shownIsMarked = !shown.isEmpty() && marked_.value(shown, -1) == build_;
    for (int i = int(paths_.size()); i < total; ++i) {
        paths_ << resolveMessagePath(log_->messages()[size_t(i)].message.file, places_);
        handles_.push_back(-1);
        if (shownIsMarked && paths_.back() == shown)
            markMessage(i);
    }
}

void PanelBuild::markCurrentDocument() {
    const QString path = currentPath();
    if (path.isEmpty() || build_ == 0 || marked_.value(path, -1) == build_)
        return;
    QsciScintilla& editor = ctx_.editorWidget;
    EditorMarkers::define(editor);
    EditorMarkers::clear(editor);
    marked_[path] = build_;
    for (int i = 0; i < int(paths_.size()); ++i) {
        if (paths_[i] == path)
            markMessage(i);
    }
}

void PanelBuild::markMessage(int index) {
    QsciScintilla& editor = ctx_.editorWidget;
    const BuildMessage& m = log_->messages()[size_t(index)].message;
    const int line = m.line - 1;
    if (line >= editor.lines())
        return;
    handles_[size_t(index)] = EditorMarkers::mark(editor, line, markKindOf(m.severity));
    // Several messages on one line share its note, shown in the worst one's colour.
    const unsigned on = editor.markersAtLine(line);
    const MarkKind worst = on & (1u << EditorMarkers::ErrorMarker)     ? MarkKind::Error
                           : on & (1u << EditorMarkers::WarningMarker) ? MarkKind::Warning
                                                                       : MarkKind::Note;
    const QString before = editor.annotation(line);
    EditorMarkers::annotate(editor, line, before.isEmpty() ? m.text : before + u'\n' + m.text,
                            worst);
}

void PanelBuild::step(int direction) {
    const int count = int(log_->messages().size());
    if (count == 0)
        return;
    const int next =
        current_ < 0 ? (direction > 0 ? 0 : count - 1) : (current_ + direction + count) % count;
    goToMessage(next);
}

void PanelBuild::goToMessage(int index) {
    if (index < 0 || index >= int(log_->messages().size()))
        return;
    resolveNewMessages();
    current_ = index;
    if (panel_)
        panel_->selectMessage(index);
    const QString path = paths_.value(index);
    if (!ctx_.documents.OpenDocument(path))
        return;
    markCurrentDocument();
    QsciScintilla& editor = ctx_.editorWidget;
    const BuildMessage& m = log_->messages()[size_t(index)].message;
    int line = m.line - 1;
    // The mark followed the line through the user's edits.
    if (currentPath() == path && marked_.value(path, -1) == build_) {
        const int moved = EditorMarkers::lineOf(editor, handles_[size_t(index)]);
        if (moved >= 0)
            line = moved;
    }
    line = std::clamp(line, 0, std::max(editor.lines() - 1, 0));
    const int column = std::clamp(m.column - 1, 0, std::max(editor.lineLength(line) - 1, 0));
    editor.setCursorPosition(line, column);
    editor.ensureLineVisible(line);
    editor.setFocus();
}

} // namespace quaredit
