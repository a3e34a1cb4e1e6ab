// What a hostile or unlucky user can put in the editor's way: files that are
// not files, names the batch interpreter would run, files at the limits, a
// full disk, hand-edited or unwritable settings, two editors at once,
// impossible window placements. Nothing may freeze, lose data or run a
// command.

#include "core/app/ScreenFit.h"
#include "core/compile/BatchText.h"
#include "core/compile/ToolchainPage.h"
#include "core/documents/FileSafety.h"
#include "core/documents/TextFile.h"
#include "core/reference/KeyCodes.h"
#include "core/settings/Settings.h"
#include "platform/settings/IniKeyStore.h"
#include "platform/settings/XdgShellAssociation.h"
#include "support/FakeProcessStarter.h"
#include "support/FakeShellAssociation.h"
#include "support/FileSizeLimit.h"
#include "support/MainWindowFixture.h"
#include "support/OptionsFixture.h"
#include "ui/compile/BuildCommands.h"
#include "ui/documents/DocumentSet.h"
#include "ui/documents/RecentFilesMenu.h"
#include "ui/editor/EditorAccess.h"
#include "ui/settings/OptionsCommands.h"
#include "ui/settings/TOptionsFrm.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

#include <climits>
#include <csignal>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace quaredit;

Q_DECLARE_METATYPE(quaredit::WindowPlacement)

