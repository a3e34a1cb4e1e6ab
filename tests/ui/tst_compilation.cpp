#include "platform/compile/LinuxProcessStarter.h"
#include "support/FakeProcessStarter.h"
#include "support/MainWindowFixture.h"
#include "ui/common/TInputFrm.h"
#include "ui/compile/BuildCommands.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editor/EditorAccess.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

using namespace quaredit;

namespace {

using Message = FakeWindowServices::Message;
using Start = FakeProcessStarter::Start;

const QByteArray Program = "\txdef\t_main\r\n_main:\r\n\trts\r\n";

QStringList readNulSeparated(const QString& path) {
    QByteArray bytes = MainWindowFixture::readFile(path);
    if (bytes.endsWith('\0'))
        bytes.chop(1);
    QStringList items;
    for (const QByteArray& item : bytes.split('\0'))
        items << QString::fromLocal8Bit(item);
    return items;
}

void writeScript(const QString& path, const QByteArray& body) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + body);
    f.close();
    QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

// Records the arguments it was started with, NUL-separated, into `out`.
QByteArray recordArguments(const QString& out) {
    const QByteArray o = QFile::encodeName(out);
    return "{ for a in \"$@\"; do printf '%s\\0' \"$a\"; done; } > '" + o + ".tmp'\nmv '" + o +
           ".tmp' '" + o + "'\n";
}

// A folder of stub programs that is, while alive, the whole of PATH: the
// lookups of the console start find these stubs or nothing, whatever the
// machine has installed. The stubs themselves run with the system's PATH.
struct StubBin {
    QTemporaryDir dir;
    QByteArray saved = qgetenv("PATH");
    StubBin() {
        QFile::link(QStringLiteral("/bin/sh"), dir.filePath(QStringLiteral("sh")));
        qputenv("PATH", QFile::encodeName(dir.path()));
    }
    ~StubBin() { qputenv("PATH", saved); }
    QString filePath(const QString& name) const { return dir.filePath(name); }
    void add(const QString& name, const QByteArray& body) const {
        writeScript(filePath(name), "PATH='" + saved + "'\n" + body);
    }
};

} // namespace

class TestCompilation : public QObject {
    Q_OBJECT

private slots:
    void onlySavedProgramsCompile_data() {
        QTest::addColumn<QString>("file"); // empty: the start-up "[Untitled]"
        QTest::addColumn<bool>("wizardMade");
        QTest::newRow("untitled") << "" << false;
        QTest::newRow("include file") << "defs.h" << false;
        QTest::newRow("text file") << "notes.txt" << false;
        QTest::newRow("wizard program not yet saved") << "" << true;
    }
    void onlySavedProgramsCompile() {
        QFETCH(QString, file);
        QFETCH(bool, wizardMade);
        MainWindowFixture f;
        FakeProcessStarter& starter = f.processes;
        if (!file.isEmpty())
            QVERIFY(f.window->documents().OpenDocument(f.writeFile(file, "x\r\n")));
        if (wizardMade) {
            f.window->documents().setCurrentKind(DocumentKind::ProgramSource);
            QVERIFY(f.window->menus().MNU_Quaro->menuAction()->isVisible());
        }
        f.services.expectMessage(MsgResult::Ok);
        f.window->menus().MNU_Quaro_Compile->trigger();
        QCOMPARE(f.services.messages,
                 QList<Message>{(Message{"You can only compile saved ASM programs.", "Compilation",
                                         MsgIcon::Error, MsgButtons::Ok})});
        QVERIFY(starter.starts.isEmpty());
    }

