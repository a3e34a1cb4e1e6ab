#include "core/asm/AsmWords.h"
#include "core/asm/M68kCheck.h"
#include "core/asm/M68kOperand.h"

#include <QtTest>
#include <limits>

using namespace quaredit;
using namespace quaredit::m68k;

Q_DECLARE_METATYPE(quaredit::m68k::Verdict)

namespace {

// "8(2/0)", "38-70(1/0)"; a branch adds "|" and the way through.
QString timed(const Cost& c) {
    const QString cycles =
        c.min == c.max ? QString::number(c.min) : QStringLiteral("%1-%2").arg(c.min).arg(c.max);
    return cycles + QStringLiteral("(%1/%2)").arg(c.reads).arg(c.writes);
}

QString timed(const LineCheck& c) {
    QString s = timed(c.timing.taken);
    if (c.timing.branches)
        s += QLatin1Char('|') + timed(c.timing.notTaken);
    return s;
}

} // namespace

class TestM68kCheck : public QObject {
    Q_OBJECT
private slots:
    // Numbers and sums past 64 bits wrap around as the assembler's do
    // instead of overflowing (the sanitizer build stops on an overflow).
    void hugeNumbersWrapAround_data() {
        QTest::addColumn<QByteArray>("expression");
        QTest::addColumn<qint64>("value");
        QTest::newRow("more digits than 64 bits hold")
            << QByteArray("18446744073709551617") << qint64(1);
        QTest::newRow("the smallest divided by -1")
            << QByteArray("(-9223372036854775807-1)/-1") << std::numeric_limits<qint64>::min();
        QTest::newRow("a product past the largest")
            << QByteArray("$7FFFFFFFFFFFFFFF*2") << qint64(-2);
        QTest::newRow("negating the smallest")
            << QByteArray("-(-9223372036854775807-1)") << std::numeric_limits<qint64>::min();
    }
    void hugeNumbersWrapAround() {
        QFETCH(QByteArray, expression);
        QFETCH(qint64, value);
        std::int64_t got = 0;
        QVERIFY(evaluate(expression, got));
        QCOMPARE(qint64(got), value);
    }