namespace {

const QByteArray Program = "\txdef\t_main\r\n_main:\r\n\trts\r\n";

// A read that blocks would hang the test instead of failing it: past this,
// the process ends with SIGALRM and the test is reported as failed.
constexpr unsigned WatchdogSeconds = 60;

enum class Node { Fifo, Device, LinkToDevice, LinkToFifo };

// Makes a node of the given kind at `path`; false when this system does not
// let the test make it (a device node needs the right to create one).
bool makeNode(Node kind, const QString& path) {
    const QByteArray p = QFile::encodeName(path);
    switch (kind) {
    case Node::Fifo:
        return ::mkfifo(p.constData(), 0600) == 0;
    case Node::Device:
        // The same device as /dev/null: harmless if it were written.
        return ::mknod(p.constData(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    case Node::LinkToDevice:
        return makeNode(Node::Device, path + ".node") && QFile::link(path + ".node", path);
    case Node::LinkToFifo:
        return makeNode(Node::Fifo, path + ".node") && QFile::link(path + ".node", path);
    }
    return false;
}

QString nodeKind(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return "missing";
    if (S_ISLNK(st.st_mode))
        return "link";
    if (S_ISFIFO(st.st_mode))
        return "fifo";
    if (S_ISCHR(st.st_mode))
        return "device";
    return S_ISREG(st.st_mode) ? "file" : "other";
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

bool anyMessageSays(const FakeWindowServices& services, const QString& a, const QString& b) {
    for (const auto& m : services.messages) {
        if (m.text.contains(a) && m.text.contains(b))
            return true;
    }
    return false;
}

// Drops `paths` on the main window as a file manager would.
void dropFiles(TPFrm& window, const QStringList& paths) {
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    const QPointF at(window.width() / 2, window.height() / 2);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
}

// Lines of a source's length, `count` of them, with the given line end.
QByteArray sourceLines(int count, const QByteArray& eol) {
    return (QByteArray(98, 'x') + eol).repeated(count);
}

} // namespace

class TestHostileInputs : public QObject {
    Q_OBJECT

    void addNodeRows() {
        QTest::addColumn<int>("kind");
        QTest::newRow("FIFO") << int(Node::Fifo);
        QTest::newRow("character device") << int(Node::Device);
        QTest::newRow("link to a device") << int(Node::LinkToDevice);
        QTest::newRow("link to a FIFO") << int(Node::LinkToFifo);
    }
    // The node for this row, or a skip where it cannot be made.
    QString nodeFor(const QTemporaryDir& dir, const QString& name) {
        QFETCH(int, kind);
        const QString path = dir.filePath(name);
        if (!makeNode(Node(kind), path))
            return {};
        return path;
    }

private slots:
    void init() { ::alarm(WatchdogSeconds); }
    void cleanup() { ::alarm(0); }

    // ---- Files that are not regular files -------------------------------

    void openingANodeIsRefusedWithoutReading_data() { addNodeRows(); }
    void openingANodeIsRefusedWithoutReading() {
        MainWindowFixture f;
        const QString node = nodeFor(f.dir, "node.asm");
        if (node.isEmpty())
            QSKIP("this system does not let the test make the node");
        QVERIFY(!f.window->documents().OpenDocument(node));
        QCOMPARE(f.services.messages.size(), 1);
        QVERIFY2(anyMessageSays(f.services, node, "is not a regular file"),
                 qPrintable(f.services.messages[0].text));
        QCOMPARE(f.tabCaptions(), QStringList{"[Untitled]"});
    }

    void droppedNodeIsRefused() {
        MainWindowFixture f;
        const QString fifo = f.path("dropped.asm");
        QVERIFY(makeNode(Node::Fifo, fifo));
        dropFiles(*f.window, {fifo});
        QVERIFY(anyMessageSays(f.services, fifo, "is not a regular file"));
        QCOMPARE(f.tabCaptions(), QStringList{"[Untitled]"});
    }

    void savingOverANodeLeavesTheNode_data() { addNodeRows(); }
    void savingOverANodeLeavesTheNode() {
        MainWindowFixture f;
        const QString node = nodeFor(f.dir, "node.asm");
        if (node.isEmpty())
            QSKIP("this system does not let the test make the node");
        const QString before = nodeKind(node);
        f.type("text");
        f.services.answerSave(node);
        QCOMPARE(f.window->documents().MNU_File_SaveAsClick(), DocumentSet::SaveOutcome::Failed);
        QVERIFY(anyMessageSays(f.services, node, "is not a regular file"));
        QCOMPARE(nodeKind(node), before);
        if (before == "link")
            QCOMPARE(nodeKind(node + ".node"),
                     nodeKind(node + ".node") == "fifo" ? "fifo" : "device");
        QVERIFY(f.window->documents().current().Modified);
    }

    void dataFilesThatAreNodesAreRefused() {
        QTemporaryDir dir;
        const QString fifo = dir.filePath("fifo");
        QVERIFY(makeNode(Node::Fifo, fifo));

        const KeyCodesLoad keys = readKeyCodesFile(fifo);
        QCOMPARE(keys.error, KeyCodesError::NotRegularFile);
        QVERIFY(keyCodesErrorText(keys.error).contains("'keycodes.lst'"));
        QVERIFY(keyCodesErrorText(keys.error).contains("is not a regular file"));

        // The template of the wizard and batch.dat go through the same loader.
        const LoadedText loaded = loadTextFile(fifo);
        QVERIFY(!loaded.ok());
        QVERIFY(loaded.error.contains(fifo) && loaded.error.contains("is not a regular file"));

        QVERIFY(makeNode(Node::Fifo, dir.filePath("batch.dat")));
        ToolchainPage page(BatchFolder(DataFolders::beside(dir.path() + '/')));
        const QStringList errors = page.lstConfigChange(ConfigNone);
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors[0].contains(dir.filePath("batch.dat")));
        QVERIFY(errors[0].contains("is not a regular file"));
        QCOMPARE(nodeKind(dir.filePath("batch.dat")), QString("fifo"));

        // The desktop files: the entry is written, the list that is a FIFO is
        // neither read nor replaced.
        const QString mimeApps = dir.filePath("mimeapps.list");
        QVERIFY(makeNode(Node::Fifo, mimeApps));
        XdgShellAssociation association("/opt/quaredit/quaredit", dir.filePath("applications"),
                                        mimeApps);
        QVERIFY(!association.WriteShellAssociation(true, false));
        QVERIFY(association.failureDetail().contains(mimeApps));
        QVERIFY(association.failureDetail().contains("is not a regular file"));
        QCOMPARE(nodeKind(mimeApps), QString("fifo"));
    }

    void savingThroughALinkKeepsTheLink() {
        MainWindowFixture f;
        const QString real = f.writeFile("real.asm", Program);
        const QString link = f.path("link.asm");
        QVERIFY(QFile::link(real, link));
        QVERIFY(f.window->documents().OpenDocument(link));
        f.window->settings().MakeBAK = true;
        f.type("; changed");
        QTest::keyClick(f.editor(), Qt::Key_Return);
        QCOMPARE(f.window->documents().MNU_File_SaveClick(), DocumentSet::SaveOutcome::Saved);
        QCOMPARE(nodeKind(link), QString("link"));
        QCOMPARE(fileBytes(real), "; changed\r\n" + Program);
        QCOMPARE(fileBytes(f.path("link.bak")), Program);
        QVERIFY(f.services.messages.isEmpty());
    }

    // ---- Data loss and lock-outs -----------------------------------------

    void refusedBatchDatIsNeverOverwritten_data() {
        QTest::addColumn<QByteArray>("content");
        QByteArray utf16;
        for (const char c : QByteArray("@ECHO OFF\r\ntasm %1\r\n")) {
            utf16.append(c);
            utf16.append('\0');
        }
        QTest::newRow("saved as UTF-16") << utf16;
        QTest::newRow("over the limit") << QByteArray(MaxEditorChars + 10, 'x');
    }
    void refusedBatchDatIsNeverOverwritten() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString batchDat = dir.filePath("batch.dat");
        writeBytes(batchDat, content);
        ToolchainPage page(BatchFolder(DataFolders::beside(dir.path() + '/')));
        QCOMPARE(page.lstConfigChange(ConfigNone).size(), 1);
        // Switching away, as a Cancel would leave it, writes nothing.
        QVERIFY(page.lstConfigChange(ConfigQuaro2).isEmpty());
        QCOMPARE(fileBytes(batchDat), content);
        // Nor does OK on the refused text shown empty.
        page.lstConfigChange(ConfigNone);
        page.commit();
        QCOMPARE(fileBytes(batchDat), content);
        // What the user types in its place is theirs, and is kept.
        page.batchEdited({"ECHO mine"});
        QVERIFY(page.lstConfigChange(ConfigDoorsOS).isEmpty());
        QCOMPARE(fileBytes(batchDat), QByteArray("ECHO mine\r\n"));
    }

    void sourceAtTheLimitOpensAgainAfterSaving_data() {
        QTest::addColumn<QByteArray>("eol");
        QTest::addColumn<int>("extra"); // characters past the limit
        for (const auto& [name, eol] :
             {std::pair{"LF", QByteArray("\n")}, std::pair{"CR", QByteArray("\r")},
              std::pair{"CR LF", QByteArray("\r\n")}}) {
            QTest::newRow(qPrintable(QString("%1 file at the limit").arg(name))) << eol << 0;
            QTest::newRow(qPrintable(QString("%1 file one past").arg(name))) << eol << 1;
        }
    }
    void sourceAtTheLimitOpensAgainAfterSaving() {
        QFETCH(QByteArray, eol);
        QFETCH(int, extra);
        // 9,999 lines of 100 characters as the editor holds them, then a last
        // line without a line break that brings the text to the limit.
        QByteArray text = sourceLines(9999, eol);
        const qsizetype held = 9999 * 100;
        text.append(QByteArray(MaxEditorChars - held + extra, 'y'));
        MainWindowFixture f;
        const QString path = f.writeFile("big.asm", text);
        if (extra > 0) {
            QVERIFY(!f.window->documents().OpenDocument(path));
            QVERIFY(anyMessageSays(f.services, path, "more than the editor's limit"));
            return;
        }
        QVERIFY(f.window->documents().OpenDocument(path));
        QCOMPARE(f.window->documents().MNU_File_SaveClick(), DocumentSet::SaveOutcome::Saved);
        const QByteArray saved = fileBytes(path);
        QCOMPARE(saved, toCrLfLines(text));
        QVERIFY(f.window->documents().CloseCurrentDocument());
        QVERIFY2(f.window->documents().OpenDocument(path),
                 qPrintable(f.services.messages.value(0).text));
        QCOMPARE(f.window->editor().bytes(), saved);
        QVERIFY(f.services.messages.isEmpty());
    }

    void lfFileThatWouldSaveOverTheLimitIsRefusedAtOnce() {
        // A million bytes of LF lines are 1.01 million as the editor holds
        // them: refused when opened, not after the first save.
        MainWindowFixture f;
        const QString path = f.writeFile("lf.asm", sourceLines(10200, "\n").left(MaxEditorChars));
        QVERIFY(!f.window->documents().OpenDocument(path));
        QVERIFY(anyMessageSays(f.services, path, "more than the editor's limit"));
    }

    // A keystroke refused at the limit changes nothing: the document is not
    // marked modified, and closing it asks nothing.
    void refusedKeystrokeAtTheLimitLeavesTheDocumentUnmodified() {
        MainWindowFixture f;
        const QString path = f.writeFile("full.asm", QByteArray(MaxEditorChars, 'x'));
        QVERIFY(f.window->documents().OpenDocument(path));
        QVERIFY(!f.window->documents().current().Modified);
        f.type("z");
        QCoreApplication::processEvents();
        QCOMPARE(f.window->editor().bytes().size(), qsizetype(MaxEditorChars));
        QVERIFY(!f.window->documents().current().Modified);
        QCOMPARE(f.tabCaption(0), QString("full.asm"));
    }

    void longDroppedPathOpensWhole() {
        MainWindowFixture f;
        // Folders so deep that the path passes 600 characters, and a shorter
        // file whose path is exactly the first 511 characters of the long one.
        QString folder = f.dir.path();
        while (folder.size() < 420)
            folder += '/' + QString(60, 'd');
        QVERIFY(QDir().mkpath(folder));
        const QString longPath = folder + '/' + QString(600 - folder.size() - 5, 'n') + ".asm";
        const QString cut = longPath.left(511);
        QVERIFY(longPath.size() >= 600);
        writeBytes(longPath, "; the whole path\r\n");
        writeBytes(cut, "; the cut path\r\n");
        dropFiles(*f.window, {longPath});
        QCOMPARE(f.window->documents().current().FullPath, longPath);
        QCOMPARE(f.window->editor().bytes(), QByteArray("; the whole path\r\n"));
    }

    void saveAsOntoAnotherOpenTabIsRefused() {
        MainWindowFixture f;
        const QString a = f.writeFile("a.asm", Program);
        QVERIFY(f.window->documents().OpenDocument(a));
        QVERIFY(f.window->documents().NewDocument("[Untitled]"));
        f.type("other text");
        f.services.answerSave(a);
        QCOMPARE(f.window->documents().MNU_File_SaveAsClick(), DocumentSet::SaveOutcome::Failed);
        QVERIFY(anyMessageSays(f.services, a, "open in another tab"));
        QCOMPARE(fileBytes(a), Program);
        QCOMPARE(f.tabCaptions(), (QStringList{"a.asm", "[Untitled]*"}));
    }

    void backupIsReplacedWholeAndStaleTemporariesGo() {
        MainWindowFixture f;
        f.window->settings().MakeBAK = true;
        const QString prog = f.writeFile("prog.asm", "v1\r\n");
        f.writeFile("prog.bak", "v0\r\n");
        // What a save killed in the middle left behind.
        f.writeFile("prog.asm.quaredit-save", "half");
        f.writeFile("prog.bak.quaredit-save", "ha");
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.type("v2");
        QCOMPARE(f.window->documents().MNU_File_SaveClick(), DocumentSet::SaveOutcome::Saved);
        QCOMPARE(fileBytes(prog), QByteArray("v2v1\r\n"));
        QCOMPARE(fileBytes(f.path("prog.bak")), QByteArray("v1\r\n"));
        QCOMPARE(QDir(f.dir.path()).entryList({"prog*"}, QDir::Files | QDir::Hidden),
                 (QStringList{"prog.asm", "prog.bak"}));
    }

    void fullDiskIsNamedAndTheOldFileStays() {
        MainWindowFixture f;
        const QString prog = f.writeFile("prog.asm", Program);
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.editor()->insert(QString(8192, 'n'));
        DocumentSet::SaveOutcome outcome;
        {
            FileSizeLimit limit(4096);
            outcome = f.window->documents().MNU_File_SaveClick();
        }
        QCOMPARE(outcome, DocumentSet::SaveOutcome::Failed);
        QVERIFY2(anyMessageSays(f.services, prog, "the file-size limit is reached"),
                 qPrintable(f.services.messages.value(0).text));
        QCOMPARE(fileBytes(prog), Program);
        QVERIFY(f.window->documents().current().Modified);
        QCOMPARE(writeFailureReason(ENOSPC), QString("the disk is full"));
    }

    // ---- Settings ----------------------------------------------------------

    void settingsProblemsAreToldOnce_data() {
        QTest::addColumn<QString>("problem");
        QTest::newRow("FIFO in place of the file") << "fifo";
        QTest::newRow("folder that cannot be made") << "unwritable";
        QTest::newRow("unbalanced quote") << "quote";
    }
    void settingsProblemsAreToldOnce() {
        QFETCH(QString, problem);
        QTemporaryDir dir;
        QString path = dir.filePath("alpha5.ini");
        const QByteArray handEdited =
            "[General]\nMinVersion=1\n[Options]\nDefaultDir=\"C:\\\\src\nMakeBAK=1\n"
            "[UserPrgm]\nNb=1\nMnuName0=Tool\nCmdName0=/opt/tool\n";
        if (problem == "fifo") {
            QVERIFY(makeNode(Node::Fifo, path));
        } else if (problem == "unwritable") {
            writeBytes(dir.filePath("blocker"), "");
            path = dir.filePath("blocker/alpha5.ini");
        } else {
            writeBytes(path, handEdited);
        }
        QStringList told;
        {
            IniKeyStore store(path);
            store.setProblemReporter([&](const QString& text) { told << text; });
            Settings settings;
            WindowPlacement placement;
            ReadSettings(store, settings, placement);
            // The settings reader takes the rest of the file into the open
            // quote: written back, the user's programs would be gone.
            if (problem == "quote")
                QVERIFY(settings.UserPrograms.isEmpty());
            for (int i = 0; i < 3; ++i) {
                SaveWindowPlacement(store, placement);
                SaveRecentFiles(store, {"/a.asm"});
                store.flush();
            }
        }
        QCOMPARE(told.size(), 1);
        QVERIFY2(told[0].contains(path), qPrintable(told[0]));
        QVERIFY(IniKeyStore(path).refusalTold());
        if (problem == "fifo") {
            QVERIFY(told[0].contains("is not a regular file"));
            QCOMPARE(nodeKind(path), QString("fifo"));
        }
        if (problem == "quote") {
            QVERIFY2(told[0].contains("line 4"), qPrintable(told[0]));
            // Nothing is written over the file, and a copy is kept beside it.
            QCOMPARE(fileBytes(path), handEdited);
            QCOMPARE(fileBytes(path + ".broken"), handEdited);
        }
    }

    void quotesThatCloseAreNotAProblem() {
        QCOMPARE(lineWithUnbalancedQuote("[A]\nX=\"a, b\"\nY=\"say \\\"hi\\\"\"\n"), 0);
        QCOMPARE(lineWithUnbalancedQuote("[A]\n; a \" in a comment\nX=1\n"), 0);
        QCOMPARE(lineWithUnbalancedQuote("[A]\nX=1\nY=\"open\nZ=2\n"), 3);
        QCOMPARE(lineWithUnbalancedQuote("[A]\nX=1\nY=\"open at the end\n\n"), 0);
    }

    // A folder typed by hand with single backslashes: the settings reader
    // takes "\T" for an escape and reads "C:ools".
    void handTypedBackslashesAreKept_data() {
        QTest::addColumn<QByteArray>("typed");
        QTest::addColumn<QString>("read");
        QTest::newRow("windows folder") << QByteArray("C:\\Tools") << "C:\\Tools";
        QTest::newRow("several levels, trailing")
            << QByteArray("D:\\Quaro\\Bin\\") << "D:\\Quaro\\Bin\\";
        QTest::newRow("as the writer escapes it") << QByteArray("C:\\\\Tools") << "C:\\Tools";
    }
    void handTypedBackslashesAreKept() {
        QFETCH(QByteArray, typed);
        QFETCH(QString, read);
        QTemporaryDir dir;
        const QString path = dir.filePath("alpha5.ini");
        writeBytes(path, "[General]\nMinVersion=1\n[Options]\nDefaultDir=" + typed + "\n");
        {
            IniKeyStore store(path);
            QCOMPARE(store.readText("Options", "DefaultDir"), read);
            QVERIFY(store.writeInt("Options", "MakeBAK", 0));
            QVERIFY(store.flush());
        }
        QCOMPARE(IniKeyStore(path).readText("Options", "DefaultDir"), read);
    }

    void handTypedCommasAndSemicolonsSurviveTheNextWrite() {
        QTemporaryDir dir;
        const QString path = dir.filePath("alpha5.ini");
        writeBytes(path, "[General]\nMinVersion=1\n[Options]\nDefaultDir=C:\\src,old;new\\\n"
                         "[UserPrgm]\nNb=1\nMnuName0=Tool\nCmdName0=/opt/a,b/tool;x\n");
        {
            IniKeyStore store(path);
            QVERIFY(store.writeInt("Options", "MakeBAK", 0));
            QVERIFY(store.flush());
        }
        IniKeyStore again(path);
        QCOMPARE(again.readText("Options", "DefaultDir"), QString("C:\\src,old;new\\"));
        QCOMPARE(again.readText("UserPrgm", "CmdName0"), QString("/opt/a,b/tool;x"));
        QCOMPARE(again.readInt("Options", "MakeBAK"), 0);
    }

    void twoEditorsKeepEveryRecentFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("alpha5.ini");
        struct Editor {
            IniKeyStore store;
            Settings settings;
            QMenu reopen;
            RecentFilesMenu menu;
            explicit Editor(const QString& file)
                : store(file), menu(&reopen, settings, store, [](const QString&) {}) {
                WindowPlacement placement;
                ReadSettings(store, settings, placement);
            }
        };
        {
            IniKeyStore first(path);
            WriteDefaultSettings(first, WindowPlacement{});
        }
        Editor one(path), two(path);
        for (int i = 0; i < 5; ++i) {
            one.menu.AddRecentFile(QString("/one/%1.asm").arg(i));
            two.menu.AddRecentFile(QString("/two/%1.asm").arg(i));
        }
        IniKeyStore reader(path);
        QStringList stored;
        QVERIFY(ReadRecentFiles(reader, stored));
        QCOMPARE(stored.size(), 10);
        for (int i = 0; i < 5; ++i) {
            QVERIFY(stored.contains(QString("/one/%1.asm").arg(i)));
            QVERIFY(stored.contains(QString("/two/%1.asm").arg(i)));
        }
        QCOMPARE(stored.first(), QString("/two/4.asm"));
        QCOMPARE(two.reopen.actions().size(), 10);
    }