    void compilingSavesAndStartsTheBatchOnTheBaseName() {
        MainWindowFixture f;
        FakeProcessStarter& starter = f.processes;
        QTemporaryDir sources;
        const QString prog = sources.filePath("my.prog.asm");
        QFile::copy(f.writeFile("seed", "old\r\n"), prog);
        QVERIFY(f.window->documents().OpenDocument(prog));
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("other.txt", "o\r\n")));
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.type("new ");
        const QString before = QDir::currentPath();
        f.window->menus().MNU_Quaro_Compile->trigger();
        f.window->menus().MNU_Quaro_Compile->trigger();
        QVERIFY(f.services.messages.isEmpty());
        QCOMPARE(MainWindowFixture::readFile(prog), QByteArray("new old\r\n"));
        QCOMPARE(MainWindowFixture::readFile(sources.filePath("my.prog.bak")),
                 QByteArray("new old\r\n"));
        QCOMPARE(f.window->settings().RecentFiles.value(0), prog);
        QCOMPARE(f.tabCaptions().value(0), QString("my.prog.asm"));
        const Start expected{f.window->programFolder() + "compil.bat",
                             {"my.prog"},
                             sources.path() + "/",
                             ShowState::Maximized,
                             true};
        QCOMPARE(starter.starts, QList<Start>({expected, expected}));
        QCOMPARE(QDir::currentPath(), before);
        QVERIFY(f.window->build().compilation().compileMarker().isEmpty());
    }

    void theFirstSaveKeepsTheOldFileAsBackup() {
        MainWindowFixture f;
        FakeProcessStarter& starter = f.processes;
        const QString prog = f.writeFile("hello.asm", "old\r\n");
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.type("x");
        f.window->menus().MNU_Quaro_Compile->trigger();
        QCOMPARE(MainWindowFixture::readFile(f.path("hello.bak")), QByteArray("old\r\n"));
        QCOMPARE(starter.starts.value(0).arguments, QStringList{"hello"});
    }

    void failuresRestoreTheFolderAndAllowTheNextRun() {
        MainWindowFixture f;
        FakeProcessStarter& starter = f.processes;
        starter.succeeds = false;
        const QString prog = f.writeFile("hello.asm", Program);
        QVERIFY(f.window->documents().OpenDocument(prog));
        const QString before = QDir::currentPath();
        f.window->menus().MNU_Quaro_Compile->trigger();
        QCOMPARE(f.services.plainMessages, QStringList{"error"});
        QCOMPARE(QDir::currentPath(), before);

        // The file turned into a folder: the save fails, nothing starts, and
        // the next command is not refused as a second compilation.
        starter.succeeds = true;
        starter.starts.clear();
        QVERIFY(QFile::remove(prog) && QDir().mkdir(prog));
        f.window->menus().MNU_Quaro_Compile->trigger();
        QVERIFY(starter.starts.isEmpty());
        QCOMPARE(QDir::currentPath(), before);
        QVERIFY(!f.services.messages.isEmpty());
        QVERIFY(QDir().rmdir(prog));
        const int reported = f.services.messages.size();
        f.window->menus().MNU_Quaro_Compile->trigger();
        QCOMPARE(starter.starts.size(), 1);
        QCOMPARE(f.services.messages.size(), reported);
    }

    void aNameTheInterpreterWouldRunIsRefused() {
        MainWindowFixture f;
        FakeProcessStarter& starter = f.processes;
        const QString prog = f.writeFile("a&calc.asm", Program);
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.type("x");
        f.window->menus().MNU_Quaro_Compile->trigger();
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].caption, QString("Compilation"));
        QVERIFY(f.services.messages[0].text.contains("a&calc"));
        QVERIFY(starter.starts.isEmpty());
        QVERIFY(f.window->documents().current().Modified);
    }

    void f9WorksWhileTheMenuIsHidden() {
        MainWindowFixture f;
        QVERIFY(!f.window->menus().MNU_Quaro->menuAction()->isVisible());
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.services.expectMessage(MsgResult::Ok);
        QTest::keyClick(f.window.get(), Qt::Key_F9);
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].text, QString("You can only compile saved ASM programs."));
    }

    void realConsoleGetsAnArgumentVector() {
        LinuxProcessStarter processes;
        MainWindowFixture f(true, {}, &processes);
        StubBin bin;
        // The terminal runs its command to the end and then says so, so that
        // the test keeps the stubs' folder until nothing it started is left.
        bin.add("x-terminal-emulator", recordArguments(bin.filePath("terminal.args")) +
                                           "shift\n\"$@\" </dev/null >/dev/null 2>&1\n: > '" +
                                           QFile::encodeName(bin.filePath("terminal.done")) +
                                           "'\n");
        bin.add("wine",
                "{ pwd; printf '\\0'; for a in \"$@\"; do printf '%s\\0' \"$a\"; done; } > '" +
                    QFile::encodeName(bin.filePath("wine.args.tmp")) + "'\nmv '" +
                    QFile::encodeName(bin.filePath("wine.args.tmp")) + "' '" +
                    QFile::encodeName(bin.filePath("wine.args")) + "'\n");
        f.writeFile("compil.bat", "@echo off\r\n");
        QTemporaryDir sources;
        const QString prog = sources.filePath("hello world.asm");
        QFile::copy(f.writeFile("seed", Program), prog);
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.window->menus().MNU_Quaro_Compile->trigger();
        QVERIFY(f.services.plainMessages.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(bin.filePath("terminal.done")), 20000);
        const QString batch =
            "Z:" + QString(f.window->programFolder() + "compil.bat").replace('/', '\\');
        const QStringList terminal = readNulSeparated(bin.filePath("terminal.args"));
        QCOMPARE(terminal.value(0), QString("-e"));
        QCOMPARE(terminal.mid(terminal.size() - 5),
                 QStringList({bin.filePath("wine"), "cmd", "/c", batch, "hello world"}));
        const QStringList wine = readNulSeparated(bin.filePath("wine.args"));
        QCOMPARE(wine, QStringList({sources.path() + "\n", "cmd", "/c", batch, "hello world"}));
    }

    // The options last wrote compil.sh: F9 runs it, never a compil.bat
    // left from before, and a name the batch interpreter would refuse is
    // fine, since it arrives as one word of an argument vector.
    void nativeScriptIsRunInsteadOfTheBatch() {
        MainWindowFixture f;
        f.writeFile("compil.bat", "@echo stale\r\n");
        QFile old(f.path("compil.bat"));
        QVERIFY(old.open(QIODevice::ReadWrite));
        QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                QFileDevice::FileModificationTime));
        old.close();
        writeScript(f.path("compil.sh"), "exit 0\n");
        const QString prog = f.writeFile("a&b (1).asm", Program);
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.window->menus().MNU_Quaro_Compile->trigger();
        QVERIFY(f.services.messages.isEmpty());
        QCOMPARE(f.processes.starts.size(), 1);
        QCOMPARE(f.processes.starts[0].program, f.window->programFolder() + "compil.sh");
        QCOMPARE(f.processes.starts[0].arguments, QStringList{"a&b (1)"});
    }

    void realConsoleRunsTheScriptWithoutWine() {
        LinuxProcessStarter processes;
        MainWindowFixture f(true, {}, &processes);
        StubBin bin; // no wine in it
        bin.add("x-terminal-emulator", recordArguments(bin.filePath("terminal.args")) +
                                           "shift\n\"$@\" </dev/null >/dev/null 2>&1\n: > '" +
                                           QFile::encodeName(bin.filePath("terminal.done")) +
                                           "'\n");
        writeScript(f.path("compil.sh"),
                    "{ pwd; printf '\\0'; for a in \"$@\"; do printf '%s\\0' \"$a\"; done; } > '" +
                        QFile::encodeName(bin.filePath("script.args")) + "'\n");
        QTemporaryDir sources;
        const QString prog = sources.filePath("it's a&b.asm");
        QFile::copy(f.writeFile("seed", Program), prog);
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.window->menus().MNU_Quaro_Compile->trigger();
        QVERIFY(f.services.plainMessages.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(bin.filePath("terminal.done")), 20000);
        const QStringList terminal = readNulSeparated(bin.filePath("terminal.args"));
        QCOMPARE(terminal.mid(terminal.size() - 2),
                 QStringList({f.window->programFolder() + "compil.sh", "it's a&b"}));
        QCOMPARE(readNulSeparated(bin.filePath("script.args")),
                 QStringList({sources.path() + "\n", "it's a&b"}));
    }

    void missingConsoleOrBatchIsAnError_data() {
        QTest::addColumn<bool>("withWine");
        QTest::addColumn<bool>("withBatch");
        QTest::newRow("no interpreter") << false << true;
        QTest::newRow("no compil.bat") << true << false;
    }
    void missingConsoleOrBatchIsAnError() {
        QFETCH(bool, withWine);
        QFETCH(bool, withBatch);
        LinuxProcessStarter processes;
        MainWindowFixture f(true, {}, &processes);
        StubBin bin;
        // Were anything started, it would leave this mark.
        const QByteArray started = ": > '" + QFile::encodeName(f.path("started")) + "'\n";
        bin.add("x-terminal-emulator", started);
        if (withWine)
            bin.add("wine", started);
        if (withBatch)
            f.writeFile("compil.bat", "\r\n");
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("p.asm", Program)));
        f.window->menus().MNU_Quaro_Compile->trigger();
        QCOMPARE(f.services.plainMessages, QStringList{"error"});
        QTest::qWait(200);
        QVERIFY(!QFile::exists(f.path("started")));
    }

    void realUserProgramReceivesItsArgumentVector_data() {
        QTest::addColumn<int>("arg");
        QTest::addColumn<QStringList>("expected"); // "@" stands for the source's folder
        QTest::newRow("none") << 0 << QStringList{"fixed one"};
        QTest::newRow("inline") << 1 << QStringList{"fixed one", "it's $HOME; `x`"};
        QTest::newRow("current file") << 2 << QStringList{"fixed one", "@/a b;c.asm"};
        QTest::newRow("92p file") << 3 << QStringList{"fixed one", "@/a b;c.92p"};
        QTest::newRow("selection with quote, semicolon, line break")
            << 4 << QStringList{"fixed one", "say \"hi\"; rm x\r\nnext"};
    }
    void realUserProgramReceivesItsArgumentVector() {
        QFETCH(int, arg);
        QFETCH(QStringList, expected);
        LinuxProcessStarter processes;
        MainWindowFixture f(true, {}, &processes);
        const QString out = f.path("received");
        const QString script = f.path("record args.sh");
        writeScript(script, recordArguments(out));
        const QString source = f.writeFile("a b;c.asm", "say \"hi\"; rm x\r\nnext\r\n");
        QVERIFY(f.window->documents().OpenDocument(source));
        f.window->editor().setSelection(0, f.window->editor().length() - 2);
        f.window->settings().UserPrograms = {
            UserProgram{"Rec", "\"" + script + "\" \"fixed one\"", 0, arg}};
        f.window->UpdateUserMenu();
        f.services.onDialog([](QDialog& d) {
            static_cast<TInputFrm&>(d).setText("it's $HOME; `x`");
            return int(QDialog::Accepted);
        });
        f.window->build().userMenu().programCommands().at(0)->trigger();
        QVERIFY(f.services.messages.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 20000);
        expected.replaceInStrings("@", f.dir.path());
        QCOMPARE(readNulSeparated(out), expected);
    }
};

QTEST_MAIN(TestCompilation)
#include "tst_compilation.moc"
