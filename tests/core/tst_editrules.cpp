#include "core/asm/EditRules.h"
#include "core/documents/TextSearch.h"
#include "core/documents/TypedKeys.h"

#include <QtTest>

using namespace quaredit;

class TestEditRules : public QObject {
    Q_OBJECT

private slots:
    void newLineIndent_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("indent");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("empty line") << QByteArray() << QByteArray() << QByteArray();
        QTest::newRow("label with colon")
            << QByteArray("start:") << QByteArray("\t") << QByteArray();
        QTest::newRow("label without colon, trailing blanks")
            << QByteArray("loop  ") << QByteArray("\t") << QByteArray();
        QTest::newRow("label and comment")
            << QByteArray("_main\t; entry") << QByteArray("\t") << QByteArray();
        QTest::newRow("label and instruction keep column 1")
            << QByteArray("loop:\tdbra\td0,loop") << QByteArray() << QByteArray();
        QTest::newRow("comment in column 1")
            << QByteArray("; title") << QByteArray() << QByteArray();
        QTest::newRow("instruction keeps its tab")
            << QByteArray("\tnop") << QByteArray("\t") << QByteArray();
        QTest::newRow("mixed blanks kept byte for byte")
            << QByteArray(" \t  rts") << QByteArray(" \t  ") << QByteArray();
        QTest::newRow("indented comment")
            << QByteArray("\t\t; note") << QByteArray("\t\t") << QByteArray();
        QTest::newRow("blanks only") << QByteArray("\t ") << QByteArray("\t ") << QByteArray();
        QTest::newRow("label split by the break keeps column 1")
            << QByteArray("sta") << QByteArray() << QByteArray("rt:");
        QTest::newRow("label with only blanks after the caret")
            << QByteArray("start:") << QByteArray("\t") << QByteArray("  ");
        QTest::newRow("indent kept before text after the caret")
            << QByteArray("\tmove.l") << QByteArray("\t") << QByteArray("\td0,d1");
    }
    void newLineIndent() {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, indent);
        QFETCH(QByteArray, after);
        QCOMPARE(quaredit::newLineIndent(line, after), indent);
    }

    void unindentLength_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("count");
        QTest::newRow("start of line") << QByteArray() << 0;
        QTest::newRow("after a tab") << QByteArray("\t\t") << 1;
        QTest::newRow("eight spaces, one level of 4") << QByteArray(8, ' ') << 4;
        QTest::newRow("six spaces back to column 4") << QByteArray(6, ' ') << 2;
        QTest::newRow("spaces after a tab stop at the tab") << QByteArray("\t  ") << 2;
        QTest::newRow("in the text, one character") << QByteArray("\tnop") << 1;
        QTest::newRow("one space") << QByteArray(" ") << 1;
    }
    void unindentLength() {
        QFETCH(QByteArray, before);
        QFETCH(int, count);
        QCOMPARE(quaredit::unindentLength(before, 4, 8), count);
    }

    void toggleLineComments_data() {
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<QByteArrayList>("toggled");
        QTest::addColumn<bool>("commented");
        QTest::newRow("code gets a comment")
            << QByteArrayList{"start:", "\tnop"} << QByteArrayList{";start:", ";\tnop"} << true;
        QTest::newRow("all commented comes back")
            << QByteArrayList{";start:", ";\tnop"} << QByteArrayList{"start:", "\tnop"} << false;
        QTest::newRow("mixed: every line gets one more")
            << QByteArrayList{"; title", "\trts"} << QByteArrayList{";; title", ";\trts"} << true;
        QTest::newRow("empty and blank lines untouched")
            << QByteArrayList{"", "\tnop", "  "} << QByteArrayList{"", ";\tnop", "  "} << true;
        QTest::newRow("an indented comment is code to comment")
            << QByteArrayList{"\t; note"} << QByteArrayList{";\t; note"} << true;
        QTest::newRow("only blank lines: nothing changes")
            << QByteArrayList{"", "\t"} << QByteArrayList{"", "\t"} << true;
    }
    void toggleLineComments() {
        QFETCH(QByteArrayList, lines);
        QFETCH(QByteArrayList, toggled);
        QFETCH(bool, commented);
        const CommentToggle once = quaredit::toggleLineComments(QVector<QByteArray>(lines));
        QCOMPARE(QByteArrayList(once.lines), toggled);
        QCOMPARE(once.commented, commented);
        // Toggling twice gives the lines back.
        if (lines != toggled)
            QCOMPARE(QByteArrayList(quaredit::toggleLineComments(once.lines).lines), lines);
    }

    void findPreviousGoesBackAndWraps() {
        const QByteArray text = "ab xab ab";
        const SearchOptions plain;
        FindStep step = findPrevious(text, u"ab", 0, plain);
        QCOMPARE(step.match, std::optional<qsizetype>(7));
        step = findPrevious(text, u"ab", step.nextStart, plain);
        QCOMPARE(step.match, std::optional<qsizetype>(4));
        step = findPrevious(text, u"ab", step.nextStart, {true, false});
        QCOMPARE(step.match, std::optional<qsizetype>(0));
        step = findPrevious(text, u"ab", step.nextStart, plain);
        QVERIFY(!step.match);
        QCOMPARE(step.nextStart, 0);
        // And forward again from the match it found.
        QCOMPARE(findNext(text, u"ab", findPrevious(text, u"ab", 8, plain).nextStart, plain).match,
                 std::optional<qsizetype>(7));
    }

    void keyTypesText_data() {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("types");
        QTest::newRow("plain letter") << int(Qt::NoModifier) << "f" << true;
        QTest::newRow("shifted") << int(Qt::ShiftModifier) << "F" << true;
        QTest::newRow("keypad digit") << int(Qt::KeypadModifier) << "7" << true;
        QTest::newRow("Alt") << int(Qt::AltModifier) << "f" << false;
        QTest::newRow("Ctrl") << int(Qt::ControlModifier) << "1" << false;
        QTest::newRow("Meta") << int(Qt::MetaModifier) << "x" << false;
        QTest::newRow("Alt+Shift") << int(Qt::AltModifier | Qt::ShiftModifier) << "F" << false;
        QTest::newRow("AltGr as the group switch") << int(Qt::GroupSwitchModifier) << "@" << true;
        QTest::newRow("AltGr with Alt reported too")
            << int(Qt::GroupSwitchModifier | Qt::AltModifier) << "~" << true;
        QTest::newRow("AltGr as Ctrl+Alt")
            << int(Qt::ControlModifier | Qt::AltModifier) << "{" << true;
        QTest::newRow("Ctrl+Alt control character")
            << int(Qt::ControlModifier | Qt::AltModifier) << "\x06" << false;
        QTest::newRow("no text") << int(Qt::NoModifier) << "" << false;
    }
    void keyTypesText() {
        QFETCH(int, modifiers);
        QFETCH(QString, text);
        QFETCH(bool, types);
        QCOMPARE(quaredit::keyTypesText(Qt::KeyboardModifiers(modifiers), text), types);
    }
};

QTEST_APPLESS_MAIN(TestEditRules)
#include "tst_editrules.moc"
