#include "core/settings/Settings.h"
#include "support/FileSizeLimit.h"
#include "support/MainWindowFixture.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editor/EditorAccess.h"
#include "ui/project/ProjectTree.h"

#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

using namespace quaredit;

namespace {
const QByteArray Program = "\tinclude\t\"tios.h\"\r\n\txdef\t_main\r\n_main:\r\n\trts\r\n";
}

class TestDocuments : public QObject {
    Q_OBJECT

    static QStringList rootCaptions(TPFrm& w) {
        QStringList captions;
        QTreeWidget* list = w.projectTree().list();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            captions << list->topLevelItem(i)->text(0);
        return captions;
    }

private slots:
    void startsWithOneUntouchedUntitledDocument() {
        MainWindowFixture f;
        QCOMPARE(f.window->windowTitle(), QString("Quaro Program Editor v2.0 ALPHA 5"));
        QCOMPARE(f.tabCaptions(), QStringList{"[Untitled]"});
        QCOMPARE(rootCaptions(*f.window), QStringList{"[Untitled]"});
        QCOMPARE(ProjectTree::iconOf(f.window->projectTree().list()->topLevelItem(0)), 5);
        QCOMPARE(f.window->statusPanel(0)->text(), QString("1 : 1"));
        QVERIFY(!f.window->documents().current().Modified);
        QVERIFY(!f.window->menus().MNU_Quaro->menuAction()->isVisible());
    }

    // A tool's change of kind or of lines reaches the tree and the menus
    // through the set's announcement, not through the tool.
    void toolChangesAreAnnouncedAndFollowed() {
        MainWindowFixture f;
        DocumentSet& set = f.window->documents();
        QSignalSpy changed(&set, &DocumentSet::documentChanged);
        set.applyLineEdits({LineEdit::insertBefore(0, "\txdef\t_library")});
        QCOMPARE(changed.count(), 1);
        QVERIFY(!set.current().IsLibrary); // not a program source yet
        QVERIFY(!f.window->menus().MNU_Quaro->menuAction()->isVisible());

        set.setCurrentKind(DocumentKind::ProgramSource);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.last().at(0).toInt(), 0);
        QVERIFY(set.current().IsLibrary);
        QVERIFY(f.window->menus().MNU_Quaro->menuAction()->isVisible());
        QVERIFY(f.window->menus().MNU_Tools_NewLibEntry->isVisible());

