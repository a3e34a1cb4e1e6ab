#include "MainWindowFixture.h"

#include "core/app/Instance.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTabBar>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

namespace quaredit {

MainWindowFixture::MainWindowFixture(bool startUp, const QStringList& arguments,
                                     ProcessStarter* starter) {
    QStandardPaths::setTestModeEnabled(true);
    TPFrmContext context;
    context.store = &store;
    context.services = &services;
    context.programFolder = dir.path() + QLatin1Char('/');
    context.processStarter = starter ? starter : &processes;
    context.shellAssociation = &association;
    // The program's folder holds what the build puts beside the executable.
    QFile::copy(QStringLiteral(QUAREDIT_BIN_DIR "/keycodes.lst"),
                path(QStringLiteral("keycodes.lst")));
    window = std::make_unique<TPFrm>(context);
    window->setQuitHandler([this] { ++quitCalls; });
    if (startUp) {
        // A returning user: the first-launch dialogs would take the answers
        // a test scripts for its own dialogs. Tests of the first launch
        // start up themselves.
        RegKey(store, QString(), false).writeInt(QStringLiteral("FirstLaunch"), 1);
        window->startUp(startFiles(parseStartRequest(arguments),
                                   [](const QString& path) { return QFileInfo(path).isFile(); }));
        window->createDialogs();
    }
}

MainWindowFixture::~MainWindowFixture() {
    // Tests close documents themselves; an unexpected prompt here must not block.
    window.reset();
}

QString MainWindowFixture::writeFile(const QString& name, const QByteArray& bytes) const {
    const QString p = path(name);
    QFile f(p);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(p));
    return p;
}

QByteArray MainWindowFixture::readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QsciScintilla* MainWindowFixture::editor() const {
    return window->editorWidget();
}

QString MainWindowFixture::tabCaption(int i) const {
    return window->tabSet()->tabText(i);
}

QStringList MainWindowFixture::tabCaptions() const {
    QStringList captions;
    for (int i = 0; i < window->tabSet()->count(); ++i)
        captions << tabCaption(i);
    return captions;
}

void MainWindowFixture::type(const QString& text) const {
    editor()->setFocus();
    QTest::keyClicks(editor(), text);
}

} // namespace quaredit
