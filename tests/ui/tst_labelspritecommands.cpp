#include "support/MainWindowFixture.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editing/EditorServices.h"
#include "ui/editor/EditorAccess.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

using namespace quaredit;

namespace {

// 300 lines: a few labels, the one of interest on line 120.
QByteArray longProgram() {
    QByteArray text;
    for (int i = 0; i < 300; ++i) {
        if (i == 0)
            text += "start:\tmove.l\td0,d1\r\n";
        else if (i == 120)
            text += "target:\tnop\r\n";
        else if (i == 200)
            text += "\\local\trts\r\n";
        else
            text += "\tnop\t; filler " + QByteArray::number(i) + "\r\n";
    }
    return text;
}

QByteArray numberedLines(int count) {
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += "line" + QByteArray::number(i) + "\r\n";
    return text;
}

template <typename T> T* control(QDialog& d, const char* name) {
    auto* w = d.findChild<T*>(QLatin1String(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

// Selects the listed name and presses OK; the dialog's own answer is the result.
int chooseName(QDialog& d, const QString& name) {
    auto* list = control<QListView>(d, "LblList");
    const auto found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, name, 1,
                                            Qt::MatchExactly);
    if (found.isEmpty())
        return QDialog::Rejected;
    list->setCurrentIndex(found.first());
    QTest::mouseClick(control<QPushButton>(d, "BtOK"), Qt::LeftButton);
    return d.result();
}

} // namespace

class TestLabelSpriteCommands : public QObject {
    Q_OBJECT

    static void placeCaret(MainWindowFixture& f, int line, int column) {
        f.window->editor().setSelectionStart(f.window->editor().offsetOfLine(line) + column);
        f.window->editorServices().UpdateCaretStatus();
    }
    static int caretColumn(MainWindowFixture& f) {
        int line = 0, column = 0;
        f.editor()->getCursorPosition(&line, &column);
        return column;
    }

private slots:
    void labelsWindowOnlyForSourcesAndHeaders() {
        MainWindowFixture f;
        f.window->documents().OpenDocument(f.writeFile("notes.txt", "label: here\r\n"));
        f.window->menus().MNU_Tools_LblVarWin->trigger();
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].text,
                 QStringLiteral("You can only use this function with ASM and INCLUDE files."));
        QCOMPARE(f.services.messages[0].caption, QStringLiteral("Labels & Variables Window"));
        QCOMPARE(f.services.messages[0].icon, MsgIcon::Error);
        QVERIFY(f.services.dialogs.isEmpty());

        f.window->documents().OpenDocument(f.writeFile("defs.h", "WIDTH\tequ\t10\r\n"));
        f.services.onDialog([](QDialog& d) {
            return control<QLabel>(d, "InfoLbl")->text() == QStringLiteral("Items Found : 1")
                       ? chooseName(d, QStringLiteral("WIDTH"))
                       : int(QDialog::Rejected);
        });
        f.window->menus().MNU_Tools_LblVarWin->trigger();
        QCOMPARE(f.services.dialogs, QStringList{"LblWinFrm"});
        QCOMPARE(f.window->documents().current().CaretLine, 0);
        QCOMPARE(f.services.messages.size(), 1);
    }

    void choosingANameJumpsToItsLineAtTheTop() {
        MainWindowFixture f;
        f.window->documents().OpenDocument(f.writeFile("prog.asm", longProgram()));
        placeCaret(f, 5, 3);
        const QString before = f.window->editor().text();
        f.services.onDialog([](QDialog& d) {
            // Sorted, the name still leads to its own line.
            QTest::mouseClick(control<QCheckBox>(d, "AlphOrder"), Qt::LeftButton);
            return chooseName(d, QStringLiteral("target:"));
        });
        f.window->menus().MNU_Tools_LblVarWin->trigger();
        QCOMPARE(f.window->documents().current().CaretLine, 120);
        QCOMPARE(caretColumn(f), 0);
        QCOMPARE(f.window->editor().firstVisibleLine(), 120);
        QCOMPARE(f.window->statusPanel(0)->text(), QStringLiteral("121 : 1"));
        // A jump is no edit.
        QCOMPARE(f.window->editor().text(), before);
        QVERIFY(!f.window->documents().current().Modified);
    }

    void cancelAndOkWithoutChoiceLeaveTheCaret() {
        MainWindowFixture f;
        f.window->documents().OpenDocument(f.writeFile("prog.asm", longProgram()));
        placeCaret(f, 40, 2);
        f.services.onDialog([](QDialog& d) {
            QTest::mouseClick(control<QPushButton>(d, "BtCancel"), Qt::LeftButton);
            return d.result();
        });
        f.services.onDialog([](QDialog& d) {
            QTest::mouseClick(control<QPushButton>(d, "BtOK"), Qt::LeftButton);
            return d.result();
        });
        f.window->menus().MNU_Tools_LblVarWin->trigger();
        f.window->menus().POPUPED_LabVarWin->trigger();
        QCOMPARE(f.services.dialogs.size(), 2);
        QCOMPARE(f.window->documents().current().CaretLine, 40);
        QCOMPARE(caretColumn(f), 2);
    }

