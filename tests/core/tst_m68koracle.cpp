// The instruction checker against a real assembler: GNU as for the 68000
// assembles several thousand generated lines, every mnemonic with every size
// and a representative operand of every addressing mode, and for each line
// the checker's verdict and length must be the assembler's.

#include "core/asm/M68kCheck.h"

#include "SourceGen.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <vector>

using namespace quaredit;
using namespace quaredit::m68k;

namespace {

// One operand of each addressing mode, and the special ones.
const char* const Operands[] = {"d1",        "a1",     "(a1)",       "(a1)+",      "-(a1)",
                                "8(a1)",     "(8,a1)", "4(a1,d2.w)", "4(a1,a2.l)", "$1234.w",
                                "$12345678", "8(pc)",  "4(pc,d2.w)", "#3",         "ccr",
                                "sr",        "usp",    "d1-d3/a2",   "ext"};

// Immediates at and past the edges of the ranges the instructions check.
const char* const Immediates[] = {"#0",   "#1",      "#8",     "#9",     "#15",       "#16",
                                  "#31",  "#32",     "#-128",  "#-129",  "#127",      "#255",
                                  "#256", "#-32768", "#65535", "#65536", "#$12345678"};
const char* const ImmediateTargets[] = {"d1", "a1", "(a1)", "ccr", "sr"};

// Displacements at and past the edges of their fields.
const char* const Edges[] = {"-128(a1,d2.w)", "128(a1,d2.w)", "32767(a1)", "32768(a1)",
                             "-32769(a1)",    "$7fff.w",      "-4(pc)"};

const char* const Sizes[] = {"", ".b", ".w", ".l", ".s"};

bool isBranch(const QString& name) {
    static const QRegularExpression re(
        QStringLiteral("^(b(ra|sr|hi|ls|cc|hs|cs|lo|ne|eq|vc|vs|pl|mi|ge|lt|gt|le)|db.*)$"));
    return re.match(name).hasMatch();
}

bool isSet(const QString& name) {
    static const QRegularExpression re(
        QStringLiteral("^s(t|f|hi|ls|cc|hs|cs|lo|ne|eq|vc|vs|pl|mi|ge|lt|gt|le)$"));
    return re.match(name).hasMatch();
}

QStringList generatedLines() {
    QStringList lines;
    for (int i = 0; i < instructionCount(); ++i) {
        const QString name = QString::fromLatin1(instructionName(i).toByteArray());
        // The condition variants share their forms: a few operands suffice.
        // A branch goes to a near place (GNU as cannot give a short branch to
        // an outside symbol); elsewhere "ext" is an absolute address (a place
        // in the same section GNU as would reach PC-relative).
        const bool branch = isBranch(name);
        const bool variant = branch || isSet(name);
        QStringList ops;
        if (branch)
            ops = {"d1", "(a1)", ".+4", "8(a1)", "a1", "#3"};
        else if (variant)
            ops = {"d1", "(a1)", "ext", "8(a1)", "a1", "#3"};
        else
            for (const char* o : Operands)
                ops << QString::fromLatin1(o);
        for (const char* size : Sizes) {
            const QString m = QLatin1Char('\t') + name + QLatin1String(size);
            lines << m;
            for (const QString& a : ops) {
                lines << m + QLatin1Char('\t') + a;
                for (const QString& b : ops)
                    lines << m + QLatin1Char('\t') + a + QLatin1Char(',') + b;
            }
            if (variant)
                continue;
            for (const char* imm : Immediates) {
                lines << m + QLatin1Char('\t') + QLatin1String(imm);
                for (const char* t : ImmediateTargets)
                    lines << m + QLatin1Char('\t') + QLatin1String(imm) + QLatin1Char(',') +
                                 QLatin1String(t);
            }
            for (const char* e : Edges) {
                lines << m + QLatin1Char('\t') + QLatin1String(e) + QLatin1String(",d1");
                lines << m + QLatin1Char('\t') + QLatin1String("d1,") + QLatin1String(e);
            }
        }
    }
    return lines;
}

struct Assembled {
    QSet<int> rejected;    // line numbers, from 1
    QHash<int, int> bytes; // line number to length
};

// Runs GNU as on the lines; an error or a warning (it warns where it
// silently cuts an out-of-range value) rejects a line.
bool assemble(const QString& as, const QStringList& lines, Assembled& out, QString& problem) {
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("oracle.s"));
    const QString listing = dir.filePath(QStringLiteral("oracle.lst"));
    QFile f(source);
    if (!f.open(QIODevice::WriteOnly)) {
        problem = f.errorString();
        return false;
    }
    f.write(lines.join(QLatin1Char('\n')).toLatin1() + '\n');
    f.close();
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(as, {QStringLiteral("-m68000"), QStringLiteral("--register-prefix-optional"),
                 QStringLiteral("-a=") + listing, QStringLiteral("-o"),
                 dir.filePath(QStringLiteral("oracle.o")), source});
    if (!p.waitForFinished(120000)) {
        problem = QStringLiteral("GNU as did not finish");
        return false;
    }
    const QByteArray messages = p.readAllStandardError();
    static const QRegularExpression message(QStringLiteral(R"(oracle\.s:(\d+): (Error|Warning))"));
    for (const QByteArray& line : messages.split('\n')) {
        const auto m = message.match(QString::fromLatin1(line));
        if (m.hasMatch())
            out.rejected.insert(m.captured(1).toInt());
    }
    QFile l(listing);
    if (!l.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("no listing: ") + QString::fromLatin1(messages.left(2000));
        return false;
    }
    // "  12 0004 3039 0000 \t source", continuations "  12      0000 ".
    static const QRegularExpression row(QStringLiteral(R"(^\s*(\d+) (.{4}) ([0-9A-F ]*)(\t|$))"));
    while (!l.atEnd()) {
        const QString line = QString::fromLatin1(l.readLine()).chopped(1);
        const auto m = row.match(line);
        if (!m.hasMatch())
            continue;
        const int number = m.captured(1).toInt();
        QString hex = m.captured(3);
        hex.remove(QLatin1Char(' '));
        out.bytes[number] += int(hex.size() / 2);
    }
    return true;
}

