#include "core/asm/SourceNames.h"
#include "core/documents/TextReplace.h"

#include <QtTest>

using namespace quaredit;

namespace {

// A program with global labels, local labels defined in two places, and a
// name that differs only in case.
const QByteArray program = QByteArray("\txdef\t_main\r\n"             // 0
                                      "_main:\r\n"                    // 1
                                      "\\loop\tdbra\td0,\\loop\r\n"   // 2
                                      "\tbsr\tDrawSprite\r\n"         // 3
                                      "\trts\r\n"                     // 4
                                      "DrawSprite:\r\n"               // 5
                                      "\\loop\tbra.s\t\\loop\r\n"     // 6
                                      "1$:\tbra.s\t1$\r\n"            // 7
                                      "drawsprite\tnop\r\n"           // 8
                                      "MoveIt;comment\r\n"            // 9
                                      "; DrawSprite: not a label\r\n" // 10
                                      "\trts\r\n");                   // 11

QString joined(const QByteArrayList& words) {
    return QString::fromLatin1(words.join(' '));
}

} // namespace

class TestSourceNames : public QObject {
    Q_OBJECT
private slots:
    void nameUnderCaret_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("inside") << QByteArray("\tbsr\tDrawSprite\n") << 7
                                << QByteArray("DrawSprite");
        QTest::newRow("right after")
            << QByteArray("\tbsr\tDrawSprite\n") << 15 << QByteArray("DrawSprite");
        QTest::newRow("right before")
            << QByteArray("\tbsr\tDrawSprite\n") << 5 << QByteArray("DrawSprite");
        QTest::newRow("local with backslash")
            << QByteArray("\tbne\t\\next,x") << 7 << QByteArray("\\next");
        QTest::newRow("library entry")
            << QByteArray("jsr util@0002") << 6 << QByteArray("util@0002");
        QTest::newRow("between blanks") << QByteArray("a  b") << 2 << QByteArray();
        QTest::newRow("past the end is clamped") << QByteArray("end") << 99 << QByteArray("end");
    }
    void nameUnderCaret() {
        QFETCH(QByteArray, text);
        QFETCH(int, offset);
        QFETCH(QByteArray, name);
        const NameRange r = nameAt(text, offset);
        QCOMPARE(text.mid(r.start, r.end - r.start), name);
    }

    void definitions_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("fromLine");
        QTest::addColumn<int>("line"); // -1: no definition
        QTest::newRow("global label") << QByteArray("DrawSprite") << 3 << 5;
        QTest::newRow("same case wins over first") << QByteArray("drawsprite") << 0 << 8;
        QTest::newRow("other case when nothing else") << QByteArray("_MAIN") << 0 << 1;
        QTest::newRow("colon given") << QByteArray("_main:") << 9 << 1;
        QTest::newRow("local in the first stretch") << QByteArray("\\loop") << 2 << 2;
        QTest::newRow("local in the second stretch") << QByteArray("\\loop") << 6 << 6;
        QTest::newRow("numbered local") << QByteArray("1$") << 7 << 7;
        QTest::newRow("label glued to a comment") << QByteArray("MoveIt") << 0 << 9;
        QTest::newRow("comment is no definition") << QByteArray("xdef") << 0 << -1;
        QTest::newRow("unknown") << QByteArray("Nowhere") << 0 << -1;
        QTest::newRow("empty") << QByteArray() << 0 << -1;
    }
    void definitions() {
        QFETCH(QByteArray, name);
        QFETCH(int, fromLine);
        QFETCH(int, line);
        QCOMPARE(definitionLine(program, name, fromLine).value_or(-1), line);
    }

    void completion_data() {
        QTest::addColumn<QByteArray>("prefix");
        QTest::addColumn<QString>("words");
        QTest::newRow("too short") << QByteArray("dr") << "";
        QTest::newRow("labels of both cases, sorted ignoring case")
            << QByteArray("dra") << "DrawSprite drawsprite";
        QTest::newRow("mnemonics and a label")
            << QByteArray("mov") << "move movea MoveIt movem movep moveq";
        QTest::newRow("capital prefix gives capital mnemonics")
            << QByteArray("MOV") << "MOVE MOVEA MoveIt MOVEM MOVEP MOVEQ";
        QTest::newRow("directives") << QByteArray("rsr") << "rsreset";
        QTest::newRow("the typed word itself is not offered")
            << QByteArray("move") << "movea MoveIt movem movep moveq";
        QTest::newRow("local labels once each") << QByteArray("\\lo") << "\\loop";
        QTest::newRow("nothing matches") << QByteArray("zzz") << "";
    }
    void completion() {
        QFETCH(QByteArray, prefix);
        QFETCH(QString, words);
        QCOMPARE(joined(completionWords(program, prefix)), words);
    }

    void replaceAllRows_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QByteArray>("replacement");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<QByteArray>("result");
        QTest::addColumn<int>("count");
        QTest::newRow("every occurrence, case ignored")
            << QByteArray("d0 D0 d01") << "d0" << QByteArray("d1") << false << false
            << QByteArray("d1 d1 d11") << 3;
        QTest::newRow("whole words") << QByteArray("d0 D0 d01") << "d0" << QByteArray("d1") << true
                                     << false << QByteArray("d1 d1 d01") << 2;
        QTest::newRow("match case") << QByteArray("d0 D0 d01") << "d0" << QByteArray("d1") << true
                                    << true << QByteArray("d1 D0 d01") << 1;
        QTest::newRow("no overlap") << QByteArray("aaaa") << "aa" << QByteArray("b") << false
                                    << false << QByteArray("bb") << 2;
        QTest::newRow("replacement holding the needle does not loop")
            << QByteArray("x x") << "x" << QByteArray("xx") << false << false << QByteArray("xx xx")
            << 2;
        QTest::newRow("to nothing") << QByteArray("a;b;c") << ";" << QByteArray() << false << false
                                    << QByteArray("abc") << 2;
        QTest::newRow("no match") << QByteArray("abc") << "z" << QByteArray("y") << false << false
                                  << QByteArray("abc") << 0;
        QTest::newRow("empty needle") << QByteArray("abc") << "" << QByteArray("y") << false
                                      << false << QByteArray("abc") << 0;
    }
    void replaceAllRows() {
        QFETCH(QByteArray, text);
        QFETCH(QString, needle);
        QFETCH(QByteArray, replacement);
        QFETCH(bool, wholeWord);
        QFETCH(bool, matchCase);
        QFETCH(QByteArray, result);
        QFETCH(int, count);
        const auto edit = replaceAll(text, needle, replacement, {wholeWord, matchCase});
        QCOMPARE(edit ? int(edit->count()) : 0, count);
        QByteArray after = text;
        if (edit)
            after.replace(edit->start, edit->end - edit->start, edit->replacement);
        QCOMPARE(after, result);
    }

    void offsetsFollowTheReplacement() {
        // "ab ab ab" with "ab" -> "xyz": every match grows by one.
        const auto edit = replaceAll("ab ab ab", u"ab", "xyz", {});
        QVERIFY(edit);
        QCOMPARE(edit->mapOffset(0, 3), 0);  // at a match's start
        QCOMPARE(edit->mapOffset(1, 3), 0);  // inside the first match
        QCOMPARE(edit->mapOffset(2, 3), 3);  // the blank after it
        QCOMPARE(edit->mapOffset(3, 3), 4);  // the second match
        QCOMPARE(edit->mapOffset(8, 3), 11); // the end
    }

    void replacementMustFitLatin1() {
        QCOMPARE(replacementBytes(u"caf\u00e9"), std::optional<QByteArray>("caf\xe9"));
        QVERIFY(!replacementBytes(u"\u20ac"));
    }

    void selectionMatchesBeforeReplace_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<bool>("match");
        QTest::newRow("selected match") << 4 << 2 << false << true;
        QTest::newRow("wrong length") << 4 << 3 << false << false;
        QTest::newRow("later match does not count") << 3 << 2 << false << false;
        QTest::newRow("inside a word with whole word") << 11 << 2 << true << false;
        QTest::newRow("inside a word without") << 11 << 2 << false << true;
    }
    void selectionMatchesBeforeReplace() {
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(bool, wholeWord);
        QFETCH(bool, match);
        QCOMPARE(isMatchAt("add d0,d1 xd0", u"d0", start, length, {wholeWord, false}), match);
    }
};

QTEST_APPLESS_MAIN(TestSourceNames)
#include "tst_sourcenames.moc"
