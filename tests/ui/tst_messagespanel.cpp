// Builds run inside the editor: the output in the messages panel, messages
// marked in the sources and reached with F4, with a real 68000 assembler.
#include "core/compile/BuildLog.h"
#include "core/settings/KeyStore.h"
#include "platform/compile/LinuxProcessStarter.h"
#include "support/MainWindowFixture.h"
#include "ui/compile/BuildCommands.h"
#include "ui/compile/BuildPanel.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editing/EditorFeatures.h"
#include "ui/editor/EditorAppearance.h"
#include "ui/editor/EditorMarkers.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

#include <csignal>

using namespace quaredit;

namespace {

const QString Assembler = QStringLiteral("m68k-linux-gnu-as");

// Lines 4 and 6 are wrong: a misspelt mnemonic, an immediate destination.
const QByteArray Faulty = "\txdef\t_main\r\n_main:\r\n\tmove.l\td0,d1\r\n\tmvoe.l\td0,d1\r\n"
                          "\tmove.l\t#1,(a0)+\r\n\tadd.w\td0,#3\r\n\trts\r\n";
const QByteArray Fixed = "\txdef\t_main\r\n_main:\r\n\tmove.l\td0,d1\r\n\tmove.l\td0,d1\r\n"
                         "\tmove.l\t#1,(a0)+\r\n\tadd.w\t#3,d0\r\n\trts\r\n";
// The user's own build text, as typed in the options dialog.
const QByteArray AssembleScript = "#!/bin/sh\r\nexec " + Assembler.toLatin1() +
                                  " -m68000 --register-prefix-optional -o \"$1.o\" \"$1.asm\"\r\n";

void writeScript(const QString& path, const QByteArray& body) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n" + body);
    f.close();
    QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

bool alive(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close > 0 && text.mid(close + 2, 1) != "Z";
}

qint64 readPid(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toLongLong() : 0;
}

unsigned markersAt(QsciScintilla* editor, int line) {
    return editor->markersAtLine(line) &
           ((1u << EditorMarkers::ErrorMarker) | (1u << EditorMarkers::WarningMarker) |
            (1u << EditorMarkers::NoteMarker));
}

bool anyMarker(QsciScintilla* editor) {
    for (int line = 0; line < editor->lines(); ++line) {
        if (markersAt(editor, line) || !editor->annotation(line).isEmpty())
            return true;
    }
    return false;
}

// A window with the panel on and the build file written by the options
// dialog's OK, as the user would.
struct PanelFixture : MainWindowFixture {
    explicit PanelFixture(ProcessStarter* starter = nullptr)
        : MainWindowFixture(true, {}, starter) {
        window->settings().MessagesPanel = true;
    }
    PanelBuild& build() const { return window->build().panelBuild(); }
    void optionsOk(const QByteArray& userBatch) {
        writeFile("batch.dat", userBatch);
        window->settings().UsePredef = 0;
        services.onDialog([](QDialog& d) {
            QTest::mouseClick(d.findChild<QPushButton*>("OkBt"), Qt::LeftButton);
            return d.result();
        });
        window->menus().MNU_Options_General->trigger();
    }
    void f9() const { window->menus().MNU_Quaro_Compile->trigger(); }
    QString status() const { return build().panel() ? build().panel()->status() : QString(); }
    bool finished() const { return !build().running() && !status().startsWith("Building"); }
    QString statusBar() const { return window->findChild<QLabel*>("StatusPanel1")->text(); }
    QStringList panelLines() const {
        QStringList lines;
        const QAbstractItemModel* model = build().panel()->list()->model();
        for (int row = 0; row < model->rowCount(); ++row)
            lines << model->index(row, 0).data().toString();
        return lines;
    }
};

} // namespace

