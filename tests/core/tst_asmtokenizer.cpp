#include "core/asm/AsmTokenizer.h"
#include "core/asm/AsmWords.h"

#include <QtTest>

using namespace quaredit;

namespace {

const char* const ClassNames[AsmClassCount] = {"Default",  "Comment",   "Label",      "LocalLabel",
                                               "Mnemonic", "Directive", "Register",   "Number",
                                               "String",   "Immediate", "LibraryCall"};

// "Class:text" for every token of the line.
QStringList described(const QByteArray& line, AsmState state = {}) {
    QStringList out;
    for (const AsmToken& t : asmTokens(line, state))
        out << QString::fromLatin1(ClassNames[int(t.cls)]) + QLatin1Char(':') +
                   QString::fromLatin1(line.mid(t.start, t.length));
    return out;
}

QByteArray classesOf(const QByteArray& text, AsmState state = {}, AsmState* after = nullptr) {
    QByteArray classes(text.size(), '\x7f');
    const AsmState end = classifyAsm(text, state, reinterpret_cast<uchar*>(classes.data()));
    if (after)
        *after = end;
    return classes;
}

} // namespace

class TestAsmTokenizer : public QObject {
    Q_OBJECT
private slots:
    void tokens_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("tokens");
        using L = QStringList;
        QTest::newRow("instruction with size, registers, comment")
            << QByteArray("\tmove.l\td0,d1\t; copy")
            << L{"Mnemonic:move.l", "Register:d0", "Register:d1", "Comment:; copy"};
        QTest::newRow("capitals are recognised alike")
            << QByteArray("\tMOVE.L\tD0,(A7)+")
            << L{"Mnemonic:MOVE.L", "Register:D0", "Register:A7"};
        QTest::newRow("immediate hex")
            << QByteArray("\tcmp.b\t#$FF,(a0)+")
            << L{"Mnemonic:cmp.b", "Immediate:#", "Number:$FF", "Register:a0"};
        QTest::newRow("binary, octal and decimal")
            << QByteArray("\tdc.w\t%1010,@17,42")
            << L{"Directive:dc.w", "Number:%1010", "Number:@17", "Number:42"};
        QTest::newRow("a lone prefix is punctuation")
            << QByteArray("\tdc.b\t$,x%2,@9") << L{"Directive:dc.b", "Number:2", "Number:9"};
        QTest::newRow("library call with ::")
            << QByteArray("\tjsr\ttios::DrawStr") << L{"Mnemonic:jsr", "LibraryCall:tios::DrawStr"};
        QTest::newRow("library entry with @")
            << QByteArray("\tjsr\tgraphlib@0003") << L{"Mnemonic:jsr", "LibraryCall:graphlib@0003"};
        QTest::newRow("short library entries with @")
            << QByteArray("\tjsr\tkb@0001,g@12,userlib@")
            << L{"Mnemonic:jsr", "LibraryCall:kb@0001", "LibraryCall:g@12", "LibraryCall:userlib@"};
        QTest::newRow("register-like names")
            << QByteArray("\tmove.l\tsp_,ccr2,Usp,d7x,a7,Sr,pC")
            << L{"Mnemonic:move.l", "Register:Usp", "Register:a7", "Register:Sr", "Register:pC"};
        QTest::newRow("label with colon") << QByteArray("loop:\tdbra\td4,loop")
                                          << L{"Label:loop:", "Mnemonic:dbra", "Register:d4"};
        QTest::newRow("label without colon, then equ")
            << QByteArray("WIDTH equ 240") << L{"Label:WIDTH", "Directive:equ", "Number:240"};
        QTest::newRow("backslash local label, defined and used")
            << QByteArray("\\next\tbne.s\t\\next")
            << L{"LocalLabel:\\next", "Mnemonic:bne.s", "LocalLabel:\\next"};
        QTest::newRow("numbered local label")
            << QByteArray("1$:\tbra.s\t1$")
            << L{"LocalLabel:1$:", "Mnemonic:bra.s", "LocalLabel:1$"};
        QTest::newRow("label glued to a comment")
            << QByteArray("start;entry") << L{"Label:start", "Comment:;entry"};
        QTest::newRow("star comment in column 1")
            << QByteArray("* move.l d0,d1 ; 'x'") << L{"Comment:* move.l d0,d1 ; 'x'"};
        QTest::newRow("star elsewhere is plain")
            << QByteArray("\tdc.l\t*+4") << L{"Directive:dc.l", "Number:4"};
        QTest::newRow("semicolon inside a string")
            << QByteArray("\tdc.b\t'a;b',0\t; end")
            << L{"Directive:dc.b", "String:'a;b'", "Number:0", "Comment:; end"};
        QTest::newRow("double-quoted include")
            << QByteArray("\tinclude \"tios.h\"") << L{"Directive:include", "String:\"tios.h\""};
        QTest::newRow("a string runs to the end of its line")
            << QByteArray("\tdc.b\t\"open ; not a comment")
            << L{"Directive:dc.b", "String:\"open ; not a comment"};
        QTest::newRow("index register keeps its size")
            << QByteArray("\tmove.w\t0(a0,d1.w),d2")
            << L{"Mnemonic:move.w", "Number:0", "Register:a0", "Register:d1.w", "Register:d2"};
        QTest::newRow("special registers")
            << QByteArray("\tmove\tsr,-(sp)\n") << L{"Mnemonic:move", "Register:sr", "Register:sp"};
        QTest::newRow("ccr, usp and pc")
            << QByteArray("\tandi\t#0,CCR\tlea\tx(PC),a0 usp")
            << L{"Mnemonic:andi", "Immediate:#", "Number:0",    "Register:CCR",
                 "Register:PC",   "Register:a0", "Register:usp"};
        QTest::newRow("d8 and a register-like label are plain")
            << QByteArray("\tmove.l\td8,data") << L{"Mnemonic:move.l"};
        QTest::newRow("unknown size stays plain")
            << QByteArray("\tmove.q\td0,d1") << L{"Mnemonic:move", "Register:d0", "Register:d1"};
        QTest::newRow("macro call is plain")
            << QByteArray("\tSetFont\t#1") << L{"Immediate:#", "Number:1"};
        QTest::newRow("macro argument is plain")
            << QByteArray("\tmove.w\t\\1,d0") << L{"Mnemonic:move.w", "Register:d0"};
        QTest::newRow("absolute short address")
            << QByteArray("\tmove.w\t($600).w,d0")
            << L{"Mnemonic:move.w", "Number:$600", "Register:d0"};
        QTest::newRow("dot local label")
            << QByteArray("\tbra\t.wait") << L{"Mnemonic:bra", "LocalLabel:.wait"};
        QTest::newRow("register list") << QByteArray("\tmovem.l\td3-d7/a2-a6,-(a7)")
                                       << L{"Mnemonic:movem.l", "Register:d3", "Register:d7",
                                            "Register:a2",      "Register:a6", "Register:a7"};
        QTest::newRow("section and xdef") << QByteArray("\txdef\t_main") << L{"Directive:xdef"};
        QTest::newRow("equals sign defines")
            << QByteArray("SIZE = 10") << L{"Label:SIZE", "Directive:=", "Number:10"};
        QTest::newRow("comment after label only")
            << QByteArray("main:  ; start") << L{"Label:main:", "Comment:; start"};
        QTest::newRow("Latin-1 letters belong to names")
            << QByteArray("\xE9t\xE9:\tmoveq\t#0,d0")
            << L{QString::fromLatin1("Label:\xE9t\xE9:"), "Mnemonic:moveq", "Immediate:#",
                 "Number:0", "Register:d0"};
        QTest::newRow("empty line") << QByteArray() << L{};
        QTest::newRow("blanks only") << QByteArray(" \t ") << L{};
    }
    void tokens() {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, tokens);
        QCOMPARE(described(line), tokens);
    }

    // The state a line hands to the next, and the class of its line break
    // that carries it.
    void endDirectiveTurnsTheRestIntoComment() {
        const QByteArray text = "\tnop\r\n\tend\r\n\tmove.l d0,d1\r\nlabel: 'x'\n";
        AsmState after;
        const QByteArray classes = classesOf(text, {}, &after);
        QVERIFY(after.afterEnd);
        const qsizetype endLine = text.indexOf("\tend");
        QCOMPARE(AsmClass(classes[endLine + 1]), AsmClass::Directive);
        // The break after "nop" carries the plain state, the one after "end" the comment state.
        QCOMPARE(asmStateBefore(AsmClass(classes[endLine - 1])), AsmState{});
        const qsizetype next = text.indexOf("\tmove");
        QCOMPARE(asmStateBefore(AsmClass(classes[next - 1])), AsmState{true});
        for (qsizetype i = next; i < text.size(); ++i)
            QCOMPARE(AsmClass(classes[i]), AsmClass::Comment);
        // Starting from the carried state gives the same as the whole text.
        const QByteArray tail = text.mid(next);
        QCOMPARE(classesOf(tail, AsmState{true}), classes.mid(next));
    }

    void endmAndEndcDoNotEndTheSource() {
        AsmState after;
        classesOf("\tendm\n\tendc\n\tendr\nend:\n\tEND_X\n", {}, &after);
        QVERIFY(!after.afterEnd);
        classesOf("start\tEND\n", {}, &after);
        QVERIFY(after.afterEnd);
    }

    void lineEndsOfEveryKind_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("CR LF") << QByteArray("\tdc.b\t\"open\r\n\tnop\r\n");
        QTest::newRow("LF") << QByteArray("\tdc.b\t\"open\n\tnop\n");
        QTest::newRow("CR") << QByteArray("\tdc.b\t\"open\r\tnop\r");
        QTest::newRow("no final break") << QByteArray("\tdc.b\t\"open\n\tnop");
    }
    void lineEndsOfEveryKind() {
        // A string left open ends with its line: the next line is code again.
        QFETCH(QByteArray, text);
        const QByteArray classes = classesOf(text);
        QVERIFY(!classes.contains('\x7f'));
        const qsizetype nop = text.indexOf("nop");
        QCOMPARE(AsmClass(classes[nop]), AsmClass::Mnemonic);
        const qsizetype open = text.indexOf('"');
        QCOMPARE(AsmClass(classes[open + 4]), AsmClass::String);
        QCOMPARE(AsmClass(classes[open + 5]), AsmClass::Default); // the line break
    }

    // Lines inside a long text are read in place, the last few from a copy:
    // every line must come out as it does alone, whatever its neighbours,
    // its break and its place.
    void aLineInALongTextIsClassedAsAlone() {
        const QList<QByteArray> lines = {
            "a_label_longer_than_sixteen:\tmove.l\td0,d1\t; a comment longer than sixteen",
            "\tjsr\ttios::DrawStr\t; the OS prints it",
            "\tdc.b\t\"a string that is longer than sixteen ; bytes\",0",
            "\tdc.b\t'open string to the end of the line",
            "* a star comment",
            "\\next:\tbne.s\t\\next",
            "\tmove.w\t($600).w,d0",
            "\tjsr\tgraphlib@0003",
            "1$:\tbra.s\t1$",
            "",
            "WIDTH equ 240",
            "\tmovem.l\td3-d7/a2-a6,-(a7)",
        };
        const QList<QByteArray> breaks = {"\r\n", "\n", "\r"};
        for (const QByteArray& lineBreak : breaks) {
            QByteArray text;
            QList<qsizetype> starts;
            for (int round = 0; round < 3; ++round) {
                for (const QByteArray& line : lines) {
                    starts << text.size();
                    text += line + lineBreak;
                }
            }
            starts << text.size();
            text += lines.first(); // no break after the last line
            const QByteArray classes = classesOf(text);
            QVERIFY(!classes.contains('\x7f'));
            for (qsizetype k = 0; k < starts.size(); ++k) {
                const QByteArray line = lines[k % lines.size()];
                QCOMPARE(classes.mid(starts[k], line.size()), classesOf(line));
                if (k + 1 < starts.size())
                    QCOMPARE(AsmClass(classes[starts[k] + line.size()]), AsmClass::Default);
            }
        }
    }

    void wordKinds_data() {
        QTest::addColumn<QByteArray>("word");
        QTest::addColumn<int>("kind");
        QTest::newRow("mnemonic") << QByteArray("movem") << int(AsmWordKind::Mnemonic);
        QTest::newRow("capital mnemonic") << QByteArray("DBRA") << int(AsmWordKind::Mnemonic);
        QTest::newRow("directive") << QByteArray("rsreset") << int(AsmWordKind::Directive);
        QTest::newRow("end") << QByteArray("End") << int(AsmWordKind::End);
        QTest::newRow("unknown") << QByteArray("moves") << int(AsmWordKind::None);
        QTest::newRow("longer than any word") << QByteArray("includeX") << int(AsmWordKind::None);
        QTest::newRow("prefix of a word") << QByteArray("mov") << int(AsmWordKind::None);
        QTest::newRow("digit inside") << QByteArray("d0") << int(AsmWordKind::None);
        QTest::newRow("control character inside")
            << QByteArray("MOVE\x7f") << int(AsmWordKind::None);
        QTest::newRow("empty") << QByteArray() << int(AsmWordKind::None);
    }
    void wordKinds() {
        QFETCH(QByteArray, word);
        QFETCH(int, kind);
        QCOMPARE(int(asmWordKind(word)), kind);
    }

    void everyListedWordIsFound() {
        for (const char* w : asmMnemonics())
            QCOMPARE(asmWordKind(QByteArrayView(w)), AsmWordKind::Mnemonic);
        for (const char* w : asmDirectives())
            QCOMPARE(asmWordKind(QByteArrayView(w)), AsmWordKind::Directive);
    }
};

QTEST_APPLESS_MAIN(TestAsmTokenizer)
#include "tst_asmtokenizer.moc"
