#include "support/MainWindowFixture.h"
#include "ui/common/TInputFrm.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editing/EditMenuCommands.h"
#include "ui/editing/EditorServices.h"
#include "ui/editing/FindDialog.h"
#include "ui/editor/EditorAccess.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

using namespace quaredit;

namespace {

using Message = FakeWindowServices::Message;

QString lines(int count) {
    QStringList all;
    for (int i = 1; i <= count; ++i)
        all << QString("line %1").arg(i);
    return all.join("\r\n") + "\r\n";
}

// Puts `text` into the current document as if it had been typed.
void setText(MainWindowFixture& f, const QString& text) {
    f.editor()->setText(text);
    f.window->editor().setSelectionStart(0);
}

// The caret status after the editor has handled the events sent so far.
QString caretStatus(MainWindowFixture& f) {
    QCoreApplication::processEvents();
    return f.window->statusPanel(0)->text();
}

void keys(QWidget* w, Qt::Key key, int times, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    for (int i = 0; i < times; ++i)
        QTest::keyClick(w, key, mods);
}

} // namespace

class TestEditMenuCommands : public QObject {
    Q_OBJECT

    // Presses find-next in the find dialog as the user does.
    static void findNext(MainWindowFixture& f, const QString& needle, bool wholeWord = false,
                         bool matchCase = false) {
        FindDialog& dlg = f.window->editingAids().findDialog();
        dlg.findEdit()->setText(needle);
        dlg.wholeWordBox()->setChecked(wholeWord);
        dlg.matchCaseBox()->setChecked(matchCase);
        QTest::mouseClick(dlg.findNextButton(), Qt::LeftButton);
    }

    // Runs Goto Line, typing `typed` into the input dialog and closing it with OK or Cancel.
    static void gotoLine(MainWindowFixture& f, const QString& typed, bool ok = true) {
        f.services.onDialog([typed, ok](QDialog& d) {
            auto& input = static_cast<TInputFrm&>(d);
            input.Txt->selectAll();
            QTest::keyClick(input.Txt, Qt::Key_Delete);
            QTest::keyClicks(input.Txt, typed);
            return ok ? QDialog::Accepted : QDialog::Rejected;
        });
        f.window->menus().MNU_Edit_GotoLine->trigger();
    }

private slots:
    void statusFollowsKeysAndSelections() {
        MainWindowFixture f;
        QsciScintilla* ed = f.editor();
        setText(f, "line one\r\nline two is long\r\nthree\r\nfour four\r\nfive\r\n");
        ed->setFocus();
        QCOMPARE(caretStatus(f), QString("1 : 1"));

        // A tab and two letters typed at the start of line 3.
        keys(ed, Qt::Key_Down, 2);
        QTest::keyClick(ed, Qt::Key_Tab);
        QTest::keyClicks(ed, "xy");
        QCOMPARE(f.window->editor().line(2), QString("\txythree"));
        QCOMPARE(caretStatus(f), QString("3 : 4"));
        QVERIFY(f.window->documents().current().Modified);

        // Line 2 column 5 to line 4 column 2, made forward: the end counts.
        const QString selected = " two is long\r\n\txythree\r\nf";
        ed->setSelection(1, 4, 3, 2);
        QTest::keyClick(ed, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(f.window->editor().selectedText(), selected);
        QCOMPARE(caretStatus(f), QString("4 : 2"));

        // The same selection made backward: its start counts.
        ed->setSelection(3, 1, 1, 5);
        QTest::keyClick(ed, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(f.window->editor().selectedText(), selected);
        QCOMPARE(caretStatus(f), QString("2 : 5"));
    }

    void statusFollowsMouseClicks() {
        MainWindowFixture f;
        f.window->resize(800, 600);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QsciScintilla* ed = f.editor();
        setText(f, "first\r\nsecond\r\nthird\r\n");
        const long pos = ed->positionFromLineIndex(2, 3);
        const QPoint at(
            int(ed->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, pos)) + 1,
            int(ed->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, pos)) + 2);
        QTest::mouseClick(ed->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(caretStatus(f), QString("3 : 4"));
    }

    void insertAtCaretUsesTheLastCaretStatus() {
        MainWindowFixture f;
        setText(f, "first\r\nabcdef\r\n");
        f.editor()->setCursorPosition(1, 3);
        f.window->editorServices().UpdateCaretStatus();
        f.window->editorServices().InsertAtCaret("#65");
        QCOMPARE(f.window->editor().line(1), QString("abc#65def"));
        int line = 0, index = 0;
        f.editor()->getCursorPosition(&line, &index);
        QCOMPARE(QPoint(index, line), QPoint(6, 1));
        QVERIFY(!f.editor()->hasSelectedText());
        QCOMPARE(f.window->statusPanel(0)->text(), QString("2 : 7"));
        QCOMPARE(f.tabCaptions(), QStringList{"[Untitled]*"});
    }

    void clipboardCommandsEditTheText() {
        MainWindowFixture f;
        const MenuMap& m = f.window->menus();
        setText(f, "abcd");
        f.window->editor().setSelection(1, 2);
        m.MNU_Edit_Copy->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("bc"));
        QCOMPARE(f.window->editor().text(), QString("abcd"));

        m.MNU_Edit_Cut->trigger();
        QCOMPARE(f.window->editor().text(), QString("ad"));
        QVERIFY(f.window->documents().current().Modified);

        f.window->editor().setSelectionStart(2);
        m.MNU_Edit_Paste->trigger();
        QCOMPARE(f.window->editor().text(), QString("adbc"));

        m.MNU_Edit_SelectAll->trigger();
        QCOMPARE(f.window->editor().selectionStart(), 0);
        QCOMPARE(f.window->editor().selectionLength(), 4);
    }