        set.applyLineEdits({LineEdit::replace(0, "\txdef\t_main")});
        QVERIFY(!set.current().IsLibrary);
        QVERIFY(!f.window->menus().MNU_Tools_NewLibEntry->isVisible());
        set.applyLineEdits({});
        QCOMPARE(changed.count(), 3); // nothing to apply, nothing announced
    }

    void openingReusesTheUntouchedTabAndTypingMarksIt() {
        MainWindowFixture f;
        const QString prog = f.writeFile("prog.asm", Program);
        QVERIFY(f.window->documents().OpenDocument(prog));
        QCOMPARE(f.tabCaptions(), QStringList{"prog.asm"});
        QCOMPARE(rootCaptions(*f.window), QStringList{"prog.asm"});
        QCOMPARE(f.window->editor().bytes(), Program);
        QVERIFY(f.window->documents().current().OnDisk);
        QVERIFY(f.window->menus().MNU_Quaro->menuAction()->isVisible());
        f.type("x");
        QCOMPARE(f.tabCaptions(), QStringList{"prog.asm*"});
        f.window->menus().MNU_File_Save->trigger();
        QCOMPARE(f.tabCaptions(), QStringList{"prog.asm"});
        QVERIFY(f.services.messages.isEmpty());
    }

    void toolbarButtonsRunTheirCommands() {
        MainWindowFixture f;
        auto button = [&](const char* name) {
            auto* b = f.window->findChild<QToolButton*>(QLatin1String(name));
            if (!b)
                qFatal("no button %s", name);
            return b;
        };
        QSet<qint64> pictures;
        for (const char* name : {"NewFileBt", "OpenFileBt", "SaveBt", "CpyBt", "CutBt", "PstBt"}) {
            QToolButton* b = button(name);
            QVERIFY2(!b->icon().isNull(), name);
            QCOMPARE(b->statusTip(), b->toolTip());
            pictures.insert(b->icon().pixmap(16).toImage().cacheKey());
        }
        QCOMPARE(pictures.size(), 6); // six different pictures

        f.type("abc");
        f.editor()->selectAll();
        button("CpyBt")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("abc"));
        button("CutBt")->click();
        QCOMPARE(f.window->editor().bytes(), QByteArray());
        button("PstBt")->click();
        button("PstBt")->click();
        QCOMPARE(f.window->editor().bytes(), QByteArray("abcabc"));
        button("NewFileBt")->click();
        QCOMPARE(f.tabCaptions(), (QStringList{"[Untitled]*", "[Untitled]"}));
        f.services.answerOpen(std::nullopt);
        button("OpenFileBt")->click();
        QCOMPARE(f.services.openRequests.size(), 1);
        f.services.answerSave(std::nullopt);
        button("SaveBt")->click();
        QCOMPARE(f.services.saveRequests.size(), 1);
    }

    void undoStopsAtTheLoadedText() {
        MainWindowFixture f;
        const QString prog = f.writeFile("prog.asm", Program);
        QVERIFY(f.window->documents().OpenDocument(prog));
        QVERIFY(!f.editor()->isUndoAvailable());
        f.type("xy");
        f.editor()->undo();
        f.editor()->undo();
        QCOMPARE(f.window->editor().bytes(), Program);
        QVERIFY(!f.editor()->isUndoAvailable());
        // Typing still records its edits after a load.
        f.type("z");
        QVERIFY(f.editor()->isUndoAvailable());
    }

    void newFileReusesOnlyAnUntouchedDocument() {
        MainWindowFixture f;
        f.window->menus().MNU_File_NewFile->trigger();
        QCOMPARE(f.tabCaptions(), QStringList{"[Untitled]"});
        f.type("a");
        f.window->menus().MNU_File_NewFile->trigger();
        QCOMPARE(f.tabCaptions(), QStringList({"[Untitled]*", "[Untitled]"}));
        QCOMPARE(f.window->documents().CurrentIndex(), 1);
        QCOMPARE(f.window->editor().length(), 0);
        QCOMPARE(rootCaptions(*f.window), QStringList({"[Untitled]", "[Untitled]"}));
    }

    void savingMakesBackupOfThePreviousFileButSaveAsNever() {
        MainWindowFixture f;
        const QString prog = f.writeFile("prog.asm", "old\r\n");
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.type("new ");
        f.window->menus().MNU_File_Save->trigger();
        QCOMPARE(MainWindowFixture::readFile(f.path("prog.bak")), QByteArray("old\r\n"));
        QCOMPARE(MainWindowFixture::readFile(prog), QByteArray("new old\r\n"));
        QCOMPARE(f.window->settings().RecentFiles.value(0), prog);

        // A header of the same folder overwrites that prog.bak.
        const QString header = f.writeFile("prog.h", "h1\r\n");
        QVERIFY(f.window->documents().OpenDocument(header));
        f.window->menus().MNU_File_Save->trigger();
        QCOMPARE(MainWindowFixture::readFile(f.path("prog.bak")), QByteArray("h1\r\n"));

        f.services.answerSave(f.path("copy.asm"));
        f.window->menus().MNU_File_SaveAs->trigger();
        QCOMPARE(MainWindowFixture::readFile(f.path("copy.asm")), QByteArray("h1\r\n"));
        QVERIFY(!QFile::exists(f.path("copy.bak")));
        QCOMPARE(f.tabCaptions().last(), QString("copy.asm"));
        QCOMPARE(f.services.saveRequests.last().initialName, QString("prog.h"));
    }

    void saveWithoutBackupWhenTheOptionIsOff() {
        MainWindowFixture f;
        f.window->settings().MakeBAK = false;
        const QString prog = f.writeFile("prog.asm", "old\r\n");
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.type("x");
        f.window->menus().MNU_File_Save->trigger();
        QVERIFY(!QFile::exists(f.path("prog.bak")));
    }

    void crLfFileSavedUnchangedIsByteIdentical() {
        MainWindowFixture f;
        QByteArray bytes;
        for (int b = 1; b < 256; ++b)
            bytes.append(b == '\r' || b == '\n' ? 'x' : char(b));
        bytes.append("\r\nsecond line\r\n\r\n");
        const QString prog = f.writeFile("bytes.asm", bytes);
        QVERIFY(f.window->documents().OpenDocument(prog));
        f.window->menus().MNU_File_Save->trigger();
        QCOMPARE(MainWindowFixture::readFile(prog), bytes);
    }

    void refusedFilesLeaveTheSetUnchanged() {
        MainWindowFixture f;
        const QString nul = f.writeFile("nul.asm", QByteArray("a\0b", 3));
        QVERIFY(!f.window->documents().OpenDocument(nul));
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].caption, QString("File Error"));
        QVERIFY(f.services.messages[0].text.contains(nul));
        QVERIFY(!f.window->documents().OpenDocument(f.path("missing.asm")));
        QCOMPARE(f.services.messages[1].text,
                 "Cannot find the file <" + f.path("missing.asm") + ">");
        QCOMPARE(f.tabCaptions(), QStringList{"[Untitled]"});
        QCOMPARE(f.window->documents().DocumentCount(), 1);
    }

    void alreadyOpenComparesExactPaths() {
        MainWindowFixture f;
        const QString lower = f.writeFile("prog.asm", "lower\r\n");
        const QString upper = f.writeFile("Prog.asm", "upper\r\n");
        QVERIFY(f.window->documents().OpenDocument(lower));
        QVERIFY(f.window->documents().OpenDocument(upper));
        QCOMPARE(f.window->documents().DocumentCount(), 2);
        f.writeFile("prog.asm", "changed on disk\r\n");
        QVERIFY(f.window->documents().OpenDocument(f.dir.path() + "/./prog.asm"));
        QCOMPARE(f.window->documents().CurrentIndex(), 0);
        QCOMPARE(f.window->editor().bytes(), QByteArray("lower\r\n"));
        QCOMPARE(f.window->documents().DocumentCount(), 2);
    }

    void closePromptAnswers() {
        MainWindowFixture f;
        const QString prog = f.writeFile("prog.asm", "v1\r\n");
        auto& docs = f.window->documents();

        QVERIFY(docs.OpenDocument(prog));
        f.type("x");
        f.services.expectMessage(MsgResult::Cancel);
        QVERIFY(!docs.CloseCurrentDocument());
        QCOMPARE(f.services.messages.last().text, "Save Changes to <" + prog + "> ?");
        QCOMPARE(f.services.messages.last().caption, QString("Confirm"));
        QCOMPARE(f.services.messages.last().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(f.tabCaptions(), QStringList{"prog.asm*"});

        f.services.expectMessage(MsgResult::Yes);
        QVERIFY(docs.CloseCurrentDocument());
        QCOMPARE(MainWindowFixture::readFile(prog), QByteArray("xv1\r\n"));
        QCOMPARE(f.tabCaptions(), QStringList{"[Untitled]"});
        QCOMPARE(f.window->editor().length(), 0);

        QVERIFY(docs.OpenDocument(prog));
        f.type("y");
        f.services.expectMessage(MsgResult::No);
        QVERIFY(docs.CloseCurrentDocument());
        QCOMPARE(MainWindowFixture::readFile(prog), QByteArray("xv1\r\n"));

        // A never-saved document: Yes, then Cancel in Save As closes it unsaved.
        f.type("z");
        f.services.expectMessage(MsgResult::Yes);
        f.services.answerSave(std::nullopt);
        QVERIFY(docs.CloseCurrentDocument());
        QCOMPARE(f.services.messages.last().text, QString("Save Changes to <[Untitled]> ?"));
        QCOMPARE(f.tabCaptions(), QStringList{"[Untitled]"});
        QVERIFY(!docs.current().Modified);
    }

    void failedSaveKeepsTheDocumentOpenAndModified() {
        MainWindowFixture f;
        const QString prog = f.writeFile("prog.asm", "v1\r\n");
        auto& docs = f.window->documents();
        QVERIFY(docs.OpenDocument(prog));
        f.type("x");
        f.window->editor().replaceLine(0, QString(4096, 'y'));
        bool closed = false;
        {
            // A file size limit makes the write fail whatever the user's rights.
            FileSizeLimit limit(1024);
            f.services.expectMessage(MsgResult::Yes);
            closed = docs.CloseCurrentDocument();
        }
        QVERIFY(!closed);
        QCOMPARE(f.services.messages.last().caption, QString("File Error"));
        QVERIFY(f.services.messages.last().text.contains(prog));
        QCOMPARE(f.tabCaptions(), QStringList{"prog.asm*"});
        QCOMPARE(MainWindowFixture::readFile(prog), QByteArray("v1\r\n"));
        QCOMPARE(f.window->editor().line(0), QString(4096, 'y'));
    }

    void closingMiddleAndLastTabs() {
        MainWindowFixture f;
        auto& docs = f.window->documents();
        for (int i = 0; i < 5; ++i)
            QVERIFY(docs.OpenDocument(
                f.writeFile(QString("d%1.asm").arg(i), QByteArray::number(i) + "\r\n")));
        QCOMPARE(rootCaptions(*f.window),
                 QStringList({"d4.asm", "d3.asm", "d2.asm", "d1.asm", "d0.asm"}));
        docs.makeCurrent(2);
        QVERIFY(docs.CloseCurrentDocument());
        QCOMPARE(f.tabCaptions(), QStringList({"d0.asm", "d1.asm", "d3.asm", "d4.asm"}));
        QCOMPARE(docs.CurrentIndex(), 2);
        QCOMPARE(f.window->editor().bytes(), QByteArray("3\r\n"));
        docs.makeCurrent(3);
        QVERIFY(docs.CloseCurrentDocument());
        QCOMPARE(docs.CurrentIndex(), 2);
        QCOMPARE(f.window->editor().bytes(), QByteArray("3\r\n"));
        QCOMPARE(rootCaptions(*f.window), QStringList({"d3.asm", "d1.asm", "d0.asm"}));
    }

    void switchingRestoresSelectionAndScroll() {
        MainWindowFixture f;
        QByteArray many;
        for (int i = 0; i < 300; ++i)
            many += "\tmove.l\td0,d1\r\n";
        auto& docs = f.window->documents();
        QVERIFY(docs.OpenDocument(f.writeFile("a.asm", many)));
        QVERIFY(docs.OpenDocument(f.writeFile("b.asm", "b\r\n")));
        docs.makeCurrent(0);
        f.window->editor().setSelection(40, 5);
        f.window->editor().scrollLines(120 - f.window->editor().firstVisibleLine());
        const int top = f.window->editor().firstVisibleLine();
        docs.makeCurrent(1);
        QCOMPARE(f.window->editor().bytes(), QByteArray("b\r\n"));
        docs.makeCurrent(0);
        QCOMPARE(f.window->editor().selectionStart(), 40);
        QCOMPARE(f.window->editor().selectionLength(), 5);
        QCOMPARE(f.window->editor().firstVisibleLine(), top);
        QVERIFY(!docs.current().Modified);
        QVERIFY(!docs.at(1).Modified);
    }

    void closeAllStopsAtTheFirstRefusal() {
        MainWindowFixture f;
        auto& docs = f.window->documents();
        for (int i = 0; i < 3; ++i)
            QVERIFY(docs.OpenDocument(f.writeFile(QString("d%1.asm").arg(i), "x")));
        docs.makeCurrent(1);
        f.type("edit");
        f.services.expectMessage(MsgResult::Cancel);
        QVERIFY(!docs.MNU_File_CloseAllClick());
        QCOMPARE(f.tabCaptions(), QStringList({"d0.asm", "d1.asm*"}));
        QCOMPARE(docs.CurrentIndex(), 1);
    }

    void theSetRefusesA256thDocument() {
        MainWindowFixture f;
        auto& docs = f.window->documents();
        for (int i = 0; i < MaxDocuments; ++i) {
            f.type("x");
            QVERIFY(docs.NewDocument("[Untitled]") || i == MaxDocuments - 1);
        }
        QCOMPARE(docs.DocumentCount(), MaxDocuments);
        QVERIFY(!docs.NewDocument("[Untitled]"));
        QCOMPARE(docs.DocumentCount(), MaxDocuments);
        QCOMPARE(f.services.messages.last().icon, MsgIcon::Error);
        QVERIFY(!docs.OpenDocument(f.writeFile("one.asm", "x")));
        QCOMPARE(docs.DocumentCount(), MaxDocuments);
    }

    void windowCloseAsksLastTabFirstAndCancelKeepsItOpen() {
        MainWindowFixture f;
        auto& docs = f.window->documents();
        QVERIFY(docs.OpenDocument(f.writeFile("a.asm", "a")));
        f.type("1");
        QVERIFY(docs.OpenDocument(f.writeFile("b.asm", "b")));
        f.type("2");
        f.services.expectMessage(MsgResult::No);
        f.services.expectMessage(MsgResult::Cancel);
        QVERIFY(!f.window->close());
        QCOMPARE(f.services.messages[0].text, "Save Changes to <" + f.path("b.asm") + "> ?");
        QCOMPARE(f.services.messages[1].text, "Save Changes to <" + f.path("a.asm") + "> ?");
        QCOMPARE(f.tabCaptions(), QStringList{"a.asm*"});
        QVERIFY(f.window->isVisible());
        QVERIFY(!f.store.keyExists("") || f.store.readInt("", "WinState") == 2);
    }

    void closeStoresThePlacementOfANormalWindowOnly() {
        MainWindowFixture f;
        f.window->setWindowState(Qt::WindowNoState);
        f.window->setGeometry(50, 60, 700, 500);
        QVERIFY(f.window->close());
        QCOMPARE(f.store.readInt("", "WinState"), 0);
        QCOMPARE(f.store.readInt("", "WinWidth"), f.window->width());
        QCOMPARE(f.store.readInt("", "WinHeight"), f.window->height());

        MainWindowFixture g;
        g.store.writeInt("", "WinWidth", 612);
        g.window->setWindowState(Qt::WindowMaximized);
        QVERIFY(g.window->close());
        QCOMPARE(g.store.readInt("", "WinState"), 2);
        QCOMPARE(g.store.readInt("", "WinWidth"), 612);
    }

    void exitAsksForEachModifiedDocumentAfterItsQuestion() {
        MainWindowFixture f;
        f.type("first");
        f.window->documents().NewDocument(UntitledName);
        f.type("second");
        f.services.expectMessage(MsgResult::No);
        f.window->menus().MNU_File_Exit->trigger();
        QCOMPARE(f.quitCalls, 0);
        QCOMPARE(f.services.messages.size(), 1);

        // Cancel in the first save prompt keeps both documents and the editor.
        f.services.expectMessage(MsgResult::Yes);
        f.services.expectMessage(MsgResult::Cancel);
        f.window->menus().MNU_File_Exit->trigger();
        QCOMPARE(f.quitCalls, 0);
        QCOMPARE(f.services.messages.size(), 3);
        QCOMPARE(f.services.messages[1].text, QString("Are you sure you want to quit ?"));
        QCOMPARE(f.services.messages[1].caption, QString("Exit Quaredit"));
        QCOMPARE(f.services.messages[1].buttons, MsgButtons::YesNo);
        QCOMPARE(f.services.messages[2].text, QString("Save Changes to <[Untitled]> ?"));
        QCOMPARE(f.window->documents().DocumentCount(), 2);
        QCOMPARE(f.window->editor().text(), QString("second"));

        // Both prompts, the last tab first, as the close box asks; then it quits.
        f.services.expectMessage(MsgResult::Yes);
        f.services.expectMessage(MsgResult::No);
        f.services.expectMessage(MsgResult::No);
        f.window->menus().MNU_File_Exit->trigger();
        QCOMPARE(f.quitCalls, 1);
        QCOMPARE(f.services.messages.size(), 6);
        QCOMPARE(f.services.messages[4].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(f.services.messages[5].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(f.services.pendingAnswers(), 0);
    }

    void menuShortcutsWinOverTheEditorsOwnKeys() {
        MainWindowFixture f;
        f.window->editor().insertLineBefore(0, "first");
        f.window->editor().insertLineBefore(1, "second");
        const QString before = f.window->editor().text();
        int closes = 0;
        QObject::connect(f.window->menus().MNU_File_Close, &QAction::triggered, [&] { ++closes; });
        f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.editor()->setFocus();
        // Ctrl+T would transpose two lines in the editor; it opens the character table instead.
        QTest::keyClick(f.editor(), Qt::Key_T, Qt::ControlModifier);
        QTest::keyClick(f.editor(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.window->editor().text(), before);
        QCOMPARE(closes, 1);
    }

    void commandLineJoinsArgumentsAndKeepsCase() {
        QTemporaryDir dir;
        const QString folder = dir.filePath("My Dir");
        QVERIFY(QDir().mkpath(folder));
        QFile file(folder + "/Game.ASM");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("x");
        file.close();
        MainWindowFixture f(true, {dir.path() + "/My", "Dir/Game.ASM"});
        QCOMPARE(f.tabCaptions(), QStringList{"Game.ASM"});
        QVERIFY(f.window->documents().current().OnDisk);
        QVERIFY(f.window->settings().RecentFiles.isEmpty());
        // .ASM is not a program source: no compile command.
        QVERIFY(!f.window->menus().MNU_Quaro->menuAction()->isVisible());
    }
};

QTEST_MAIN(TestDocuments)
#include "tst_documents.moc"
