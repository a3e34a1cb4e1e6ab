// The 68000 instruction check, help and costs through the real main window.
#include "core/settings/KeyStore.h"
#include "support/MainWindowFixture.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editing/EditorFeatures.h"
#include "ui/editing/InstructionHelp.h"
#include "ui/editor/EditorAccess.h"
#include "ui/editor/EditorAppearance.h"
#include "ui/editor/EditorMarkers.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QToolTip>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

using namespace quaredit;

namespace {

const QByteArray Program = "_main:\r\n"           // line 0
                           "\tmoveq\t#200,d0\r\n" // 1: a fault
                           "\taddq.w\t#1,d0\r\n"  // 2
                           "\tmove.b\ta0,d1\r\n"  // 3: a fault
                           "\tmymacro\t#9\r\n"    // 4: not judged
                           "\tbeq.s\t_main\r\n"   // 5
                           "\trts\r\n"            // 6
                           "\tend\r\n"            // 7
                           "\taddq\t#9,d0\r\n";   // 8: after end, never read

void paint(MainWindowFixture& f) {
    QCoreApplication::processEvents();
    f.editor()->viewport()->repaint();
}

void openProgram(MainWindowFixture& f, const QString& name = "check.asm",
                 const QByteArray& text = Program) {
    QVERIFY(f.window->documents().OpenDocument(f.writeFile(name, text)));
    paint(f);
}

bool marked(MainWindowFixture& f, int line) {
    const long bits = f.editor()->SendScintilla(QsciScintillaBase::SCI_MARKERGET, line);
    return (bits & (1L << markers::InstructionMarker)) != 0;
}

QList<int> markedLines(MainWindowFixture& f) {
    QList<int> lines;
    for (int i = 0; i < f.editor()->lines(); ++i) {
        if (marked(f, i))
            lines << i;
    }
    return lines;
}

// The text under the squiggle of the check.
QStringList squiggled(MainWindowFixture& f) {
    QStringList runs;
    const QByteArray text = f.window->editor().bytes();
    int i = 0;
    while (i < text.size()) {
        if (!f.editor()->SendScintilla(QsciScintillaBase::SCI_INDICATORVALUEAT,
                                       markers::InstructionIndicator, i)) {
            ++i;
            continue;
        }
        const int end = int(f.editor()->SendScintilla(QsciScintillaBase::SCI_INDICATOREND,
                                                      markers::InstructionIndicator, i));
        runs << QString::fromLatin1(text.mid(i, end - i));
        i = end;
    }
    return runs;
}

InstructionHelp& help(MainWindowFixture& f) {
    return f.window->editorFeatures().instructionHelp();
}

int offsetOf(MainWindowFixture& f, const char* text) {
    return int(f.window->editor().bytes().indexOf(text));
}

QString status(MainWindowFixture& f) {
    return f.window->statusPanel(1)->text();
}

} // namespace

class TestInstructionCheck : public QObject {
    Q_OBJECT
private slots:
    void faultsAreMarkedWhereTheyAre() {
        MainWindowFixture f;
        openProgram(f);
        QCOMPARE(markedLines(f), (QList<int>{1, 3}));
        QCOMPARE(squiggled(f), (QStringList{"#200", "a0"}));
        QVERIFY(f.editor()->marginWidth(markers::SymbolMargin) > 0);
    }

    void typingMarksAndUnmarksTheLine() {
        MainWindowFixture f;
        openProgram(f);
        EditorAccess& e = f.window->editor();
        // Mend the first fault, make a new one on a good line.
        const int at = offsetOf(f, "#200");
        e.setSelection(at + 1, 3);
        f.editor()->replaceSelectedText(QStringLiteral("100"));
        e.setSelectionStart(offsetOf(f, "#1,d0") + 1);
        QTest::keyClick(f.editor(), Qt::Key_Delete);
        QTest::keyClicks(f.editor(), QStringLiteral("12"));
        paint(f);
        QCOMPARE(markedLines(f), (QList<int>{2, 3}));
        QCOMPARE(squiggled(f), (QStringList{"#12", "a0"}));
    }

