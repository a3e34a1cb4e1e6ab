// The messages panel under a build that prints 1,000,000 lines, through the
// real main window on the offscreen platform: the time from the first line
// on screen to the last, and how long a keystroke typed into the editor
// meanwhile waits until it is handled. Prints both, with the targets.
#include "core/compile/BuildLog.h"
#include "core/settings/MemoryKeyStore.h"
#include "support/FakeProcessStarter.h"
#include "support/FakeShellAssociation.h"
#include "support/FakeWindowServices.h"
#include "ui/app/TPFrm.h"
#include "ui/common/MenuMap.h"
#include "ui/compile/BuildCommands.h"
#include "ui/compile/BuildPanel.h"
#include "ui/documents/DocumentSet.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>
#include <Qsci/qsciscintilla.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace quaredit;

namespace {

void writeFile(const QString& path, const QByteArray& bytes, bool executable = false) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    f.close();
    if (executable)
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The key release is posted right after the press: when it arrives, the
// press has been handled, the character inserted.
class ReleaseWatch : public QObject {
public:
    std::function<void()> released;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::KeyRelease && released)
            released();
        return QObject::eventFilter(watched, e);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const int lines = argc > 1 ? QByteArray(argv[1]).toInt() : 1'000'000;
    writeFile(dir.filePath("compil.sh"), "#!/bin/sh\nseq 1 " + QByteArray::number(lines) + "\n",
              true);
    writeFile(dir.filePath("prog.asm"), "\txdef\t_main\r\n_main:\r\n\trts\r\n");

    MemoryKeyStore store;
    FakeWindowServices services;
    FakeProcessStarter processes;
    FakeShellAssociation association;
    TPFrmContext context{&store, &services, dir.path() + QLatin1Char('/'), &processes,
                         &association};
    TPFrm window(context);
    window.createDialogs();
    window.setWindowState(Qt::WindowNoState);
    window.resize(900, 650);
    window.show();
    QCoreApplication::processEvents();
    window.settings().MessagesPanel = true;
    window.documents().OpenDocument(dir.filePath("prog.asm"));
    QsciScintilla* editor = window.editorWidget();
    PanelBuild& build = window.build().panelBuild();

    // Keystrokes posted as the user's would be, every 10 ms; each is timed
    // from its posting to the change of the text.
    std::vector<double> waits;
    QElapsedTimer posted;
    bool pending = false;
    ReleaseWatch watch;
    watch.released = [&] {
        if (pending)
            waits.push_back(double(posted.nsecsElapsed()) / 1e6);
        pending = false;
    };
    editor->installEventFilter(&watch);
    QTimer typist;
    typist.setInterval(10);
    QObject::connect(&typist, &QTimer::timeout, editor, [&] {
        if (pending)
            return;
        pending = true;
        posted.start();
        QCoreApplication::postEvent(editor, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, {}, "x"));
        QCoreApplication::postEvent(editor, new QKeyEvent(QEvent::KeyRelease, Qt::Key_X, {}, "x"));
    });

    QElapsedTimer clock;
    clock.start();
    window.menus().MNU_Quaro_Compile->trigger();
    editor->setFocus();
    typist.start();
    double first = -1;
    double last = -1;
    const QString lastLine = QString::number(lines);
    while (clock.elapsed() < 120'000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const BuildLog& log = build.log();
        const auto* panel = build.panel();
        if (!panel)
            continue;
        const int rows = panel->list()->model()->rowCount();
        if (first < 0 && rows > 0 && log.totalLines() > 0)
            first = double(clock.nsecsElapsed()) / 1e6;
        if (last < 0 && rows > 0 && log.lineCount() > 0) {
            for (qsizetype i = log.lineCount() - 1; i >= 0 && i >= log.lineCount() - 2; --i) {
                if (log.line(i).text == lastLine &&
                    panel->list()->model()->index(rows - 1, 0).isValid()) {
                    panel->list()->viewport()->repaint();
                    last = double(clock.nsecsElapsed()) / 1e6;
                }
            }
        }
        if (!build.running() && last >= 0)
            break;
    }
    typist.stop();
    std::sort(waits.begin(), waits.end());
    std::printf("%-52s %8.1f ms   (target < 2000 ms)\n",
                qPrintable(QStringLiteral("first to last of %1 output lines on screen").arg(lines)),
                last - first);
    if (!waits.empty())
        std::printf("%-52s median %6.2f ms   worst %6.2f ms   (%zu keys, target < 20 ms)\n",
                    "keystroke handled while they arrive", waits[waits.size() / 2], waits.back(),
                    waits.size());
    std::printf("%-52s %s\n", "  panel status", qPrintable(build.panel()->status()));
    return last >= 0 ? 0 : 1;
}
