#include "core/tools/Wizard.h"
#include "support/MainWindowFixture.h"
#include "ui/common/TInputFrm.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editor/EditorAccess.h"
#include "ui/project/ProjectTree.h"
#include "ui/tools/LibraryTools.h"
#include "ui/tools/TLibWindowFrm.h"
#include "ui/tools/TPrjWizardFrm.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

using namespace quaredit;

namespace {

// A program long enough to scroll: its libraries, the xdef block, then code.
QByteArray longProgram(const QByteArray& head) {
    QByteArray text = head;
    for (int i = 0; i < 150; ++i)
        text += "\tmove.w\t#" + QByteArray::number(i) + ",d0\r\n";
    return text + "\trts\r\n";
}

const QByteArray programHead = "; demo\r\n\tinclude\t\"a.h\"\r\n\tinclude\t\"c.h\"\r\n"
                               "\txdef\t_main\r\n\tinclude\t\"d.h\"\r\n_main:\r\n";
const QByteArray libraryHead = "\tinclude\t\"tios.h\"\r\n\txdef\t_library\r\n\txdef\tgfx@0000\r\n"
                               "\r\ngfx@0000:\r\n";

int caretLine(TPFrm& w) {
    return w.editor().lineOfOffset(w.editor().caretPosition());
}

void putCaret(TPFrm& w, int line, int topLine) {
    w.editor().setSelectionStart(w.editor().offsetOfLine(line));
    w.editor().scrollLines(topLine - w.editor().firstVisibleLine());
}

// One Ctrl+Z must bring the text back and leave nothing more to undo.
void checkOneUndoRestores(MainWindowFixture& f, const QByteArray& before) {
    f.editor()->undo();
    QCOMPARE(f.window->editor().bytes(), before);
    QVERIFY(!f.editor()->isUndoAvailable());
}

int clickOk(TLibWindowFrm& frm) {
    QTest::mouseClick(frm.OkBt, Qt::LeftButton);
    return frm.result();
}

} // namespace

class TestLibraryTools : public QObject {
    Q_OBJECT