    void findSelectsReportsAndStartsOver() {
        MainWindowFixture f;
        setText(f, QString(100, 'x') + "needle" + QString(20, ' '));
        f.window->menus().MNU_Edit_Find->trigger();
        FindDialog& dlg = f.window->editingAids().findDialog();
        QVERIFY(dlg.isVisible());
        QVERIFY(!dlg.isModal());

        findNext(f, "needle");
        QCOMPARE(f.window->editor().selectionStart(), 100);
        QCOMPARE(f.window->editor().selectionLength(), 6);
        QCOMPARE(f.window->editingAids().searchStart(), qsizetype(101));
        QVERIFY(f.services.messages.isEmpty());

        findNext(f, "needle");
        QCOMPARE(f.services.messages, (QList<Message>{{"Text Not Found", "Find...",
                                                       MsgIcon::Information, MsgButtons::Ok}}));
        QCOMPARE(f.window->editingAids().searchStart(), qsizetype(0));
        QVERIFY(dlg.isVisible());

        findNext(f, "needle");
        QCOMPARE(f.window->editor().selectionStart(), 100);
        QCOMPARE(f.services.messages.size(), 1);
    }

    void findOptions_data() {
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<int>("selected");
        // "\tlea address,a0\r\n\tADD d0,d1\r\n\tadd d1,d2\r\n"
        QTest::newRow("inside a word, any case") << false << false << 5;
        QTest::newRow("whole word, any case") << true << false << 18;
        QTest::newRow("whole word and case") << true << true << 30;
    }
    void findOptions() {
        QFETCH(bool, wholeWord);
        QFETCH(bool, matchCase);
        QFETCH(int, selected);
        MainWindowFixture f;
        setText(f, "\tlea address,a0\r\n\tADD d0,d1\r\n\tadd d1,d2\r\n");
        f.window->editingAids().MNU_Edit_FindClick();
        findNext(f, "add", wholeWord, matchCase);
        QCOMPARE(f.window->editor().selectionStart(), selected);
        QCOMPARE(
            f.window->statusPanel(0)->text(),
            QString("%1 : %2")
                .arg(f.window->editor().lineOfOffset(selected) + 1)
                .arg(selected -
                     f.window->editor().offsetOfLine(f.window->editor().lineOfOffset(selected)) +
                     1));
    }

    void emptySearchTextCannotBeSearched() {
        MainWindowFixture f;
        FindDialog& dlg = f.window->editingAids().findDialog();
        dlg.findEdit()->clear();
        QVERIFY(!dlg.findNextButton()->isEnabled());
        dlg.findEdit()->setText("a");
        QVERIFY(dlg.findNextButton()->isEnabled());
    }