// Where GNU as takes what the processor's own encoding rules do not, or
// picks a shorter encoding than the instruction written: each with why.
struct Leniency {
    const char* pattern; // on the generated line
    const char* reason;
};
const Leniency Leniencies[] = {
    {R"(^\t(add|sub)(i)?(\.[bwl])?\t#[1-8],)",
     "GNU as writes ADDQ/SUBQ for an immediate from 1 to 8"},
    {R"(^\tmove(\.l)?\t#(\d+|-128),d1$)", "GNU as writes MOVEQ for a long that fits a byte"},
    {R"(^\tb(chg|clr|set|tst)(\.[bl])?\t(#\$?-?\d+|d1),)",
     "GNU as takes any bit number and size on the bit instructions (the processor takes the "
     "number modulo 8 or 32)"},
    {R"(\t#(-129|\$12345678)(,|$))", "GNU as cuts an immediate to the operation's size, silently"},
    {R"(^\tsubq\.b\t#\d,a1$)", "GNU as takes SUBQ.B to an address register, as a word"},
};

// Where the calculator assemblers take what GNU as does not: spellings and
// sizes of the processor's manual that GNU as lacks, and symbols that may
// name a register list (reg) and cannot be seen from one line.
const Leniency GnuGaps[] = {
    {R"(^\t(dblo|shs|slo)\b)", "GNU as lacks the lo/hs spellings of DBcc and Scc"},
    {R"(^\t(abcd\.b|exg\.l)\t)", "GNU as refuses the sizes ABCD.B and EXG.L"},
    {R"(^\tmovem(\.[wl])?\t.*\bext\b)", "a symbol may name a register list"},
};

bool lenient(const QString& line, QString* reason = nullptr) {
    for (const Leniency& l : GnuGaps) {
        if (QRegularExpression(QString::fromLatin1(l.pattern)).match(line).hasMatch())
            return true;
    }
    for (const Leniency& l : Leniencies) {
        if (QRegularExpression(QString::fromLatin1(l.pattern)).match(line).hasMatch()) {
            if (reason)
                *reason = QString::fromLatin1(l.reason);
            return true;
        }
    }
    return false;
}

QString assembler() {
    return QStandardPaths::findExecutable(QStringLiteral("m68k-linux-gnu-as"));
}

} // namespace

class TestM68kOracle : public QObject {
    Q_OBJECT
private slots:
    // One run of the assembler serves both comparisons.
    void initTestCase() {
        const QString as = assembler();
        if (as.isEmpty())
            return;
        lines_ = generatedLines();
        QVERIFY(lines_.size() > 5000);
        QString problem;
        QVERIFY2(assemble(as, lines_, gnu_, problem), qPrintable(problem));
    }