    // Headers in <fixture>/include/, the include folder of the settings.
    static void makeIncludeFolder(MainWindowFixture& f) {
        QVERIFY(QDir().mkpath(f.path("include")));
        for (const char* name : {"a.h", "b.h", "c.h", "d.h"})
            f.writeFile(QString("include/") + name, "; header\r\n");
        f.window->settings().CompilatorPath = f.dir.path() + "/";
        f.window->settings().IncludePath = "include/";
    }

private slots:
    void libraryWindowRewritesTheIncludes() {
        MainWindowFixture f;
        makeIncludeFolder(f);
        const QByteArray before = longProgram(programHead);
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("prog.asm", before)));
        putCaret(*f.window, 100, 90);
        f.services.onDialog([](QDialog& d) {
            auto& frm = static_cast<TLibWindowFrm&>(d);
            frm.LibList->setCurrentRow(1); // b.h
            QTest::mouseClick(frm.AddBt, Qt::LeftButton);
            return clickOk(frm);
        });
        f.window->libWindowButton()->click();
        QCOMPARE(f.services.dialogs, QStringList{"LibWindowFrm"});
        const QByteArray expected = longProgram(
            "; demo\r\n\tinclude\t\"a.h\"\r\n\tinclude\t\"b.h\"\r\n\tinclude\t\"c.h\"\r\n"
            "\txdef\t_main\r\n\tinclude\t\"d.h\"\r\n_main:\r\n");
        QCOMPARE(f.window->editor().bytes(), expected);
        QCOMPARE(caretLine(*f.window), 101); // the caret stays with its text
        QCOMPARE(f.window->documents().current().CaretLine, 101);
        QCOMPARE(f.window->editor().firstVisibleLine(), 91); // the same text stays on top
        QCOMPARE(f.tabCaptions(), QStringList{"prog.asm*"});
        checkOneUndoRestores(f, before);
    }

    void removingEveryLibraryFromThePopupMenu() {
        MainWindowFixture f;
        makeIncludeFolder(f);
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("prog.asm", programHead)));
        f.services.onDialog([](QDialog& d) {
            auto& frm = static_cast<TLibWindowFrm&>(d);
            while (frm.SelectedLibs->count() > 0) {
                frm.SelectedLibs->setCurrentRow(0);
                QTest::mouseClick(frm.RemoveBt, Qt::LeftButton);
            }
            return clickOk(frm);
        });
        f.window->menus().POPUPED_LibWin->trigger();
        QCOMPARE(f.services.dialogs, QStringList{"LibWindowFrm"}); // shown once
        QCOMPARE(f.window->editor().bytes(),
                 QByteArray("; demo\r\n\txdef\t_main\r\n\tinclude\t\"d.h\"\r\n_main:\r\n"));
        checkOneUndoRestores(f, programHead);
    }

    void editOpensTheHeaderAndLeavesTheProgram() {
        MainWindowFixture f;
        makeIncludeFolder(f);
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("prog.asm", programHead)));
        f.services.onDialog([](QDialog& d) {
            auto& frm = static_cast<TLibWindowFrm&>(d);
            frm.LibList->setCurrentRow(3); // d.h
            QTest::mouseClick(frm.EditBt, Qt::LeftButton);
            return frm.result();
        });
        f.window->menus().MNU_Tools_LibWin->trigger();
        QCOMPARE(f.tabCaptions(), (QStringList{"prog.asm", "d.h"}));
        QCOMPARE(f.window->documents().current().FullPath, f.path("include/d.h"));
        QCOMPARE(f.window->documents().at(0).Modified, false);
        f.window->documents().makeCurrent(0);
        QCOMPARE(f.window->editor().bytes(), programHead);
    }

    void programWithoutXdefIsRefused() {
        MainWindowFixture f;
        makeIncludeFolder(f);
        const QByteArray text = "\tinclude\t\"a.h\"\r\n_main:\r\n";
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("prog.asm", text)));
        f.window->menus().MNU_Tools_LibWin->trigger();
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].caption, QString("FORMAT ERROR"));
        QVERIFY(f.services.dialogs.isEmpty());
        QCOMPARE(f.window->editor().bytes(), text);
        QCOMPARE(f.tabCaptions(), QStringList{"prog.asm"});
    }

    void libraryEntryAtTheCaret_data() {
        QTest::addColumn<int>("caret");
        QTest::addColumn<QByteArray>("expectedHead");
        QTest::addColumn<int>("expectedCaret");
        // Line 3 is empty, line 4 is "gfx@0000:".
        QTest::newRow("empty caret line becomes the label")
            << 3
            << QByteArray("\tinclude\t\"tios.h\"\r\n\txdef\t_library\r\n\txdef\tgfx@0000\r\n"
                          "\txdef\tgfx@0001\r\ngfx@0001\r\ngfx@0000:\r\n")
            << 4;
        QTest::newRow("name inserted above a non-empty line")
            << 4
            << QByteArray("\tinclude\t\"tios.h\"\r\n\txdef\t_library\r\n\txdef\tgfx@0000\r\n"
                          "\txdef\tgfx@0001\r\n\r\ngfx@0001\r\ngfx@0000:\r\n")
            << 6;
    }
    void libraryEntryAtTheCaret() {
        QFETCH(int, caret);
        QFETCH(QByteArray, expectedHead);
        QFETCH(int, expectedCaret);
        MainWindowFixture f;
        const QByteArray before = longProgram(libraryHead) + "_library\tdc.b\t\"gfx\",0\r\n";
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("gfx.asm", before)));
        QVERIFY(f.window->menus().MNU_Tools_NewLibEntry->isVisible());
        // The view shows the end of the file; the edit happens near the top.
        putCaret(*f.window, caret, 60);
        f.services.onDialog([](QDialog& d) {
            auto& input = static_cast<TInputFrm&>(d);
            input.Txt->setText("gfx@0001");
            QTest::mouseClick(input.BtOK, Qt::LeftButton);
            return input.result();
        });
        f.window->menus().MNU_Tools_NewLibEntry->trigger();
        QCOMPARE(f.window->inputFrm().windowTitle(), QString("Insert Library Entry :"));
        QVERIFY(!f.window->inputFrm().digitsOnly());
        const QByteArray tail = before.mid(libraryHead.size());
        QCOMPARE(f.window->editor().bytes(), expectedHead + tail);
        QCOMPARE(caretLine(*f.window), expectedCaret);
        QCOMPARE(f.window->editor().firstVisibleLine(), 60);
        QCOMPARE(f.tabCaptions(), QStringList{"gfx.asm*"});
        checkOneUndoRestores(f, before);
    }

    void libraryEntryNeedsALibraryAndAnAnswer() {
        MainWindowFixture f;
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("prog.asm", programHead)));
        f.window->menus().MNU_Tools_NewLibEntry->trigger(); // not a library: not even asked
        QVERIFY(f.services.dialogs.isEmpty());
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("gfx.asm", libraryHead)));
        f.services.onDialog([](QDialog&) { return int(QDialog::Rejected); });
        f.window->menus().MNU_Tools_NewLibEntry->trigger();
        QCOMPARE(f.services.dialogs, QStringList{"InputFrm"});
        QCOMPARE(f.window->editor().bytes(), libraryHead);
        QCOMPARE(f.tabCaptions(), (QStringList{"prog.asm", "gfx.asm"}));
    }

    void wizardStartsALibrary() {
        MainWindowFixture f;
        makeIncludeFolder(f);
        QVERIFY(
            QFile::copy(QStringLiteral(QUAREDIT_SOURCE_DIR "/data/lib.wiz"), f.path("lib.wiz")));
        f.services.onDialog([](QDialog& d) {
            auto& wiz = static_cast<TPrjWizardFrm&>(d);
            wiz.LibOpt->setChecked(true);
            QTest::mouseClick(wiz.NextBt, Qt::LeftButton);
            wiz.PrgName->setText("gfx");
            QTest::mouseClick(wiz.NextBt, Qt::LeftButton);
            wiz.rdQuaro->setChecked(true);
            wiz.optTI89->setChecked(true);
            QTest::mouseClick(wiz.NextBt, Qt::LeftButton);
            return wiz.result();
        });
        QStringList listed;
        f.services.onDialog([&](QDialog& d) {
            auto& frm = static_cast<TLibWindowFrm&>(d);
            listed = frm.selectedLibraries();
            frm.LibList->setCurrentRow(0); // a.h
            QTest::mouseClick(frm.AddBt, Qt::LeftButton);
            return clickOk(frm);
        });
        f.window->menus().MNU_File_Wizard->trigger();
        QCOMPARE(f.services.dialogs, (QStringList{"PrjWizardFrm", "LibWindowFrm"}));
        QCOMPARE(listed, QStringList{"tios.h"});

        QFile tpl(f.path("lib.wiz"));
        QVERIFY(tpl.open(QIODevice::ReadOnly));
        WizardAnswers answers;
        answers.kind = WizardKind::Library;
        answers.text = "gfx";
        answers.ti89 = true;
        QStringList lines = FillTemplate(templateLines(tpl.readAll()), answers);
        lines.insert(lines.indexOf("\tinclude\t\"tios.h\""), "\tinclude\t\"a.h\"");
        QCOMPARE(f.window->editor().text(), lines.join("\r\n"));

        const Document& doc = f.window->documents().current();
        QCOMPARE(doc.ShortFileName, QString("[Untitled]"));
        QCOMPARE(doc.Kind, DocumentKind::ProgramSource);
        QVERIFY(doc.IsLibrary);
        QVERIFY(doc.Modified);
        QCOMPARE(f.tabCaptions(), QStringList{"[Untitled]*"});
        QVERIFY(f.window->menus().MNU_Tools_NewLibEntry->isVisible());
        QCOMPARE(ProjectTree::iconOf(f.window->projectTree().currentNodes().root), 2); // a library
        // Two edits: the filled template, then the library window's rewrite.
        f.editor()->undo();
        f.editor()->undo();
        QCOMPARE(f.window->editor().length(), 0);
    }

    void wizardProgramKeepsAHeaderChosenWithEditClosed() {
        MainWindowFixture f;
        makeIncludeFolder(f);
        QVERIFY(
            QFile::copy(QStringLiteral(QUAREDIT_SOURCE_DIR "/data/prg.wiz"), f.path("prg.wiz")));
        f.services.onDialog([](QDialog& d) {
            auto& wiz = static_cast<TPrjWizardFrm&>(d);
            wiz.PrgOpt->setChecked(true);
            QTest::mouseClick(wiz.NextBt, Qt::LeftButton);
            wiz.PrgName->setText("Demo");
            QTest::mouseClick(wiz.NextBt, Qt::LeftButton);
            QTest::mouseClick(wiz.NextBt, Qt::LeftButton);
            return wiz.result();
        });
        f.services.onDialog([](QDialog& d) {
            auto& frm = static_cast<TLibWindowFrm&>(d);
            frm.LibList->setCurrentRow(0);
            QTest::mouseClick(frm.EditBt, Qt::LeftButton);
            return frm.result();
        });
        f.window->menus().MNU_File_Wizard->trigger();
        QCOMPARE(f.tabCaptions(), QStringList{"[Untitled]*"});
        QVERIFY(f.window->editor().text().contains("_comment\tdc.b\t\"Demo\",0"));
        QVERIFY(!f.window->documents().current().IsLibrary);
        QCOMPARE(f.window->editor().caretPosition(), 0);
    }

    void cancelledWizardChangesNothing() {
        MainWindowFixture f;
        f.services.onDialog([](QDialog&) { return int(QDialog::Rejected); });
        f.window->menus().MNU_File_Wizard->trigger();
        QCOMPARE(f.services.dialogs, QStringList{"PrjWizardFrm"});
        QCOMPARE(f.tabCaptions(), QStringList{"[Untitled]"});
        QCOMPARE(f.window->documents().current().Kind, DocumentKind::Other);
    }
};

QTEST_MAIN(TestLibraryTools)
#include "tst_librarytools.moc"