    void searchStartSurvivesADocumentSwitch() {
        MainWindowFixture f;
        const QString a = f.writeFile("a.txt", QByteArray(50, 'x') + "add\r\n");
        const QString b = f.writeFile("b.txt", "add" + QByteArray(47, ' ') + "  add here\r\n");
        QVERIFY(f.window->documents().OpenDocument(a));
        findNext(f, "add");
        QCOMPARE(f.window->editingAids().searchStart(), qsizetype(51));

        QVERIFY(f.window->documents().OpenDocument(b));
        findNext(f, "add");
        QCOMPARE(f.window->editor().selectionStart(), 52);
        QCOMPARE(f.window->editingAids().searchStart(), qsizetype(53));

        // Back to a shorter text than the offset: an ordinary miss.
        f.window->documents().makeCurrent(0);
        findNext(f, "zzz");
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.window->editingAids().searchStart(), qsizetype(0));
    }

    void gotoPastTheEndLandsOnTheLastLineAtTheTop() {
        MainWindowFixture f;
        f.window->resize(800, 600);
        setText(f, lines(120));
        f.window->editor().setSelection(5, 3);
        bool digitsOnlyWhileShown = false;
        QString caption;
        f.services.onDialog([&](QDialog& d) {
            auto& input = static_cast<TInputFrm&>(d);
            digitsOnlyWhileShown = input.digitsOnly();
            caption = input.windowTitle();
            input.setText("9999");
            return int(QDialog::Accepted);
        });
        f.window->menus().MNU_Edit_GotoLine->trigger();
        QVERIFY(digitsOnlyWhileShown);
        QCOMPARE(caption, QString("Goto Line Number"));
        QVERIFY(!f.window->inputFrm().digitsOnly());

        EditorAccess& ed = f.window->editor();
        QCOMPARE(ed.selectionStart(), ed.offsetOfLine(119));
        QCOMPARE(ed.selectionLength(), 0);
        const int onScreen = int(f.editor()->SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN));
        QCOMPARE(ed.firstVisibleLine(), qMin(119, ed.lineCount() - onScreen));
        QCOMPARE(f.window->statusPanel(0)->text(), QString("120 : 1"));
        QVERIFY(f.services.messages.isEmpty());
    }

    void gotoDigitsOnlyDropsLetters() {
        MainWindowFixture f;
        setText(f, lines(30));
        gotoLine(f, "1a2");
        QCOMPARE(f.window->inputFrm().text(), QString("12"));
        QCOMPARE(f.window->editor().selectionStart(), f.window->editor().offsetOfLine(11));
        // The next caller of the shared dialog gets letters again.
        QTest::keyClicks(f.window->inputFrm().Txt, "b");
        QCOMPARE(f.window->inputFrm().text(), QString("12b"));
    }

    void gotoRefusals_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("error"); // empty: no message
        QTest::newRow("cancel moves nothing") << "5" << false << "";
        QTest::newRow("empty entry") << "" << true << "'' is not a valid integer value";
        QTest::newRow("too large for 32 bits")
            << "99999999999" << true << "'99999999999' is not a valid integer value";
    }
    void gotoRefusals() {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QString, error);
        MainWindowFixture f;
        setText(f, lines(30));
        f.window->editor().setSelectionStart(f.window->editor().offsetOfLine(7) + 2);
        f.window->editorServices().UpdateCaretStatus();
        gotoLine(f, typed, ok);
        QCOMPARE(f.window->editor().selectionStart(), f.window->editor().offsetOfLine(7) + 2);
        QCOMPARE(f.window->statusPanel(0)->text(), QString("8 : 3"));
        QVERIFY(!f.window->inputFrm().digitsOnly());
        if (error.isEmpty())
            QVERIFY(f.services.messages.isEmpty());
        else
            QCOMPARE(f.services.messages, (QList<Message>{{error, "Quaro Program Editor v2.0",
                                                           MsgIcon::Error, MsgButtons::Ok}}));
    }

    void gotoZeroOrInAnEmptyTextGoesToTheFirstLine_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("typed");
        QTest::newRow("line zero") << lines(30) << "0";
        QTest::newRow("empty text") << QString() << "7";
    }
    void gotoZeroOrInAnEmptyTextGoesToTheFirstLine() {
        QFETCH(QString, text);
        QFETCH(QString, typed);
        MainWindowFixture f;
        setText(f, text);
        f.window->editor().setSelectionStart(f.window->editor().length());
        gotoLine(f, typed);
        QCOMPARE(f.window->editor().selectionStart(), 0);
        QCOMPARE(f.window->statusPanel(0)->text(), QString("1 : 1"));
        QVERIFY(f.services.messages.isEmpty());
    }
};

QTEST_MAIN(TestEditMenuCommands)
#include "tst_editmenucommands.moc"
