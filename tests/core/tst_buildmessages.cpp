// Assembler output turned into messages: real lines of each tool's format,
// and lines that look like places but are not.
#include "core/compile/BuildLog.h"
#include "core/compile/BuildMessages.h"
#include "core/compile/MessagePaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quaredit;

Q_DECLARE_METATYPE(MessageSeverity)

namespace {
constexpr MessageSeverity E = MessageSeverity::Error;
constexpr MessageSeverity W = MessageSeverity::Warning;
constexpr MessageSeverity N = MessageSeverity::Note;
} // namespace

class TestBuildMessages : public QObject {
    Q_OBJECT

private slots:
    void recognisedLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("lineNumber");
        QTest::addColumn<int>("column");
        QTest::addColumn<MessageSeverity>("severity");
        QTest::addColumn<QString>("text");
        QTest::newRow("GNU as error")
            << "prog.asm:4: Error: Unknown operator -- statement `mvoe.l d0,d1' ignored"
            << "prog.asm" << 4 << 0 << E
            << "Error: Unknown operator -- statement `mvoe.l d0,d1' ignored";
        QTest::newRow("GNU as warning")
            << "src/prog.s:17: Warning: end of file not at end of a line"
            << "src/prog.s" << 17 << 0 << W << "Warning: end of file not at end of a line";
        QTest::newRow("file:line:col:") << "prog.s:12:5: error: unknown mnemonic"
                                        << "prog.s" << 12 << 5 << E << "error: unknown mnemonic";
        QTest::newRow("note after a place") << "lib/util.h:3:1: note: defined here"
                                            << "lib/util.h" << 3 << 1 << N << "note: defined here";
        QTest::newRow("name with a blank")
            << "hello world.asm:9: Error: bad register"
            << "hello world.asm" << 9 << 0 << E << "Error: bad register";
        QTest::newRow("tool name before the place")
            << "as: prog.asm:3: Error: junk at end of line"
            << "prog.asm" << 3 << 0 << E << "Error: junk at end of line";
        QTest::newRow("make's own file")
            << "Makefile:12: recipe for target 'all' failed"
            << "Makefile" << 12 << 0 << E << "recipe for target 'all' failed";
        QTest::newRow("file named error, said warning")
            << "error.asm:2: Warning: value truncated"
            << "error.asm" << 2 << 0 << W << "Warning: value truncated";
        QTest::newRow("Wine drive path, GNU form")
            << "Z:\\home\\u\\prog.asm:8: Error: bad operand"
            << "Z:\\home\\u\\prog.asm" << 8 << 0 << E << "Error: bad operand";
        QTest::newRow("DOS file(line)")
            << "PROG.ASM(12) : error A2008: syntax error : mvoe"
            << "PROG.ASM" << 12 << 0 << E << "error A2008: syntax error : mvoe";
        QTest::newRow("DOS file(line,col)")
            << "prog.asm(12,7): warning: branch could be short"
            << "prog.asm" << 12 << 7 << W << "warning: branch could be short";
        QTest::newRow("DOS drive path in parentheses")
            << "C:\\QUARO\\SRC\\PROG.ASM(40) Undefined symbol"
            << "C:\\QUARO\\SRC\\PROG.ASM" << 40 << 0 << E << "Undefined symbol";
        QTest::newRow("DOS path with blanks")
            << "C:\\Program Files\\x\\p.asm(3): error: x"
            << "C:\\Program Files\\x\\p.asm" << 3 << 0 << E << "error: x";
        QTest::newRow("vasm line N of quoted file")
            << "error 2 in line 3 of \"test.s\": unknown mnemonic <mvoe>"
            << "test.s" << 3 << 0 << E << "unknown mnemonic <mvoe>";
        QTest::newRow("vasm warning names the kind before the place")
            << "warning 62 in line 7 of \"test.s\": imported symbol <foo> was not referenced"
            << "test.s" << 7 << 0 << W << "imported symbol <foo> was not referenced";
        QTest::newRow("Line N of file") << "Line 21 of prog.asm: Undefined label"
                                        << "prog.asm" << 21 << 0 << E << "Undefined label";
        QTest::newRow("file line N") << "prog.asm line 33: warning: odd address"
                                     << "prog.asm" << 33 << 0 << W << "warning: odd address";
        QTest::newRow("quoted file, line N") << "\"inc/defs.h\", line 5: Error: redefined"
                                             << "inc/defs.h" << 5 << 0 << E << "Error: redefined";
        QTest::newRow("only a line: the source being built")
            << "Error at line 14: Undefined symbol LOOP"
            << "" << 14 << 0 << E << "Error at line 14: Undefined symbol LOOP";
        QTest::newRow("only a line, lower case, warning")
            << "  line 2: Warning - unused label"
            << "" << 2 << 0 << W << "line 2: Warning - unused label";
        QTest::newRow("a number that is not a file keeps looking for a line")
            << "Processed line 12 of 100"
            << "" << 12 << 0 << E << "Processed line 12 of 100";
    }
    void recognisedLines() {
        QFETCH(QString, line);
        QFETCH(QString, file);
        QFETCH(int, lineNumber);
        QFETCH(int, column);
        QFETCH(MessageSeverity, severity);
        QFETCH(QString, text);
        const auto message = BuildMessageRecogniser().recognise(line);
        QVERIFY(message.has_value());
        QCOMPARE(message->file, file);
        QCOMPARE(message->line, lineNumber);
        QCOMPARE(message->column, column);
        QCOMPARE(message->severity, severity);
        QCOMPARE(message->text, text);
    }

    void linesThatAreNoPlace_data() {
        QTest::addColumn<QString>("line");
        QTest::newRow("clock time") << "12:30:01";
        QTest::newRow("time in a sentence") << "Build started at 12:30:01";
        QTest::newRow("date and time") << "2026-12-09 12:30:01 assembling";
        QTest::newRow("URL with a port") << "see http://example.com:8080/docs:3: for help";
        QTest::newRow("URL alone") << "https://example.org:443/";
        QTest::newRow("Windows drive path without a line") << "Z:\\home\\u\\prog.asm";
        QTest::newRow("drive path and a count") << "C:\\QUARO\\BIN: 3 files";
        QTest::newRow("line zero") << "prog.asm:0: Error: x";
        QTest::newRow("function call with a number") << "call malloc(3) failed";
        QTest::newRow("word before parentheses") << "Error(12)";
        QTest::newRow("GNU as banner") << "prog.asm: Assembler messages:";
        QTest::newRow("byte count") << "Assembled 1234 bytes, 0 errors";
        QTest::newRow("plural lines") << "deadline 12 passed, 40 lines";
        QTest::newRow("a line number too long to be one") << "prog.asm:12345678901: x";
        QTest::newRow("control character in the name") << QString("pr\x01og.asm:3: x");
    }
    void linesThatAreNoPlace() {
        QFETCH(QString, line);
        const auto message = BuildMessageRecogniser().recognise(line);
        QVERIFY2(!message, qPrintable(message ? message->file + "|" + message->text : ""));
    }

    void userPatternComesFirst() {
        const BuildMessageRecogniser r(QStringLiteral(
            "^\\*\\* (?<file>\\S+) \\[(?<line>\\d+)/(?<col>\\d+)\\] (?<message>.*)$"));
        const auto own = r.recognise(QStringLiteral("** prog.asm [7/3] warning: odd"));
        QVERIFY(own);
        QCOMPARE(*own, (BuildMessage{"prog.asm", 7, 3, W, "warning: odd"}));
        // Lines the pattern does not take still go through the table.
        const auto gnu = r.recognise(QStringLiteral("prog.asm:4: Error: x"));
        QVERIFY(gnu);
        QCOMPARE(gnu->line, 4);
    }

    void invalidPatternsAreExplained_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("says");
        QTest::newRow("unbalanced") << "(?<file>\\S+):(?<line>\\d+"
                                    << "not a valid regular";
        QTest::newRow("no line group") << "(?<file>\\S+):(\\d+)"
                                       << "no (?<line>...)";
        QTest::newRow("neither group") << "(\\S+):(\\d+)"
                                       << "no (?<file>...) and no (?<line>...)";
    }
    void invalidPatternsAreExplained() {
        QFETCH(QString, pattern);
        QFETCH(QString, says);
        const auto problem = BuildMessageRecogniser::patternProblem(pattern);
        QVERIFY(problem);
        QVERIFY2(problem->contains(says), qPrintable(*problem));
        // Refused patterns leave the table working.
        QVERIFY(BuildMessageRecogniser(pattern).recognise(QStringLiteral("a.s:2: x")));
        QVERIFY(!BuildMessageRecogniser::patternProblem(QString()));
    }

    void pathsOfMessages() {
        QTemporaryDir home;
        const QString root = home.path();
        QVERIFY(QDir().mkpath(root + "/prefix/dosdevices"));
        QVERIFY(QDir().mkpath(root + "/prefix/drive_c/Quaro"));
        QVERIFY(QDir().mkpath(root + "/src/Sub"));
        QVERIFY(QFile::link("../drive_c", root + "/prefix/dosdevices/c:"));
        QVERIFY(QFile::link(root + "/src", root + "/prefix/dosdevices/s:"));
        QFile(root + "/src/Sub/Prog.asm").open(QIODevice::WriteOnly);
        QFile(root + "/prefix/drive_c/Quaro/lib.h").open(QIODevice::WriteOnly);
        MessagePlaces places;
        places.workingFolder = root + "/src";
        places.source = root + "/src/main.asm";
        places.drives = wineDrivesIn(root + "/prefix");
        places.openPaths = {root + "/src/Open.asm"};
        const QString zroot = QString(root).replace('/', '\\');
        const QList<std::pair<QString, QString>> cases = {
            {"", root + "/src/main.asm"},
            {"main.asm", root + "/src/main.asm"},
            {"../src/./Sub/Prog.asm", root + "/src/Sub/Prog.asm"},
            {"Z:" + zroot + "\\src\\Sub\\Prog.asm", root + "/src/Sub/Prog.asm"},
            {"z:" + zroot.toUpper() + "\\SRC\\SUB\\PROG.ASM", root + "/src/Sub/Prog.asm"},
            {"C:\\QUARO\\LIB.H", root + "/prefix/drive_c/Quaro/lib.h"},
            {"S:\\Sub\\prog.asm", root + "/src/Sub/Prog.asm"},
            {"Sub\\Prog.asm", root + "/src/Sub/Prog.asm"},
            {"open.ASM", root + "/src/Open.asm"},
            {"/abs/none.asm", "/abs/none.asm"},
        };
        for (const auto& [printed, expected] : cases)
            QCOMPARE(resolveMessagePath(printed, places), expected);
        // Without a prefix, Z: is still the root folder.
        places.drives = wineDrivesIn(root + "/no-prefix");
        QCOMPARE(resolveMessagePath("Z:" + zroot + "\\src\\Sub\\Prog.asm", places),
                 root + "/src/Sub/Prog.asm");
    }

    void outputBecomesLines_data() {
        QTest::addColumn<QList<QByteArray>>("pieces");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("partial");
        QTest::newRow("CR LF split across pieces")
            << QList<QByteArray>{"one\r", "\ntwo\r\n"} << QStringList{"one", "two"} << "";
        QTest::newRow("lone CR rewrites the current line")
            << QList<QByteArray>{"10%\r20%\r", "30%\rdone\n"} << QStringList{"done"} << "";
        QTest::newRow("unfinished line stays partial")
            << QList<QByteArray>{"a\nhalf", " line"} << QStringList{"a"} << "half line";
        QTest::newRow("high bytes are Latin-1")
            << QList<QByteArray>{"caf\xe9 \x80\xff\n"}
            << QStringList{QString::fromLatin1("caf\xe9 \x80\xff")} << "";
        QTest::newRow("empty lines count")
            << QList<QByteArray>{"\n\n"} << QStringList{"", ""} << "";
    }
    void outputBecomesLines() {
        QFETCH(QList<QByteArray>, pieces);
        QFETCH(QStringList, lines);
        QFETCH(QString, partial);
        BuildLog log;
        for (const QByteArray& piece : pieces)
            log.append(piece);
        QStringList got;
        for (qsizetype i = 0; i < log.lineCount(); ++i)
            got << log.line(i).text;
        QCOMPARE(got, lines);
        QCOMPARE(log.partial(), partial);
    }

    void historyIsBoundedAndMessagesKeepTheirLines() {
        BuildLog log(BuildMessageRecogniser(), 3);
        log.append("p.s:1: Error: a\nx\ny\np.s:2: Warning: b\nz\n");
        QCOMPARE(log.lineCount(), 3);
        QCOMPARE(log.droppedLines(), 2);
        QCOMPARE(log.line(0).text, QString("y"));
        QCOMPARE(log.messages().size(), size_t(2));
        QCOMPARE(log.rowOfMessage(0), -1); // its line was dropped
        QCOMPARE(log.rowOfMessage(1), 1);
        QCOMPARE(log.line(1).message, 1);
        QCOMPARE(log.count(E), 1);
        QCOMPARE(log.count(W), 1);
        // A line without an end does not grow for ever.
        BuildLog endless;
        endless.append(QByteArray(BuildLog::MaxLineLength * 2 + 5, 'x'));
        QCOMPARE(endless.lineCount(), 2);
        QCOMPARE(endless.partial().size(), 5);
        endless.finish();
        QCOMPARE(endless.lineCount(), 3);
    }
};

QTEST_APPLESS_MAIN(TestBuildMessages)
#include "tst_buildmessages.moc"