    void verdictsAndLengthsAreGnuAs() {
        if (lines_.isEmpty())
            QSKIP("m68k-linux-gnu-as is not installed (scripts/setup.sh installs it)");
        const QStringList& lines = lines_;
        const Assembled& gnu = gnu_;
        QStringList wrong;
        int judged = 0, accepted = 0;
        for (int i = 0; i < lines.size(); ++i) {
            const int number = i + 1;
            const QByteArray text = lines[i].toLatin1();
            const LineCheck c = checkLine(text);
            if (c.verdict == Verdict::NotJudged) {
                wrong << QStringLiteral("%1: not judged").arg(lines[i]);
                continue;
            }
            ++judged;
            const bool gnuTakes = !gnu.rejected.contains(number) && gnu.bytes.value(number) > 0;
            const bool ours = c.verdict == Verdict::Encodable;
            accepted += gnuTakes;
            const int length = gnu.bytes.value(number);
            const bool same =
                gnuTakes == ours && (!ours || (length >= c.minBytes && length <= c.maxBytes));
            if (same || lenient(lines[i]))
                continue;
            wrong << QStringLiteral("%1: GNU as %2, checker %3 %4")
                         .arg(lines[i].trimmed(),
                              gnuTakes ? QStringLiteral("%1 bytes").arg(length)
                                       : QStringLiteral("rejects"),
                              ours ? QStringLiteral("%1-%2 bytes").arg(c.minBytes).arg(c.maxBytes)
                                   : QStringLiteral("rejects:"),
                              c.reason);
        }
        qInfo("%lld lines, %d judged, %d taken by GNU as, %lld differ", qlonglong(lines.size()),
              judged, accepted, qlonglong(wrong.size()));
        for (int i = 0; i < std::min<qsizetype>(wrong.size(), 5000); ++i)
            qWarning("%s", qPrintable(wrong[i]));
        QCOMPARE(wrong.size(), 0);
    }

    // Each leniency must still be needed: a pattern GNU as no longer takes
    // more readily than the checker is dropped from the list.
    void everyLeniencyIsUsed() {
        if (lines_.isEmpty())
            QSKIP("m68k-linux-gnu-as is not installed (scripts/setup.sh installs it)");
        const QStringList& lines = lines_;
        const Assembled& gnu = gnu_;
        std::vector<Leniency> all(std::begin(Leniencies), std::end(Leniencies));
        all.insert(all.end(), std::begin(GnuGaps), std::end(GnuGaps));
        for (const Leniency& l : all) {
            const QRegularExpression re(QString::fromLatin1(l.pattern));
            bool used = false;
            for (int i = 0; i < lines.size() && !used; ++i) {
                if (!re.match(lines[i]).hasMatch())
                    continue;
                const LineCheck c = checkLine(lines[i].toLatin1());
                const bool gnuTakes = !gnu.rejected.contains(i + 1) && gnu.bytes.value(i + 1) > 0;
                used = gnuTakes != (c.verdict == Verdict::Encodable) ||
                       (gnuTakes && gnu.bytes.value(i + 1) != c.minBytes);
            }
            QVERIFY2(used, l.reason);
        }
    }

    // Valid code gets no mark: the templates a new program starts from and
    // the sources the benchmarks generate.
    void validSourcesHaveNoMark_data() {
        QTest::addColumn<QByteArray>("text");
        for (const char* name : {"prg.wiz", "lib.wiz"}) {
            QFile f(QStringLiteral(QUAREDIT_SOURCE_DIR "/data/") + QLatin1String(name));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QTest::newRow(name) << f.readAll();
        }
        bench::SourceShape shape;
        shape.size = 200'000;
        QTest::newRow("benchmark source") << bench::generateSource(shape).toLatin1();
    }
    void validSourcesHaveNoMark() {
        QFETCH(QByteArray, text);
        int instructions = 0;
        for (QByteArray line : text.split('\n')) {
            if (line.endsWith('\r'))
                line.chop(1);
            const LineCheck c = checkLine(line);
            QVERIFY2(c.verdict != Verdict::Fault,
                     qPrintable(QString::fromLatin1(line) + QStringLiteral(": ") + c.reason));
            instructions += c.verdict == Verdict::Encodable;
        }
        QVERIFY(instructions > 0);
    }

private:
    QStringList lines_;
    Assembled gnu_;
};

QTEST_GUILESS_MAIN(TestM68kOracle)
#include "tst_m68koracle.moc"