    // The verdict, the text marked and the reason given.
    void verdicts_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<Verdict>("verdict");
        QTest::addColumn<QByteArray>("marked");
        QTest::addColumn<QString>("reason");
        const auto F = Verdict::Fault, E = Verdict::Encodable, N = Verdict::NotJudged;
        QTest::newRow("quick immediate above 8")
            << QByteArray("\taddq\t#9,d0") << F << QByteArray("#9")
            << "ADDQ takes an immediate from 1 to 8";
        QTest::newRow("quick immediate of 0")
            << QByteArray("\tsubq.w\t#0,(a0)") << F << QByteArray("#0")
            << "SUBQ takes an immediate from 1 to 8";
        QTest::newRow("moveq beyond a byte")
            << QByteArray("\tmoveq\t#200,d0") << F << QByteArray("#200")
            << "MOVEQ takes an immediate from -128 to 127";
        QTest::newRow("byte read from an address register")
            << QByteArray("\tmove.b\ta0,d0") << F << QByteArray("a0")
            << "MOVE.B cannot read an address register";
        QTest::newRow("byte written to an address register")
            << QByteArray("\tadd.b\td0,a1") << F << QByteArray("a1")
            << "ADD.B cannot write to an address register";
        QTest::newRow("lea of a data register")
            << QByteArray("\tlea\td0,a0") << F << QByteArray("d0")
            << "LEA needs a control addressing mode";
        QTest::newRow("jmp to a post-increment")
            << QByteArray("\tjmp\t(a0)+") << F << QByteArray("(a0)+")
            << "JMP needs a control addressing mode";
        QTest::newRow("operand where none is taken")
            << QByteArray("\trts\td0") << F << QByteArray("rts") << "RTS takes no operand";
        QTest::newRow("missing operand")
            << QByteArray("\tmove.w\td0") << F << QByteArray("move.w") << "MOVE takes two operands";
        QTest::newRow("size the instruction lacks")
            << QByteArray("\tswap.l\td0") << F << QByteArray("swap.l") << "SWAP takes .W";
        QTest::newRow("a size letter of no size")
            << QByteArray("\tmove.q\td0,d1") << F << QByteArray("move.q")
            << "MOVE takes .B, .W or .L";
        QTest::newRow("shift count above 8")
            << QByteArray("\tasl.l\t#9,d0") << F << QByteArray("#9")
            << "ASL shifts by 1 to 8; a data register holds larger counts";
        QTest::newRow("trap vector above 15") << QByteArray("\ttrap\t#16") << F << QByteArray("#16")
                                              << "TRAP takes a vector from 0 to 15";
        QTest::newRow("bit number in memory above 7")
            << QByteArray("\tbtst\t#8,(a0)") << F << QByteArray("#8")
            << "BTST takes a bit from 0 to 7 in memory";
        QTest::newRow("writing through the program counter")
            << QByteArray("\tmove.w\td0,8(pc)") << F << QByteArray("8(pc)")
            << "MOVE.W cannot write to d16(PC)";
        QTest::newRow("index displacement beyond a byte")
            << QByteArray("\tmove.w\t200(a0,d0.w),d1") << F << QByteArray("200(a0,d0.w)")
            << "A displacement with an index register is from -128 to 127";
        QTest::newRow("byte immediate beyond a byte")
            << QByteArray("\tmove.b\t#300,d0") << F << QByteArray("#300")
            << "MOVE.B takes an immediate from -128 to 255";
        QTest::newRow("dbra on an address register")
            << QByteArray("\tdbra\ta0,loop") << F << QByteArray("a0")
            << "DBRA needs a data register";
        QTest::newRow("movem into a post-increment")
            << QByteArray("\tmovem.l\td0-d3,(a0)+") << F << QByteArray("(a0)+")
            << "MOVEM.L cannot write to (An)+";
        QTest::newRow("reading CCR is a later processor's")
            << QByteArray("\tmove\tccr,d0") << F << QByteArray("ccr") << "MOVE cannot read CCR";
        QTest::newRow("comment after the faulty operand keeps the mark on it")
            << QByteArray("\tmoveq\t#-129,d0\t; too low") << F << QByteArray("#-129")
            << "MOVEQ takes an immediate from -128 to 127";

        QTest::newRow("library call through jsr")
            << QByteArray("\tjsr\ttios::DrawStr") << E << QByteArray() << QString();
        QTest::newRow("capitals") << QByteArray("\tMOVE.L\tD0,(A7)+") << E << QByteArray()
                                  << QString();
        QTest::newRow("label before the instruction")
            << QByteArray("loop:\tdbra\td0,loop") << E << QByteArray() << QString();
        QTest::newRow("blanks after a comma and inside brackets")
            << QByteArray("\tmove.w\td0, (a0, d1.w)") << E << QByteArray() << QString();
        QTest::newRow("words after the operands without a semicolon")
            << QByteArray("\tmove.l\td0,d1  copy it") << E << QByteArray() << QString();
        QTest::newRow("symbol immediate is left to the assembler")
            << QByteArray("\taddq.l\t#SIZE,a0") << E << QByteArray() << QString();
        QTest::newRow("macro argument")
            << QByteArray("\tmove.l\t\\1,d0") << E << QByteArray() << QString();
        QTest::newRow("register list named by a symbol")
            << QByteArray("\tmovem.l\tSAVED,-(sp)") << E << QByteArray() << QString();
        QTest::newRow("moves of the condition codes")
            << QByteArray("\tmove\t#0,ccr") << E << QByteArray() << QString();
        QTest::newRow("bracketed displacement")
            << QByteArray("\tlea\t(4,a0),a1") << E << QByteArray() << QString();

