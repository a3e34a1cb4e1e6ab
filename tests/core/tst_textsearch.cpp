#include "core/documents/TextSearch.h"

#include <QtTest>

using namespace quaredit;

class TestTextSearch : public QObject {
    Q_OBJECT
private slots:
    void findRules_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<qsizetype>("from");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<qsizetype>("expected"); // -1: not found

        const QString addr = "\tlea address(pc),a0\r\n\tadd.l d0,d1\r\n";
        QTest::newRow("plain search matches inside a word")
            << addr << "add" << qsizetype(0) << false << false << qsizetype(5);
        QTest::newRow("whole word skips the word it lies in")
            << addr << "add" << qsizetype(0) << true << false << qsizetype(22);
        QTest::newRow("a dot ends a word")
            << "x add.l"
            << "add" << qsizetype(0) << true << false << qsizetype(2);
        QTest::newRow("an underscore belongs to the word")
            << "my_add add"
            << "add" << qsizetype(0) << true << false << qsizetype(7);
        QTest::newRow("a digit belongs to the word")
            << "add1 1add add"
            << "add" << qsizetype(0) << true << false << qsizetype(10);
        QTest::newRow("word at the very end")
            << "move add"
            << "add" << qsizetype(0) << true << false << qsizetype(5);
        QTest::newRow("case ignored by default")
            << "x ADD add"
            << "add" << qsizetype(0) << false << false << qsizetype(2);
        QTest::newRow("match case skips other cases")
            << "x ADD add"
            << "add" << qsizetype(0) << false << true << qsizetype(6);
        QTest::newRow("match case and whole word together")
            << "Add ADDx ADD"
            << "ADD" << qsizetype(0) << true << true << qsizetype(9);
        QTest::newRow("match case with no match in that case")
            << "Add"
            << "ADD" << qsizetype(0) << false << true << qsizetype(-1);
        QTest::newRow("search starts at the given offset")
            << "add add"
            << "add" << qsizetype(1) << false << false << qsizetype(4);
        QTest::newRow("a match at the start offset counts")
            << "add add"
            << "add" << qsizetype(4) << false << false << qsizetype(4);
        QTest::newRow("start past the end finds nothing")
            << "add"
            << "add" << qsizetype(50) << false << false << qsizetype(-1);
        QTest::newRow("empty search text finds nothing")
            << "add"
            << "" << qsizetype(0) << false << false << qsizetype(-1);
        QTest::newRow("line breaks are ordinary characters")
            << "a\r\nb"
            << "a\r\nb" << qsizetype(0) << false << false << qsizetype(0);
        QTest::newRow("latin-1 letters are word characters")
            << QString::fromLatin1("\xe9t\xe9 t\xe9") << QString::fromLatin1("t\xe9")
            << qsizetype(0) << true << false << qsizetype(4);
        QTest::newRow("accented capitals ignore case")
            << QString::fromLatin1("; \xc9"
                                   "CRAN")
            << QString::fromLatin1("\xe9"
                                   "cran")
            << qsizetype(0) << false << false << qsizetype(2);
        QTest::newRow("accented capitals kept apart with match case")
            << QString::fromLatin1("; \xc9"
                                   "CRAN")
            << QString::fromLatin1("\xe9"
                                   "cran")
            << qsizetype(0) << false << true << qsizetype(-1);
        QTest::newRow("Greek mu finds the micro sign ignoring case")
            << QString::fromLatin1("x = 5 \xb5s") << QString(QChar(0x3bc)) + "s" << qsizetype(0)
            << true << false << qsizetype(6);
        QTest::newRow("Greek capital mu finds it too")
            << QString::fromLatin1("x = 5 \xb5s") << QString(QChar(0x39c)) << qsizetype(0) << false
            << false << qsizetype(6);
        QTest::newRow("Greek mu never matches with case")
            << QString::fromLatin1("x = 5 \xb5s") << QString(QChar(0x3bc)) << qsizetype(0) << false
            << true << qsizetype(-1);
        QTest::newRow("Kelvin sign finds k")
            << "bank" << QString(QChar(0x212a)) << qsizetype(0) << false << false << qsizetype(3);
        QTest::newRow("character without a Latin-1 fold finds nothing")
            << "lambda" << QString(QChar(0x3bb)) << qsizetype(0) << false << false << qsizetype(-1);
        QTest::newRow("match at the very start")
            << "add"
            << "ADD" << qsizetype(0) << true << false << qsizetype(0);
        QTest::newRow("search text longer than the text")
            << "add"
            << "address" << qsizetype(0) << false << false << qsizetype(-1);
    }
    void findRules() {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(qsizetype, from);
        QFETCH(bool, wholeWord);
        QFETCH(bool, matchCase);
        QFETCH(qsizetype, expected);
        const auto at =
            findText(text.toLatin1(), needle, from, SearchOptions{wholeWord, matchCase});
        QCOMPARE(at.value_or(-1), expected);
    }

    // Successive presses of find-next with one occurrence at offset 100:
    // found, not found (back to the top), found again.
    void findNextWrapsAround() {
        const QByteArray text = QByteArray(100, 'x') + "target" + QByteArray(20, ' ');
        qsizetype start = 0;
        FindStep step = findNext(text, u"target", start, {});
        QCOMPARE(step.match.value_or(-1), qsizetype(100));
        QCOMPARE(step.nextStart, qsizetype(101));
        step = findNext(text, u"target", step.nextStart, {});
        QVERIFY(!step.match);
        QCOMPARE(step.nextStart, qsizetype(0));
        step = findNext(text, u"target", step.nextStart, {});
        QCOMPARE(step.match.value_or(-1), qsizetype(100));
    }

    void findNextVisitsOverlappingMatches() {
        QList<qsizetype> seen;
        qsizetype start = 0;
        for (int i = 0; i < 4; ++i) {
            const FindStep step = findNext("aaa", u"aa", start, {});
            seen << step.match.value_or(-1);
            start = step.nextStart;
        }
        QCOMPARE(seen, (QList<qsizetype>{0, 1, -1, 0}));
    }

    // The start belongs to the program, not the document: after a switch to a
    // shorter text it may lie past the end, which is an ordinary miss.
    void findNextFromBeyondAShorterText() {
        const FindStep step = findNext("add", u"add", 500, {});
        QVERIFY(!step.match);
        QCOMPARE(step.nextStart, qsizetype(0));
    }

    void gotoLine_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<int>("line"); // zero-based; -1: refused

        QTest::newRow("a line inside the text") << "12" << 120 << 11;
        QTest::newRow("the first line") << "1" << 120 << 0;
        QTest::newRow("the last line") << "120" << 120 << 119;
        QTest::newRow("past the end goes to the last line") << "9999" << 120 << 119;
        QTest::newRow("leading zeros") << "007" << 120 << 6;
        QTest::newRow("zero goes to the first line") << "0" << 120 << 0;
        QTest::newRow("a text without lines goes to the first line") << "5" << 0 << 0;
        QTest::newRow("largest 32-bit number") << "2147483647" << 120 << 119;
        QTest::newRow("one past the 32-bit range is refused") << "2147483648" << 120 << -1;
        QTest::newRow("many digits are refused") << "99999999999999999999999" << 120 << -1;
        QTest::newRow("empty entry is refused") << "" << 120 << -1;
        QTest::newRow("letters left by another caller are refused") << "abc" << 120 << -1;
        QTest::newRow("a sign is refused") << "-3" << 120 << -1;
        QTest::newRow("blanks are refused") << " 3" << 120 << -1;
    }
    void gotoLine() {
        QFETCH(QString, entry);
        QFETCH(int, lineCount);
        QFETCH(int, line);
        const GotoLineTarget target = gotoLineTarget(entry, lineCount);
        QCOMPARE(target.line.value_or(-1), line);
        if (line < 0)
            QCOMPARE(target.error, QString("'%1' is not a valid integer value").arg(entry));
        else
            QVERIFY(target.error.isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestTextSearch)
#include "tst_textsearch.moc"