    void theOptionTurnsTheMarksOffAndOn() {
        MainWindowFixture f;
        openProgram(f);
        f.services.onDialog([](QDialog& d) {
            auto* box = d.findChild<QCheckBox*>("CheckInstrOpt");
            if (!box || !box->isChecked() || box->text() != QLatin1String("Check Instructions"))
                return int(QDialog::Rejected); // on by default, with its caption
            box->setChecked(false);
            QTest::mouseClick(d.findChild<QPushButton*>("OkBt"), Qt::LeftButton);
            return d.result();
        });
        f.window->menus().MNU_Options_General->trigger();
        paint(f);
        RegKey options(f.store, "Options", false);
        QCOMPARE(options.readInt("CheckInstructions", -1), 0);
        QVERIFY(markedLines(f).isEmpty());
        QVERIFY(squiggled(f).isEmpty());
        QCOMPARE(f.editor()->marginWidth(markers::SymbolMargin), 0);
        // Back on: the lines on screen are checked again.
        f.window->editorFeatures().appearance().apply({true, true, true, true});
        paint(f);
        QCOMPARE(markedLines(f), (QList<int>{1, 3}));
    }

    void aTextFileIsNeverChecked() {
        MainWindowFixture f;
        openProgram(f, "notes.txt");
        QVERIFY(markedLines(f).isEmpty());
        QVERIFY(help(f).tipAt(offsetOf(f, "moveq")).isEmpty());
    }

    void switchingBackKeepsTheMarksOfEachDocument() {
        MainWindowFixture f;
        openProgram(f, "a.asm");
        openProgram(f, "b.asm", "\tnop\r\n\tlea\td0,a0\r\n");
        QCOMPARE(markedLines(f), (QList<int>{1}));
        QVERIFY(f.window->documents().OpenDocument(f.dir.filePath("a.asm")));
        paint(f);
        QCOMPARE(markedLines(f), (QList<int>{1, 3}));
    }

    void hoverTellsTheHelpAndTheReason() {
        MainWindowFixture f;
        openProgram(f);
        const QString overMnemonic = help(f).tipAt(offsetOf(f, "addq") + 2);
        QVERIFY2(overMnemonic.startsWith(QStringLiteral("ADDQ \u2014 Add quick")),
                 qPrintable(overMnemonic));
        QVERIFY(overMnemonic.contains(QStringLiteral("This line: 2 bytes, 4 cycles")));
        QCOMPARE(help(f).tipAt(offsetOf(f, "#200") + 1),
                 QStringLiteral("MOVEQ takes an immediate from -128 to 127"));
        const QString branch = help(f).tipAt(offsetOf(f, "beq"));
        QVERIFY(branch.contains(QStringLiteral("2 bytes, 10 taken / 8 not taken")));
        QVERIFY(help(f).tipAt(offsetOf(f, "mymacro")).isEmpty());
        QVERIFY(help(f).tipAt(offsetOf(f, "d0")).isEmpty()); // a good operand
    }

    void f1ShowsTheHelpOfTheCaretLine() {
        MainWindowFixture f;
        openProgram(f);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.editor()->setFocus();
        f.window->editor().setSelectionStart(offsetOf(f, "addq") + 1);
        QTest::keyClick(f.editor(), Qt::Key_F1);
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY2(QToolTip::text().startsWith(QStringLiteral("ADDQ \u2014 Add quick")),
                 qPrintable(QToolTip::text()));
        QToolTip::hideText();
    }

    void selectedLinesShowTheirCost_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("text");
        // moveq #200 is at fault and counts nothing; addq.w 2 bytes 4 cycles.
        QTest::newRow("one line, part of it")
            << QByteArray("addq") << QByteArray("#1") << "2 bytes, 4 cycles";
        QTest::newRow("lines with a fault and a macro")
            << QByteArray("_main") << QByteArray("\tbeq") << "2 bytes, 4 cycles";
        QTest::newRow("a branch makes the cycles open")
            << QByteArray("\taddq") << QByteArray("\trts") << "4 bytes, 12+ cycles";
    }
    void selectedLinesShowTheirCost() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, text);
        MainWindowFixture f;
        openProgram(f);
        const int start = offsetOf(f, from.constData());
        const int end = offsetOf(f, to.constData());
        f.window->editor().setSelection(start, end - start);
        QCOMPARE(status(f), text);
        // Without a selection the total goes.
        f.window->editor().setSelectionStart(start);
        QCOMPARE(status(f), QString());
    }
};

QTEST_MAIN(TestInstructionCheck)
#include "tst_instructioncheck.moc"