        QTest::newRow("macro") << QByteArray("\tmymacro\td0,#9") << N << QByteArray() << QString();
        QTest::newRow("directive") << QByteArray("\tdc.b\t1,2,3") << N << QByteArray() << QString();
        QTest::newRow("end") << QByteArray("\tend") << N << QByteArray() << QString();
        QTest::newRow("comment line")
            << QByteArray("; addq #9,d0") << N << QByteArray() << QString();
        QTest::newRow("star comment")
            << QByteArray("* addq #9,d0") << N << QByteArray() << QString();
        QTest::newRow("label alone") << QByteArray("addq") << N << QByteArray() << QString();
        QTest::newRow("a name like a mnemonic with a dotted tail")
            << QByteArray("\tmove.long\td0") << N << QByteArray() << QString();
        QTest::newRow("unreadable operand")
            << QByteArray("\tmove.l\t(a0,d0.w*4),d1") << N << QByteArray() << QString();
    }
    void verdicts() {
        QFETCH(QByteArray, line);
        QFETCH(Verdict, verdict);
        QFETCH(QByteArray, marked);
        QFETCH(QString, reason);
        const LineCheck c = checkLine(line);
        QCOMPARE(c.verdict, verdict);
        if (verdict == Verdict::Fault) {
            QCOMPARE(line.mid(c.faultStart, c.faultLength), marked);
            QCOMPARE(c.reason, reason);
            // The editor's pass asks for no reason but marks the same place.
            const LineCheck quiet = checkLine(line, false);
            QCOMPARE(quiet.verdict, Verdict::Fault);
            QVERIFY(quiet.reason.isEmpty());
            QCOMPARE(quiet.faultStart, c.faultStart);
        }
    }

    // Lengths that the assembler listings show, with the range of an
    // unsized branch, whose length the assembler picks.
    void lengths_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("minBytes");
        QTest::addColumn<int>("maxBytes");
        QTest::newRow("long immediate") << QByteArray("\tmove.l\t#1,d0") << 6 << 6;
        QTest::newRow("pc-relative") << QByteArray("\tlea\tbuffer(pc),a0") << 4 << 4;
        QTest::newRow("library call") << QByteArray("\tjsr\ttios::DrawStr") << 6 << 6;
        QTest::newRow("two long addresses") << QByteArray("\tmove.l\t$12345678,ext") << 10 << 10;
        QTest::newRow("unsized branch") << QByteArray("\tbra\tloop") << 2 << 4;
        QTest::newRow("short branch") << QByteArray("\tbne.s\tloop") << 2 << 2;
        QTest::newRow("dbra") << QByteArray("\tdbra\td4,\\next") << 4 << 4;
        QTest::newRow("register mask") << QByteArray("\tmovem.l\td3-d7/a2-a6,-(a7)") << 4 << 4;
        QTest::newRow("static bit number") << QByteArray("\tbtst\t#3,d0") << 4 << 4;
        QTest::newRow("quick forms") << QByteArray("\taddq.l\t#8,a0") << 2 << 2;
        QTest::newRow("short absolute") << QByteArray("\tclr.w\t$1234.w") << 4 << 4;
    }
    void lengths() {
        QFETCH(QByteArray, line);
        QFETCH(int, minBytes);
        QFETCH(int, maxBytes);
        const LineCheck c = checkLine(line);
        QCOMPARE(c.verdict, Verdict::Encodable);
        QCOMPARE(c.minBytes, minBytes);
        QCOMPARE(c.maxBytes, maxBytes);
    }

    // Clock cycles (bus reads/writes), each copied from the MC68000 user's
    // manual's instruction execution times; the table and row are named.
    void cycles_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const char* line, const char* expected) {
            QTest::newRow(name) << QByteArray(line) << QString::fromLatin1(expected);
        };
        // Move byte and word: source row, destination column.
        row("move.w Dn,Dn", "\tmove.w\td0,d1", "4(1/0)");
        row("move.b (An)+,(An)+", "\tmove.b\t(a0)+,(a1)+", "12(2/1)");
        row("move.w -(An),Dn", "\tmove.w\t-(a0),d0", "10(2/0)");
        row("move.w d16(An),abs.W", "\tmove.w\t8(a0),$1234.w", "20(4/1)");
        row("move.w #,d8(An,Xn)", "\tmove.w\t#1,4(a0,d0.w)", "18(3/1)");
        row("movea.w (An),An", "\tmovea.w\t(a0),a1", "8(2/0)");
        // Move long.
        row("move.l Dn,(An)", "\tmove.l\td0,(a0)", "12(1/2)");
        row("move.l abs.L,abs.L", "\tmove.l\t$12345678,$12345678", "36(7/2)");
        row("move.l d16(PC),Dn", "\tmove.l\t8(pc),d0", "16(4/0)");
        // Standard instructions, plus the effective address table.
        row("add.w (An),Dn", "\tadd.w\t(a0),d0", "8(2/0)");
        row("add.l Dn,Dn: 8 for a register source", "\tadd.l\td1,d0", "8(1/0)");
        row("add.l (An),Dn", "\tadd.l\t(a0),d0", "14(3/0)");
        row("add.w Dn,(An)", "\tadd.w\td0,(a0)", "12(2/1)");
        row("add.l Dn,(An)", "\tadd.l\td0,(a0)", "20(3/2)");
        row("adda.w Dn,An", "\tadda.w\td0,a0", "8(1/0)");
        row("adda.l #,An", "\tadda.l\t#1,a0", "16(3/0)");
        row("cmpa.l Dn,An", "\tcmpa.l\td0,a0", "6(1/0)");
        row("cmp.w d16(PC),Dn", "\tcmp.w\t8(pc),d0", "12(3/0)");
        row("eor.l Dn,Dn", "\teor.l\td0,d1", "8(1/0)");
        row("tst.l -(An)", "\ttst.l\t-(a0)", "14(3/0)");
        row("tst.w d8(An,Xn)", "\ttst.w\t4(a0,d0.w)", "14(3/0)");
        row("tst.l abs.W", "\ttst.l\t$1234.w", "16(4/0)");
        // Immediate instructions.
        row("addi.w #,Dn", "\taddi.w\t#1,d0", "8(2/0)");
        row("addi.l #,Dn", "\taddi.l\t#1,d0", "16(3/0)");
        row("addi.l #,(An)", "\taddi.l\t#1,(a0)", "28(5/2)");
        row("addq.w #,Dn", "\taddq.w\t#1,d0", "4(1/0)");
        row("addq.w #,An", "\taddq.w\t#1,a0", "8(1/0)");
        row("addq.l #,(An)", "\taddq.l\t#8,(a0)", "20(3/2)");
        row("subq.l #,An", "\tsubq.l\t#1,a0", "8(1/0)");
        row("andi.l #,Dn", "\tandi.l\t#1,d0", "14(3/0)");
        row("cmpi.l #,Dn", "\tcmpi.l\t#1,d0", "14(3/0)");
        row("cmpi.w #,(An)", "\tcmpi.w\t#1,(a0)", "12(3/0)");
        row("moveq", "\tmoveq\t#1,d0", "4(1/0)");
        // Single operand instructions.
        row("clr.l Dn", "\tclr.l\td0", "6(1/0)");
        row("clr.l (An)", "\tclr.l\t(a0)", "20(3/2)");
        row("neg.b (An)+", "\tneg.b\t(a0)+", "12(2/1)");
        row("nbcd Dn", "\tnbcd\td0", "6(1/0)");
        row("tas (An)", "\ttas\t(a0)", "14(2/1)");
        row("sne Dn: 4 false, 6 true", "\tsne\td0", "4-6(1/0)");
        row("seq (An)", "\tseq\t(a0)", "12(2/1)");
        // Shift and rotate: 2 more per bit shifted.
        row("lsl.w #1,Dn", "\tlsl.w\t#1,d0", "8(1/0)");
        row("asr.l #8,Dn", "\tasr.l\t#8,d0", "24(1/0)");
        row("rol.w Dx,Dy: the count modulo 64", "\trol.w\td1,d0", "6-132(1/0)");
        row("roxr (An)", "\troxr\t(a0)", "12(2/1)");
        // Bit manipulation.
        row("btst Dn,Dn", "\tbtst\td0,d1", "6(1/0)");
        row("btst #,Dn", "\tbtst\t#3,d0", "10(2/0)");
        row("btst #,(An)", "\tbtst\t#3,(a0)", "12(3/0)");
        row("bchg Dn,(An)", "\tbchg\td0,(a0)", "12(2/1)");
        row("bset #,(An)", "\tbset\t#3,(a0)", "16(3/1)");
        row("bclr Dn,Dn: a maximum of 10", "\tbclr\td0,d1", "8-10(1/0)");
        row("bset #,Dn: 12 for the upper bits", "\tbset\t#20,d0", "12(2/0)");
        // Conditional instructions: taken | not taken.
        row("beq.s", "\tbeq.s\tloop", "10(2/0)|8(1/0)");
        row("bne.w", "\tbne.w\tloop", "10(2/0)|12(2/0)");
        row("bra.s", "\tbra.s\tloop", "10(2/0)");
        row("bsr.w", "\tbsr.w\tsub", "18(2/2)");
        row("dbf: loops | falls through when the count runs out", "\tdbf\td0,loop",
            "10(2/0)|12-14(3/0)");
        // JMP, JSR, LEA, PEA.
        row("jmp (An)", "\tjmp\t(a0)", "8(2/0)");
        row("jsr d16(An)", "\tjsr\t8(a0)", "18(2/2)");
        row("jsr abs.L", "\tjsr\ttios::DrawStr", "20(3/2)");
        row("jmp d8(PC,Xn)", "\tjmp\t4(pc,d0.w)", "14(3/0)");
        row("lea d8(An,Xn)", "\tlea\t4(a0,d0.w),a1", "12(2/0)");
        row("lea d16(PC)", "\tlea\tbuffer(pc),a0", "8(2/0)");
        row("pea (An)", "\tpea\t(a0)", "12(1/2)");
        row("pea abs.W", "\tpea\t$1234.w", "16(2/2)");
        // MOVEM: 4 (word) or 8 (long) more per register.
        row("movem.l 15 registers to -(An)", "\tmovem.l\td0-d7/a0-a6,-(a7)", "128(2/30)");
        row("movem.l (An)+ to 15 registers", "\tmovem.l\t(a7)+,d0-d7/a0-a6", "132(33/0)");
        row("movem.w 4 registers to (An)", "\tmovem.w\td0-d3,(a0)", "24(2/4)");
        row("movem.w d16(An) to 2 registers", "\tmovem.w\t8(a0),d0/d1", "24(6/0)");
        // Multiprecision.
        row("addx.l Dn,Dn", "\taddx.l\td0,d1", "8(1/0)");
        row("addx.w -(An),-(An)", "\taddx.w\t-(a0),-(a1)", "18(3/1)");
        row("subx.l -(An),-(An)", "\tsubx.l\t-(a0),-(a1)", "30(5/2)");
        row("cmpm.l", "\tcmpm.l\t(a0)+,(a1)+", "20(5/0)");
        row("sbcd -(An),-(An)", "\tsbcd\t-(a0),-(a1)", "18(3/1)");
        // Multiply and divide: the data decides; the manual's maxima.
        row("mulu Dn,Dn", "\tmulu\td0,d1", "38-70(1/0)");
        row("muls (An),Dn", "\tmuls\t(a0),d0", "42-74(2/0)");
        row("divs Dn,Dn: at most 158", "\tdivs\td1,d0", "120-158(1/0)");
        row("divu #,Dn: at most 140 and the immediate", "\tdivu\t#3,d0", "80-144(2/0)");
        // Miscellaneous.
        row("exg", "\texg\td0,a0", "6(1/0)");
        row("ext.w", "\text.w\td0", "4(1/0)");
        row("link", "\tlink\ta6,#-8", "16(2/2)");
        row("unlk", "\tunlk\ta6", "12(3/0)");
        row("move usp", "\tmove.l\tusp,a0", "4(1/0)");
        row("move from sr to Dn", "\tmove\tsr,d0", "6(1/0)");
        row("move to ccr", "\tmove\td0,ccr", "12(2/0)");
        row("movep.l to memory", "\tmovep.l\td0,0(a0)", "24(2/4)");
        row("movep.w from memory", "\tmovep.w\t0(a0),d0", "16(4/0)");
        row("nop", "\tnop", "4(1/0)");
        row("reset", "\treset", "132(1/0)");
        row("rte", "\trte", "20(5/0)");
        row("rts", "\trts", "16(4/0)");
        row("stop", "\tstop\t#$2700", "4(0/0)");
        row("andi to ccr", "\tandi\t#0,ccr", "20(3/0)");
        row("ori to sr", "\tori\t#$700,sr", "20(3/0)");
        // Exceptions and the instructions that may take one.
        row("trap", "\ttrap\t#0", "34(4/3)");
        row("illegal", "\tillegal", "34(4/3)");
        row("trapv: traps | goes on", "\ttrapv", "34(5/3)|4(1/0)");
        row("chk (An),Dn without the trap", "\tchk\t(a0),d0", "14(2/0)");
    }
    void cycles() {
        QFETCH(QByteArray, line);
        QFETCH(QString, expected);
        const LineCheck c = checkLine(line);
        QCOMPARE(c.verdict, Verdict::Encodable);
        QCOMPARE(timed(c), expected);
    }

    void costTexts_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QByteArray("\tadd.l\td0,(a0)") << "2 bytes, 20 cycles";
        QTest::newRow("branch") << QByteArray("\tbeq.s\tloop") << "2 bytes, 10 taken / 8 not taken";
        QTest::newRow("range") << QByteArray("\tmulu\t#3,d0") << "4 bytes, 42\u201374 cycles";
        QTest::newRow("assembler picks the length")
            << QByteArray("\tbra\tloop") << "2\u20134 bytes, 10 cycles";
    }
    void costTexts() {
        QFETCH(QByteArray, line);
        QFETCH(QString, text);
        QCOMPARE(costText(checkLine(line)), text);
    }

    // The status bar's sum: "+" where the assembler or the data decides.
    void totals() {
        Total exact;
        for (const char* line : {"\tmove.l\td0,d1", "\tadd.w\t(a0),d0", "; comment", "\tmymacro",
                                 "\taddq\t#9,d0", "\tbra.s\tloop"})
            exact.add(checkLine(line));
        QCOMPARE(exact.lines, 3);
        QCOMPARE(totalText(exact), QStringLiteral("6 bytes, 22 cycles"));
        Total open;
        open.add(checkLine("\tbra\tloop"));
        open.add(checkLine("\tmulu\td1,d0"));
        QCOMPARE(totalText(open), QStringLiteral("4+ bytes, 48+ cycles"));
    }

    void help() {
        const QByteArray line = "\taddq.w\t#1,(a0)";
        const LineCheck c = checkLine(line);
        const QString text = instructionHelp(c.instruction, &c);
        const QStringList lines = text.split(QLatin1Char('\n'));
        QVERIFY2(lines.front().startsWith(QStringLiteral("ADDQ \u2014 Add quick")),
                 qPrintable(text));
        QVERIFY(lines.contains(QStringLiteral("    ADDQ #<1-8>,An")));
        QVERIFY(lines.contains(QStringLiteral("Sizes: .B, .W or .L")));
        QVERIFY(lines.contains(QStringLiteral("X N Z V C: * * * * *")));
        QVERIFY(lines.contains(QStringLiteral("This line: 2 bytes, 12 cycles (2 reads, 1 write)")));
        // The flags of the form the line uses: ADDQ to An leaves them.
        const LineCheck toAddress = checkLine("\taddq.w\t#1,a0");
        QVERIFY(instructionHelp(toAddress.instruction, &toAddress)
                    .contains(QStringLiteral("X N Z V C: - - - - -")));
        // A faulty line tells why instead of its cost.
        const LineCheck bad = checkLine("\taddq\t#9,d0");
        QVERIFY(instructionHelp(bad.instruction, &bad)
                    .endsWith(QStringLiteral("This line: ADDQ takes an immediate from 1 to 8")));
        const int beq = instructionOf("BEQ.S");
        QVERIFY(instructionHelp(beq).startsWith(
            QStringLiteral("BEQ \u2014 Branch conditionally: equal")));
        const QString jsrHelp = instructionHelp(instructionOf("jsr"));
        QVERIFY2(jsrHelp.contains(QStringLiteral("\nSizes: none\n")), qPrintable(jsrHelp));
        QCOMPARE(instructionOf("dc.b"), -1);
        QCOMPARE(instructionHelp(-1), QString());
    }

    // Every mnemonic the colouring knows has its entry, and nothing else
    // does: the two tables cannot drift apart.
    void everyColouredMnemonicIsKnown() {
        QSet<QByteArray> coloured;
        for (const char* word : asmMnemonics()) {
            coloured.insert(word);
            QVERIFY2(instructionOf(word) >= 0, word);
        }
        for (int i = 0; i < instructionCount(); ++i)
            QVERIFY2(coloured.contains(instructionName(i).toByteArray()),
                     instructionName(i).toByteArray().constData());
    }
};

QTEST_GUILESS_MAIN(TestM68kCheck)
#include "tst_m68kcheck.moc"
