#include "core/settings/KeyStore.h"
#include "support/MainWindowFixture.h"
#include "ui/about/ManualCommand.h"
#include "ui/common/MenuMap.h"
#include "ui/common/TInputFrm.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editing/EditMenuCommands.h"
#include "ui/editing/EditorFeatures.h"
#include "ui/editing/FindDialog.h"
#include "ui/editing/ReplaceCommand.h"
#include "ui/editing/ReplaceDialog.h"
#include "ui/editing/TypingAids.h"
#include "ui/editor/EditorAccess.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

using namespace quaredit;

namespace {

void setText(MainWindowFixture& f, const QString& text) {
    f.editor()->setText(text);
    f.window->editor().setSelectionStart(0);
    QCoreApplication::processEvents();
}

// One key press and release as the window system delivers them, text included.
void press(QWidget* w, Qt::Key key, const QString& text, Qt::KeyboardModifiers mods) {
    QTest::sendKeyEvent(QTest::Press, w, key, text, mods);
    QTest::sendKeyEvent(QTest::Release, w, key, text, mods);
}

void putCaretAtEnd(MainWindowFixture& f) {
    EditorAccess& e = f.window->editor();
    e.setSelectionStart(e.length());
}

} // namespace

class TestEverydayEditing : public QObject {
    Q_OBJECT

private slots:
    void commandKeysWithoutACommandTypeNothing_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("typed");
        QTest::newRow("Alt+F reaching for the File menu")
            << int(Qt::Key_F) << "f" << int(Qt::AltModifier) << "";
        QTest::newRow("Alt+S") << int(Qt::Key_S) << "s" << int(Qt::AltModifier) << "";
        QTest::newRow("Alt+H") << int(Qt::Key_H) << "h" << int(Qt::AltModifier) << "";
        QTest::newRow("Alt+Shift+F")
            << int(Qt::Key_F) << "F" << int(Qt::AltModifier | Qt::ShiftModifier) << "";
        QTest::newRow("Ctrl+1 with its digit as text")
            << int(Qt::Key_1) << "1" << int(Qt::ControlModifier) << "";
        QTest::newRow("Meta+x") << int(Qt::Key_X) << "x" << int(Qt::MetaModifier) << "";
        QTest::newRow("AltGr+Q on a German layout, as X11 sends it")
            << int(Qt::Key_At) << "@" << int(Qt::GroupSwitchModifier) << "@";
        QTest::newRow("AltGr+7 with no modifier reported")
            << int(Qt::Key_BraceLeft) << "{" << int(Qt::NoModifier) << "{";
        QTest::newRow("AltGr as Ctrl+Alt")
            << int(Qt::Key_Backslash) << "\\" << int(Qt::ControlModifier | Qt::AltModifier) << "\\";
        QTest::newRow("Shift+a") << int(Qt::Key_A) << "A" << int(Qt::ShiftModifier) << "A";
    }

    void commandKeysWithoutACommandTypeNothing() {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, modifiers);
        QFETCH(QString, typed);
        MainWindowFixture f;
        setText(f, "\tmove.l\td0,d1");
        putCaretAtEnd(f);
        f.editor()->setFocus();
        press(f.editor(), Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(f.window->editor().text(), "\tmove.l\td0,d1" + typed);
    }

    void undoAndRedoAreOfferedOnlyWhenPossible() {
        MainWindowFixture f;
        const MenuMap& m = f.window->menus();
        QVERIFY(!m.MNU_Edit_Undo->isEnabled());
        QVERIFY(!m.MNU_Edit_Redo->isEnabled());
        QCOMPARE(m.MNU_Edit_Undo->shortcut(), QKeySequence("Ctrl+Z"));
        QCOMPARE(m.MNU_Edit_Redo->shortcuts(),
                 (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
        f.type("ab");
        QCoreApplication::processEvents();
        QVERIFY(m.MNU_Edit_Undo->isEnabled());
        QVERIFY(!m.MNU_Edit_Redo->isEnabled());

        QTest::keyClick(f.editor(), Qt::Key_Z, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QVERIFY(f.window->editor().text().size() < 2);
        QVERIFY(m.MNU_Edit_Redo->isEnabled());
        while (m.MNU_Edit_Undo->isEnabled())
            m.MNU_Edit_Undo->trigger();
        QCOMPARE(f.window->editor().text(), QString());
        QTest::keyClick(f.editor(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCoreApplication::processEvents();
        QVERIFY(!f.window->editor().text().isEmpty());
        while (m.MNU_Edit_Redo->isEnabled())
            QTest::keyClick(f.editor(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(f.window->editor().text(), QString("ab"));

        // Another document has its own history.
        f.window->documents().NewDocument(UntitledName);
        QCoreApplication::processEvents();
        QVERIFY(!m.MNU_Edit_Undo->isEnabled());
        f.window->documents().makeCurrent(0);
        QCoreApplication::processEvents();
        QVERIFY(m.MNU_Edit_Undo->isEnabled());
    }

    void popupMenuOffersTheEditCommandsAroundItsOwn() {
        MainWindowFixture f;
        const MenuMap& m = f.window->menus();
        QStringList names;
        for (QAction* a : m.PopMnuEditor->actions())
            names << a->objectName();
        QCOMPARE(names.mid(0, 10),
                 (QStringList{"POPUPED_Undo", "POPUPED_Redo", "N17", "POPUPED_Cut", "POPUPED_Copy",
                              "POPUPED_Paste", "POPUPED_Delete", "POPUPED_SelectAll", "N18",
                              "POPUPED_Compil"}));
        QCOMPARE(names.last(), QString("POPUPED_Close"));

        setText(f, "one two");
        f.window->editor().setSelection(0, 4);
        emit m.PopMnuEditor->aboutToShow();
        QVERIFY(m.POPUPED_Delete->isEnabled());
        m.POPUPED_Delete->trigger();
        QCOMPARE(f.window->editor().text(), QString("two"));
        emit m.PopMnuEditor->aboutToShow();
        QVERIFY(!m.POPUPED_Cut->isEnabled());
        QVERIFY(m.POPUPED_Undo->isEnabled());
        m.POPUPED_Undo->trigger();
        QCOMPARE(f.window->editor().text(), QString("one two"));
        m.POPUPED_SelectAll->trigger();
        QCOMPARE(f.window->editor().selectionLength(), 7);
    }

    void findNextAndPreviousKeepGoingAfterTheBoxIsClosed() {
        MainWindowFixture f;
        setText(f, "Loop\r\n\tbra loop\r\n\tbra LOOP\r\n");
        FindDialog& box = f.window->editingAids().findDialog();
        f.window->menus().MNU_Edit_Find->trigger();
        box.findEdit()->setText("loop");
        box.matchCaseBox()->setChecked(true);
        QTest::mouseClick(box.findNextButton(), Qt::LeftButton);
        QCOMPARE(f.window->editor().selectionStart(), 11);
        box.close();

        f.editor()->setFocus();
        QTest::keyClick(f.window.get(), Qt::Key_F3);
        // Match case is still on: "LOOP" is not found.
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].text, QString("Text Not Found"));
        QCOMPARE(f.services.messages[0].caption, QString("Find..."));
        QCOMPARE(f.services.messages[0].icon, MsgIcon::Information);
        QTest::keyClick(f.window.get(), Qt::Key_F3);
        QCOMPARE(f.window->editor().selectionStart(), 11);
        QCOMPARE(f.window->editor().selectedText(), QString("loop"));

        box.matchCaseBox()->setChecked(false);
        QTest::keyClick(f.window.get(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(f.window->editor().selectionStart(), 0);
        QTest::keyClick(f.window.get(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(f.services.messages.size(), 2);
        // From the end again, after the miss.
        QTest::keyClick(f.window.get(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(f.window->editor().selectionStart(), 22);
        QVERIFY(!box.isVisible());
    }

    void findNextWithNothingSearchedOpensTheBox() {
        MainWindowFixture f;
        setText(f, "text");
        f.window->menus().MNU_Edit_FindNext->trigger();
        QVERIFY(f.window->editingAids().findDialog().isVisible());
        QVERIFY(f.services.messages.isEmpty());
    }

    void enterKeepsTheIndent_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        QTest::newRow("after a label alone, one tab") << "start:"
                                                      << "start:\r\n\t";
        QTest::newRow("after a label and a comment") << "loop ; again"
                                                     << "loop ; again\r\n\t";
        QTest::newRow("after an indented line, its tab") << "\tmove.l\td0,d1"
                                                         << "\tmove.l\td0,d1\r\n\t";
        QTest::newRow("tabs and blanks kept as they are") << "\t  \tnop"
                                                          << "\t  \tnop\r\n\t  \t";
        QTest::newRow("a label with its instruction, nothing") << "start:\tnop"
                                                               << "start:\tnop\r\n";
        QTest::newRow("a comment in the first column, nothing") << "; notes"
                                                                << "; notes\r\n";
    }

    void enterKeepsTheIndent() {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        MainWindowFixture f;
        setText(f, line);
        putCaretAtEnd(f);
        f.editor()->setFocus();
        QTest::keyClick(f.editor(), Qt::Key_Return);
        QCOMPARE(f.window->editor().text(), expected);
        QCOMPARE(f.window->editor().caretPosition(), f.window->editor().length());
        // One undo takes the line break and its indent away together.
        QCoreApplication::processEvents();
        f.window->menus().MNU_Edit_Undo->trigger();
        QCOMPARE(f.window->editor().text(), line);
    }

    void backspaceInTheIndentTakesOneLevel() {
        MainWindowFixture f;
        setText(f, "\t\tnop");
        f.window->editor().setSelectionStart(2);
        f.editor()->setFocus();
        QTest::keyClick(f.editor(), Qt::Key_Backspace);
        QCOMPARE(f.window->editor().text(), QString("\tnop"));
        const int width = f.editor()->indentationWidth() > 0 ? f.editor()->indentationWidth()
                                                             : f.editor()->tabWidth();
        setText(f, QString(width + 2, ' ') + "nop");
        f.window->editor().setSelectionStart(width + 2);
        QTest::keyClick(f.editor(), Qt::Key_Backspace);
        QCOMPARE(f.window->editor().text(), QString(width, ' ') + "nop");
        QTest::keyClick(f.editor(), Qt::Key_Backspace);
        QCOMPARE(f.window->editor().text(), QString("nop"));
    }

    void autoIndentOffTypesAPlainLineBreak() {
        MainWindowFixture f;
        QVERIFY(f.window->typingAids().autoIndent()); // on for a settings file without it
        f.window->createDialogs();
        f.services.onDialog([](QDialog& d) {
            auto* box = d.findChild<QCheckBox*>("AutoIndentOpt");
            if (!box || !box->isChecked() || box->text() != "Auto Indent")
                return int(QDialog::Rejected);
            box->setChecked(false);
            QTest::mouseClick(d.findChild<QPushButton*>("OkBt"), Qt::LeftButton);
            return d.result();
        });
        f.window->menus().MNU_Options_General->trigger();
        QCOMPARE(RegKey(f.store, "Options", false).readInt("AutoIndent", -1), 0);
        setText(f, "start:");
        putCaretAtEnd(f);
        f.editor()->setFocus();
        QTest::keyClick(f.editor(), Qt::Key_Return);
        QCOMPARE(f.window->editor().text(), QString("start:\r\n"));
    }

    void commentTogglesAMixedSelectionAsOneUndo() {
        MainWindowFixture f;
        const QString text = "start:\r\n\tmove.l\td0,d1\r\n; old\r\n\r\n\trts\r\nend\r\n";
        setText(f, text);
        EditorAccess& e = f.window->editor();
        // From inside the first line to the start of "end": "end" stays as it is.
        e.setSelection(2, e.offsetOfLine(5) - 2);
        f.editor()->setFocus();
        QTest::keyClick(f.window.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(e.text(),
                 QString(";start:\r\n;\tmove.l\td0,d1\r\n;; old\r\n\r\n;\trts\r\nend\r\n"));
        // The lines stay selected: a second press takes the comments away.
        QTest::keyClick(f.window.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(e.text(), text);
        QCoreApplication::processEvents();
        f.window->menus().MNU_Edit_Undo->trigger();
        QCOMPARE(e.text(),
                 QString(";start:\r\n;\tmove.l\td0,d1\r\n;; old\r\n\r\n;\trts\r\nend\r\n"));
        f.window->menus().MNU_Edit_Undo->trigger();
        QCOMPARE(e.text(), text);
    }

    void commentWithoutSelectionTogglesTheCaretLine() {
        MainWindowFixture f;
        setText(f, "\tnop\r\n\trts\r\n");
        f.window->editor().setSelectionStart(8);
        f.window->menus().MNU_Edit_Comment->trigger();
        QCOMPARE(f.window->editor().text(), QString("\tnop\r\n;\trts\r\n"));
        QCOMPARE(f.window->editor().caretPosition(), 9);
    }

    void replaceCountGoesWithTheNextEditOrCaretMove_data() {
        QTest::addColumn<QString>("then");
        QTest::newRow("undo") << "undo";
        QTest::newRow("typing") << "type";
        QTest::newRow("caret moved by a key") << "key";
        QTest::newRow("caret moved by a command") << "command";
    }
    void replaceCountGoesWithTheNextEditOrCaretMove() {
        QFETCH(QString, then);
        MainWindowFixture f;
        setText(f, "\tmove.l d0,d1\r\n\tmove.l d1,d2\r\n\tmove.l d2,d3\r\n");
        ReplaceCommand& replace = f.window->editorFeatures().replace();
        replace.dialog().findEdit()->setText("d1");
        replace.dialog().replaceEdit()->setText("d4");
        replace.replaceAll();
        QCoreApplication::processEvents();
        QLabel* status = f.window->statusPanel(1);
        // The editor's own notices after the command leave the count shown.
        QCOMPARE(status->text(), QString("2 occurrences replaced"));
        f.editor()->setFocus();
        if (then == "undo") {
            f.window->menus().MNU_Edit_Undo->trigger();
        } else if (then == "type") {
            f.type("x");
        } else if (then == "key") {
            QTest::keyClick(f.editor(), Qt::Key_Down);
        } else {
            f.services.onDialog([](QDialog& d) {
                auto& input = static_cast<TInputFrm&>(d);
                input.Txt->setText("3");
                return QDialog::Accepted;
            });
            f.window->menus().MNU_Edit_GotoLine->trigger();
        }
        QCoreApplication::processEvents();
        QCOMPARE(status->text(), QString());
    }

    void fixedSizeDialogsHaveADialogFrame() {
        MainWindowFixture f;
        f.window->createDialogs();
        for (const char* name :
             {"InputFrm", "CompilPathFrm", "OptionsFrm", "PrjWizardFrm", "LblWinFrm",
              "LibWindowFrm", "NewSpriteFrm", "AboutFrm", "UserFileFrm", "UserPrgmFrm"}) {
            auto* dialog = f.window->findChild<QDialog*>(name);
            QVERIFY2(dialog, name);
            const Qt::WindowFlags flags = dialog->windowFlags();
            QVERIFY2(flags & Qt::CustomizeWindowHint, name);
            QVERIFY2(flags & Qt::WindowCloseButtonHint, name);
            QVERIFY2(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)),
                     name);
        }
        // The character table keeps the minimise button it has always had.
        QVERIFY(f.window->findChild<QDialog*>("TblCharFrm")->windowFlags() &
                Qt::WindowMinimizeButtonHint);
    }

    void labelsWindowListsInTheEditorsFont() {
        MainWindowFixture f;
        f.window->createDialogs();
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("p.asm", "start:\r\n\trts\r\n")));
        QFont editorFont = f.editor()->font();
        editorFont.setPointSize(17); // a size no default has
        f.editor()->QWidget::setFont(editorFont);
        QFont shown;
        f.services.onDialog([&](QDialog& d) {
            shown = d.findChild<QListView*>("LblList")->font();
            return int(QDialog::Rejected);
        });
        f.window->menus().MNU_Tools_LblVarWin->trigger();
        QCOMPARE(shown.family(), editorFont.family());
        QCOMPARE(shown.pointSize(), 17);
    }

    void contentsWithoutTheManualSaysWhereItLooked() {
        MainWindowFixture f;
        f.window->menus().MNU_Help_Contents->trigger();
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].text,
                 "Cannot find the user manual " + f.path("manual.html") + ".");
        QCOMPARE(f.services.messages[0].icon, MsgIcon::Error);
        QVERIFY(!f.window->manual().window());
    }

    void editMenuKeepsItsItemsAndAddsTheNewOnes() {
        MainWindowFixture f;
        QStringList names;
        for (QAction* a : f.window->menus().MNU_Edit->actions())
            names << a->objectName();
        QCOMPARE(names, (QStringList{"MNU_Edit_Undo", "MNU_Edit_Redo", "N15", "MNU_Edit_Cut",
                                     "MNU_Edit_Copy", "MNU_Edit_Paste", "MNU_Edit_SelectAll", "N6",
                                     "MNU_Edit_GotoLine", "MNU_Edit_Find", "MNU_Edit_FindNext",
                                     "MNU_Edit_FindPrevious", "MNU_Edit_Replace", "N14",
                                     "MNU_Edit_GotoDefinition", "MNU_Edit_GoBack", "N16",
                                     "MNU_Edit_Comment"}));
        // No two actions of the window share a key.
        QHash<QKeySequence, QString> owners;
        for (QAction* a : f.window->findChildren<QAction*>())
            for (const QKeySequence& k : a->shortcuts()) {
                QVERIFY2(!owners.contains(k), qPrintable(k.toString() + " " + owners.value(k)));
                owners.insert(k, a->objectName());
            }
    }
};

QTEST_MAIN(TestEverydayEditing)
#include "tst_everydayediting.moc"