    // ---- Commands through the batch interpreter ---------------------------

    void namesTheInterpreterWouldSplitAreNotCompiled_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("parentheses close a block") << "x)evil(.asm";
        QTest::newRow("comma") << "a,b.asm";
        QTest::newRow("equals and comma") << "a,b=c.asm";
        QTest::newRow("semicolon") << "a;b.asm";
    }
    void namesTheInterpreterWouldSplitAreNotCompiled() {
        QFETCH(QString, name);
        MainWindowFixture f;
        FakeProcessStarter& starter = f.processes;
        QVERIFY(f.window->documents().OpenDocument(f.writeFile(name, Program)));
        f.window->menus().MNU_Quaro_Compile->trigger();
        QVERIFY(starter.starts.isEmpty());
        QVERIFY(anyMessageSays(f.services, "cannot be passed to compil.bat", "( )"));
    }

    void compilerFolderWithCommandSyntaxNeverReachesTheBatch() {
        QTemporaryDir dir;
        ToolchainPage page(BatchFolder(DataFolders::beside(dir.path() + '/')));
        // As read from a hand-edited settings file.
        page.paths()[ConfigQuaro2].CompilPath = "/opt/Tools & echo INJECTED/";
        page.lstConfigChange(ConfigQuaro2);
        const auto problem = page.compilerFolderProblem();
        QVERIFY(problem.has_value());
        QVERIFY(problem->contains("/opt/Tools & echo INJECTED/"));
        const QStringList errors = page.commit();
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors[0].contains(dir.filePath("compil.bat")));
        QVERIFY(!QFile::exists(dir.filePath("compil.bat")));
        // A folder of Wine's own kind is not refused.
        page.edPathChange("C:\\Program Files (x86)\\Quaro\\");
        QVERIFY(!page.compilerFolderProblem());
        QVERIFY(page.commit().isEmpty());
        QVERIFY(
            fileBytes(dir.filePath("compil.bat")).contains("SET QUARO=C:\\Program Files (x86)"));
    }

    // A settings file the user was told about at start: OK in the options
    // dialog adds no second box about the same file.
    void settingsRefusalToldAtStartIsNotToldAgainOnOk_data() {
        QTest::addColumn<bool>("toldAtStart");
        QTest::addColumn<int>("boxes");
        QTest::newRow("told at start: no second box") << true << 0;
        QTest::newRow("a failure nobody told: one box") << false << 1;
    }
    void settingsRefusalToldAtStartIsNotToldAgainOnOk() {
        QFETCH(bool, toldAtStart);
        QFETCH(int, boxes);
        OptionsFixture f;
        f.commands->createDialogs();
        // As a hand edit leaves it: the quote hides the options' section.
        QVERIFY(f.store.deleteKey("Options"));
        f.store.setRefuseWrites(true, toldAtStart);
        f.general([](TOptionsFrm& d) {
            QTest::mouseClick(d.findChild<QPushButton*>("OkBt"), Qt::LeftButton);
            return d.result();
        });
        int registryBoxes = 0;
        for (const auto& m : f.services.messages)
            registryBoxes += m.text.startsWith("Error while trying to save into the registry base");
        QCOMPARE(registryBoxes, boxes);
    }

    void typedCompilerFolderWithCommandSyntaxIsRefusedOnOk() {
        OptionsFixture f;
        const Settings& settings = f.settings;
        FakeWindowServices& services = f.services;
        OptionsCommands& commands = *f.commands;
        commands.createDialogs();
        const QString compilBat = f.folder() + "compil.bat";
        bool refusedWhileOpen = false;
        services.onDialog([&](QDialog& d) {
            d.findChild<QComboBox*>("lstConfig")->setCurrentIndex(ConfigQuaro2);
            auto* folder = d.findChild<QLineEdit*>("edPath");
            auto* ok = d.findChild<QPushButton*>("OkBt");
            folder->setText("/opt/Tools & echo INJECTED/");
            QTest::mouseClick(ok, Qt::LeftButton);
            refusedWhileOpen = d.result() != QDialog::Accepted && !QFile::exists(compilBat) &&
                               anyMessageSays(services, "/opt/Tools & echo INJECTED/", "&");
            folder->setText("/opt/Tools/");
            QTest::mouseClick(ok, Qt::LeftButton);
            return d.result();
        });
        commands.MNU_Options_GeneralClick();
        QVERIFY(refusedWhileOpen);
        QCOMPARE(services.messages.size(), 1);
        QCOMPARE(settings.CompilatorPath, QString("/opt/Tools/"));
        QVERIFY(fileBytes(compilBat).contains("SET QUARO=/opt/Tools/\r\n"));
    }

    // ---- Window placement ------------------------------------------------

    void extremePlacementsFitTheScreen_data() {
        QTest::addColumn<WindowPlacement>("stored");
        QTest::addColumn<WindowPlacement>("fitted");
        const auto p = [](qint32 top, qint32 left, qint32 width, qint32 height) {
            return WindowPlacement{top, left, width, height, 0};
        };
        QTest::newRow("on screen stays") << p(100, 50, 800, 600) << p(100, 50, 800, 600);
        QTest::newRow("partly off to the right, title reachable")
            << p(100, 1700, 800, 600) << p(100, 1700, 800, 600);
        QTest::newRow("largest top") << p(INT_MAX, 0, 800, 600) << p(1080 - 600, 0, 800, 600);
        QTest::newRow("smallest left") << p(0, INT_MIN, 800, 600) << p(0, 0, 800, 600);
        QTest::newRow("huge size") << p(0, 0, 100000, 100000) << p(0, 0, 1920, 1080);
        QTest::newRow("largest everything")
            << p(INT_MAX, INT_MAX, INT_MAX, INT_MAX) << p(0, 0, 1920, 1080);
        QTest::newRow("unplugged monitor") << p(3000, 3000, 800, 600) << p(480, 1120, 800, 600);
        QTest::newRow("title above the screen") << p(-50, 100, 800, 600) << p(0, 100, 800, 600);
        QTest::newRow("on the second screen") << p(100, 2000, 800, 600) << p(100, 2000, 800, 600);
        QTest::newRow("larger than the second screen")
            << p(0, 2000, 1920, 1200) << p(0, 1920, 1280, 1024);
    }
    void extremePlacementsFitTheScreen() {
        QFETCH(WindowPlacement, stored);
        QFETCH(WindowPlacement, fitted);
        const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        QCOMPARE(fitPlacement(stored, screens), fitted);
    }

    void windowFromExtremeSettingsIsOnScreen() {
        QTemporaryDir dir;
        MemoryKeyStore store;
        WriteDefaultSettings(store, WindowPlacement{});
        RegKey root(store, QString(), false);
        root.writeInt("WinTop", INT_MAX);
        root.writeInt("WinLeft", INT_MAX);
        root.writeInt("WinWidth", 100000);
        root.writeInt("WinHeight", INT_MAX);
        root.writeInt("WinState", 0);
        FakeWindowServices services;
        FakeProcessStarter processes;
        FakeShellAssociation association;
        TPFrmContext context;
        context.store = &store;
        context.services = &services;
        context.programFolder = dir.path() + '/';
        context.processStarter = &processes;
        context.shellAssociation = &association;
        TPFrm window(context);
        window.show();
        QCoreApplication::processEvents();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(window.width() <= screen.width());
        QVERIFY(window.height() <= screen.height());
        QVERIFY(screen.contains(window.pos()));
    }
};

QTEST_MAIN(TestHostileInputs)
#include "tst_hostileinputs.moc"