    void doubleClickAwayFromNamesGoesToTheCaretLine() {
        MainWindowFixture f;
        f.window->documents().OpenDocument(f.writeFile("prog.asm", longProgram()));
        placeCaret(f, 150, 4);
        f.services.onDialog([](QDialog& d) {
            auto* list = control<QListView>(d, "LblList");
            const QPoint below(5, list->viewport()->height() - 3);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, below);
            return d.result();
        });
        f.window->menus().MNU_Tools_LblVarWin->trigger();
        QCOMPARE(f.window->documents().current().CaretLine, 150);
        QCOMPARE(caretColumn(f), 0);
        QCOMPARE(f.window->editor().firstVisibleLine(), 150);
    }

    void spriteIsInsertedAtTheCaretLineAsOneUndoStep() {
        MainWindowFixture f;
        f.window->documents().OpenDocument(f.writeFile("gfx.asm", numberedLines(20)));
        placeCaret(f, 10, 3);
        const QString before = f.window->editor().text();
        f.services.onDialog([](QDialog& d) {
            QTest::keyClicks(control<QLineEdit>(d, "edName"), "ship");
            control<QLineEdit>(d, "edH")->setText(QStringLiteral("3"));
            QTest::mouseClick(control<QPushButton>(d, "BtOK"), Qt::LeftButton);
            return d.result();
        });
        f.window->menus().MNU_Tools_NewSprite->trigger();

        EditorAccess& ed = f.window->editor();
        QCOMPARE(ed.lineCount(), 21 + 4); // the file ends with a line break
        QCOMPARE(ed.line(9), QStringLiteral("line9"));
        QCOMPARE(ed.line(10), QStringLiteral("ship:"));
        for (int i = 11; i <= 13; ++i)
            QCOMPARE(ed.line(i), QStringLiteral("\tdc.b\t%00000000"));
        QCOMPARE(ed.line(14), QStringLiteral("line10"));
        // The caret stayed on its text, which moved down.
        QCOMPARE(f.window->documents().current().CaretLine, 14);
        QVERIFY(f.window->documents().current().Modified);
        QCOMPARE(f.tabCaption(0), QStringLiteral("gfx.asm*"));
        QVERIFY(ed.text().contains(QStringLiteral("ship:\r\n\tdc.b")));

        f.editor()->undo();
        QCOMPARE(ed.text(), before);
    }

    void cancelledOrRefusedSpriteWritesNothing() {
        MainWindowFixture f;
        f.window->documents().OpenDocument(f.writeFile("gfx.asm", numberedLines(5)));
        const QString before = f.window->editor().text();
        f.services.onDialog([](QDialog& d) {
            QTest::keyClicks(control<QLineEdit>(d, "edName"), "ship");
            QTest::mouseClick(control<QPushButton>(d, "BtCancel"), Qt::LeftButton);
            return d.result();
        });
        f.services.onDialog([](QDialog& d) {
            // A zero height is refused and the dialog stays; then its close box.
            control<QLineEdit>(d, "edH")->setText(QString());
            QTest::mouseClick(control<QPushButton>(d, "BtOK"), Qt::LeftButton);
            return d.isVisible() ? int(QDialog::Rejected) : d.result();
        });
        f.window->menus().MNU_Tools_NewSprite->trigger();
        f.window->menus().MNU_Tools_NewSprite->trigger();
        QCOMPARE(f.window->editor().text(), before);
        QVERIFY(!f.window->documents().current().Modified);
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].text,
                 QStringLiteral("The height of the sprite can't be 0"));
    }

    void spriteWorksInAnyDocument() {
        MainWindowFixture f; // the start-up "[Untitled]" document
        f.services.onDialog([](QDialog& d) {
            QTest::keyClicks(control<QLineEdit>(d, "edName"), "pic");
            QTest::mouseClick(control<QPushButton>(d, "BtOK"), Qt::LeftButton);
            return d.result();
        });
        f.window->menus().MNU_Tools_NewSprite->trigger();
        EditorAccess& ed = f.window->editor();
        QCOMPARE(ed.line(0), QStringLiteral("pic:"));
        QCOMPARE(ed.line(8), QStringLiteral("\tdc.b\t%00000000"));
        QCOMPARE(ed.lineCount(), 10);
        QCOMPARE(f.tabCaption(0), QStringLiteral("[Untitled]*"));
    }
};

QTEST_MAIN(TestLabelSpriteCommands)
#include "tst_labelspritecommands.moc"