class TestMessagesPanel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(!QStandardPaths::findExecutable(Assembler).isEmpty(),
                 "m68k-linux-gnu-as is missing: scripts/setup.sh installs it");
    }

    // The whole loop with GNU as: build, read the messages, jump to each,
    // see them marked, fix, build again clean.
    void realAssemblerLoop() {
        PanelFixture f;
        QVERIFY(!f.build().panel()); // not built before the first build
        f.optionsOk(AssembleScript);
        QVERIFY(QFileInfo(f.window->programFolder() + "compil.sh").isExecutable());
        const QString prog = f.writeFile("prog.asm", Faulty);
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.f9();
        QTRY_VERIFY_WITH_TIMEOUT(f.finished(), 20000);
        QVERIFY2(f.status().startsWith("Finished (exit status 1) in "), qPrintable(f.status()));
        QVERIFY(f.build().panel()->isVisible());
        const auto& messages = f.build().log().messages();
        QCOMPARE(int(messages.size()), 2);
        QCOMPARE(messages[0].message.line, 4);
        QCOMPARE(messages[1].message.line, 6);
        QCOMPARE(f.build().messagePath(0), prog);
        QCOMPARE(f.build().messagePath(1), prog);
        QVERIFY(f.panelLines().last().startsWith("Finished (exit status 1)"));
        QCOMPARE(f.statusBar(), QString("2 errors, 0 warnings"));

        QsciScintilla* editor = f.editor();
        QVERIFY(markersAt(editor, 3) & (1u << EditorMarkers::ErrorMarker));
        QVERIFY(markersAt(editor, 5) & (1u << EditorMarkers::ErrorMarker));
        QCOMPARE(markersAt(editor, 4), 0u);
        QVERIFY(editor->annotation(3).contains("Unknown operator"));

        int line = -1, column = -1;
        QTest::keyClick(f.window.get(), Qt::Key_F4);
        editor->getCursorPosition(&line, &column);
        QCOMPARE(line, 3);
        QVERIFY(editor->hasFocus());
        QTest::keyClick(f.window.get(), Qt::Key_F4);
        editor->getCursorPosition(&line, &column);
        QCOMPARE(line, 5);
        QCOMPARE(f.build().panel()->list()->currentIndex().data().toString(),
                 f.build().log().line(f.build().log().rowOfMessage(1)).text);

        // Marks move with the text: a line typed above both pushes them down.
        editor->setCursorPosition(0, 0);
        f.type("; note\r");
        QVERIFY(markersAt(editor, 4) & (1u << EditorMarkers::ErrorMarker));
        QVERIFY(markersAt(editor, 6) & (1u << EditorMarkers::ErrorMarker));
        QTest::keyClick(f.window.get(), Qt::Key_F4, Qt::ShiftModifier);
        editor->getCursorPosition(&line, &column);
        QCOMPARE(line, 4);

        editor->setText(QString::fromLatin1(Fixed));
        f.f9();
        QTRY_VERIFY_WITH_TIMEOUT(f.finished(), 20000);
        QVERIFY2(f.status().startsWith("Finished (exit status 0) in "), qPrintable(f.status()));
        QVERIFY(f.build().log().messages().empty());
        QVERIFY(!anyMarker(editor));
        QCOMPARE(f.statusBar(), QString("0 errors, 0 warnings"));
    }

    // With the panel off the same script runs in the terminal, directly:
    // no Wine on PATH is needed.
    void panelOffRunsTheScriptInTheTerminal() {
        LinuxProcessStarter processes;
        PanelFixture f(&processes);
        f.optionsOk(AssembleScript);
        f.window->settings().MessagesPanel = false;
        QTemporaryDir bin;
        const QByteArray saved = qgetenv("PATH");
        QFile::link("/bin/sh", bin.filePath("sh"));
        const QString out = f.path("terminal.out");
        writeScript(bin.filePath("x-terminal-emulator"),
                    "PATH='" + saved + "'\nshift\n\"$@\" </dev/null >'" + QFile::encodeName(out) +
                        ".tmp' 2>&1\nmv '" + QFile::encodeName(out) + ".tmp' '" +
                        QFile::encodeName(out) + "'\n");
        qputenv("PATH", QFile::encodeName(bin.path()));
        const QString prog = f.writeFile("prog.asm", Faulty);
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.f9();
        qputenv("PATH", saved);
        QVERIFY(f.services.plainMessages.isEmpty());
        QVERIFY(!f.build().panel());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 20000);
        const QByteArray text = MainWindowFixture::readFile(out);
        QVERIFY2(text.contains("prog.asm:4: Error:") && text.contains("prog.asm:6: Error:"),
                 text.constData());
    }

    // A DOS toolchain under Wine prints DOS paths: they lead back to the
    // Linux files.
    void wineDosPathsLeadToTheFiles() {
        PanelFixture f;
        QTemporaryDir bin;
        const QString prog = f.writeFile("Prog.asm", Faulty);
        const QString dos = "Z:" + QString(prog).replace('/', '\\');
        writeScript(bin.filePath("wine"), "printf '%s\\r\\n' 'Quaro II assembler' '" +
                                              dos.toLatin1() + "(4) : error: bad mnemonic' '" +
                                              dos.toUpper().toLatin1() +
                                              ":6: Warning: odd' 'prog.asm(2)'\nexit 2\n");
        const QByteArray saved = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()) + ":" + saved);
        f.writeFile("compil.bat", "@quaro %1\r\n");
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.f9();
        QTRY_VERIFY_WITH_TIMEOUT(f.finished(), 20000);
        qputenv("PATH", saved);
        QVERIFY2(f.status().startsWith("Finished (exit status 2)"), qPrintable(f.status()));
        QCOMPARE(int(f.build().log().messages().size()), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(f.build().messagePath(i), prog);
        QCOMPARE(f.statusBar(), QString("2 errors, 1 warning"));
        QCOMPARE(f.build().log().line(0).text, QString("Quaro II assembler"));
    }

    // Stop ends the build and what it started; so does closing the window,
    // at once.
    void stopEndsTheBuildAndItsChildren_data() {
        QTest::addColumn<bool>("closeWindow");
        QTest::newRow("stop button") << false;
        QTest::newRow("closing the window") << true;
    }
    void stopEndsTheBuildAndItsChildren() {
        QFETCH(bool, closeWindow);
        PanelFixture f;
        const QString pidFile = f.path("child.pid");
        writeScript(f.path("compil.sh"), "sleep 300 &\necho $! > '" + QFile::encodeName(pidFile) +
                                             "'\necho started\nwait\n");
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("hang.asm", Faulty)));
        f.f9();
        QTRY_VERIFY_WITH_TIMEOUT(f.panelLines().contains("started"), 20000);
        const qint64 child = readPid(pidFile);
        QVERIFY(child > 0 && alive(child));
        // A second F9 while it runs starts nothing.
        f.services.expectMessage(MsgResult::Ok);
        f.f9();
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].text,
                 QString("There is already an open compilation window."));
        QElapsedTimer clock;
        clock.start();
        if (closeWindow) {
            QVERIFY(f.window->close());
            QVERIFY(clock.elapsed() < 3000);
        } else {
            QTest::mouseClick(f.build().panel()->stopButton(), Qt::LeftButton);
            QTRY_COMPARE_WITH_TIMEOUT(f.status(), QString("Stopped"), 5000);
            QCOMPARE(f.panelLines().last(), QString("Stopped"));
        }
        QTRY_VERIFY_WITH_TIMEOUT(!alive(child), 5000);
    }

    // A build that ends while a child still holds its output open ends
    // then, not when the child does.
    void aChildHoldingTheOutputDoesNotKeepTheBuildRunning() {
        PanelFixture f;
        const QString pidFile = f.path("child.pid");
        writeScript(f.path("compil.sh"),
                    "sleep 300 &\necho $! > '" + QFile::encodeName(pidFile) + "'\nexit 0\n");
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("bg.asm", Faulty)));
        f.f9();
        QTRY_VERIFY_WITH_TIMEOUT(f.finished(), 10000);
        QVERIFY2(f.status().startsWith("Finished (exit status 0)"), qPrintable(f.status()));
        QTRY_VERIFY_WITH_TIMEOUT(!alive(readPid(pidFile)), 5000);
    }

    void outputIsShownAsTheEditorShowsBytes() {
        PanelFixture f;
        QByteArray high;
        for (int b = 0x80; b <= 0xff; ++b)
            high += "\\" + QByteArray::number(b, 8);
        writeScript(f.path("compil.sh"), "printf '" + high +
                                             "\\n'\nprintf '10%%\\r50%%\\r100%%\\r\\n'\n"
                                             "printf 'no line feed at the end'\n");
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("bytes.asm", Faulty)));
        f.f9();
        QTRY_VERIFY_WITH_TIMEOUT(f.finished(), 20000);
        QByteArray expected;
        for (int b = 0x80; b <= 0xff; ++b)
            expected += char(b);
        const QStringList lines = f.panelLines();
        QCOMPARE(lines.mid(0, 3),
                 QStringList({QString::fromLatin1(expected), "100%", "no line feed at the end"}));
    }

    // A million lines: the panel keeps the last 100,000 and says so.
    void aMillionLinesAreBounded() {
        PanelFixture f;
        writeScript(f.path("compil.sh"), "seq 1 1000000\n");
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("big.asm", Faulty)));
        f.f9();
        QTRY_VERIFY_WITH_TIMEOUT(f.finished(), 60000);
        const QStringList lines = f.panelLines();
        QCOMPARE(lines.size(), int(BuildLog::DefaultMaxLines) + 1);
        QCOMPARE(lines.first(), QString("(900001 earlier lines were dropped)"));
        QCOMPARE(lines.at(lines.size() - 2), QString("1000000"));
        QVERIFY(lines.last().startsWith("Finished (exit status 0)"));
    }

    void buildThatCannotStartSaysWhy() {
        PanelFixture f;
        f.writeFile("batch.dat", "#!/bin/sh\r\n");
        f.window->settings().UsePredef = 0;
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("p.asm", Faulty)));
        f.f9();
        QCOMPARE(f.status(), "No compil.sh in " + f.window->programFolder() +
                                 ": Options > General Options writes it.");
        QVERIFY(f.services.plainMessages.isEmpty());
        QVERIFY(!f.build().running());
    }

    void messagesOfAMissingFileSayItIsMissing() {
        PanelFixture f;
        writeScript(f.path("compil.sh"), "echo 'gone.asm:3: Error: x'\nexit 1\n");
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("p.asm", Faulty)));
        f.f9();
        QTRY_VERIFY_WITH_TIMEOUT(f.finished(), 20000);
        f.services.expectMessage(MsgResult::Ok);
        f.build().nextAction()->trigger();
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].text,
                 QString("Cannot find the file <%1>").arg(f.path("gone.asm")));
    }

    // A message about another open file marks that file, shown when its tab
    // is; Enter on a message line goes there.
    void messagesMarkEveryDocumentTheyName() {
        PanelFixture f;
        const QString defs = f.writeFile("defs.h", "A equ 1\r\nB equ 2\r\nC equ 3\r\n");
        const QString prog = f.writeFile("prog.asm", Faulty);
        writeScript(f.path("compil.sh"), "echo 'defs.h:2: Warning: B is never used'\n"
                                         "echo \"$1.asm:6: Error: operands mismatch\"\nexit 1\n");
        QVERIFY(f.window->documents().OpenDocument(defs));
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.f9();
        QTRY_VERIFY_WITH_TIMEOUT(f.finished(), 20000);
        QsciScintilla* editor = f.editor();
        QVERIFY(markersAt(editor, 5) & (1u << EditorMarkers::ErrorMarker));
        QCOMPARE(markersAt(editor, 1), 0u);
        f.window->documents().makeCurrent(0);
        QCOMPARE(markersAt(editor, 1), 1u << EditorMarkers::WarningMarker);
        QCOMPARE(editor->annotation(1), QString("Warning: B is never used"));
        f.window->documents().makeCurrent(1);
        QVERIFY(markersAt(editor, 5) & (1u << EditorMarkers::ErrorMarker));
        // A plain text shown in between changes the lexer, which resets the
        // styles: the notes keep their colours all the same.
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("notes.txt", "n\r\n")));
        f.window->documents().makeCurrent(1);
        QCoreApplication::processEvents();
        const long noteStyle = editor->property("quareditMarkStyles").toInt() +
                               editor->SendScintilla(QsciScintillaBase::SCI_ANNOTATIONGETSTYLE, 5L);
        const QColor paper = EditorMarkers::colours(MarkKind::Error).notePaper;
        QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, noteStyle),
                 long(paper.red() | paper.green() << 8 | paper.blue() << 16));

        QListView* list = f.build().panel()->list();
        list->setCurrentIndex(list->model()->index(0, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(f.window->documents().current().FullPath, defs);
        int line = -1, column = -1;
        editor->getCursorPosition(&line, &column);
        QCOMPARE(line, 1);
    }

    // Under the dark colour set the notes take the dark set's colours.
    void darkColoursReachTheNotes() {
        PanelFixture f;
        EditorLook look = f.window->editorFeatures().appearance().look();
        look.colourScheme = 2;
        f.window->editorFeatures().appearance().apply(look);
        writeScript(f.path("compil.sh"), "echo \"$1.asm:2: Error: x\"\nexit 1\n");
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("p.asm", Faulty)));
        f.f9();
        QTRY_VERIFY_WITH_TIMEOUT(f.finished(), 20000);
        QsciScintilla* editor = f.editor();
        QVERIFY(EditorMarkers::showsDark(*editor));
        const long noteStyle = editor->property("quareditMarkStyles").toInt() +
                               editor->SendScintilla(QsciScintillaBase::SCI_ANNOTATIONGETSTYLE, 1L);
        const QColor paper = EditorMarkers::colours(MarkKind::Error, true).notePaper;
        QCOMPARE(editor->SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK, noteStyle),
                 long(paper.red() | paper.green() << 8 | paper.blue() << 16));
        QVERIFY(paper.lightness() < 128);
    }

    // The panel comes back at the height the user left it, also in the
    // next session.
    void panelHeightIsRemembered() {
        PanelFixture f;
        {
            RegKey root(f.store, QString(), true);
            root.writeInt("MessagesHeight", 150);
        }
        f.window->resize(900, 700);
        writeScript(f.path("compil.sh"), "echo done\n");
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("p.asm", Faulty)));
        f.f9();
        QTRY_VERIFY_WITH_TIMEOUT(f.finished(), 20000);
        auto* split = f.window->findChild<QSplitter*>("EditorSplit");
        QVERIFY(split);
        QCOMPARE(split->sizes().value(1), 150);
        QVERIFY(f.window->close());
        QCOMPARE(RegKey(f.store, QString(), false).readInt("MessagesHeight", 0), 150);
    }

    void escapeHidesThePanel() {
        PanelFixture f;
        writeScript(f.path("compil.sh"), "echo done\n");
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("p.asm", Faulty)));
        f.window->show();
        f.f9();
        QTRY_VERIFY_WITH_TIMEOUT(f.finished(), 20000);
        BuildPanel* panel = f.build().panel();
        QVERIFY(panel->isVisible());
        panel->list()->setFocus();
        QTest::keyClick(panel->list(), Qt::Key_Escape);
        QVERIFY(!panel->isVisible());
    }

    void anInvalidPatternKeepsTheDialogOpen() {
        MainWindowFixture f;
        QString shown;
        f.services.expectMessage(MsgResult::Ok);
        f.services.onDialog([&](QDialog& d) {
            d.findChild<QLineEdit*>("edMessagePattern")->setText("(?<file>\\S+):(\\d+");
            QTest::mouseClick(d.findChild<QPushButton*>("OkBt"), Qt::LeftButton);
            const bool stayed = d.isVisible();
            d.findChild<QLineEdit*>("edMessagePattern")->setText("(?<file>\\S+)#(?<line>\\d+)");
            d.findChild<QCheckBox*>("MessagesOpt")->setChecked(true);
            QTest::mouseClick(d.findChild<QPushButton*>("OkBt"), Qt::LeftButton);
            return stayed ? d.result() : -1;
        });
        f.window->menus().MNU_Options_General->trigger();
        QCOMPARE(f.services.messages.size(), 1);
        QVERIFY(f.services.messages[0].text.contains("not a valid regular expression"));
        QCOMPARE(f.window->settings().MessagePattern, QString("(?<file>\\S+)#(?<line>\\d+)"));
        QVERIFY(f.window->settings().MessagesPanel);
    }
};

QTEST_MAIN(TestMessagesPanel)
#include "tst_messagespanel.moc"
