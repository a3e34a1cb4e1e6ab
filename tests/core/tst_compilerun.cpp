#include "core/compile/CompileRun.h"

#include <QtTest>

using namespace quaredit;

class TestCompileRun : public QObject {
    Q_OBJECT

private slots:
    void commandRunsTheBatchOnTheBaseName_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("folder");
        QTest::newRow("plain source") << "/src/hello.asm"
                                      << "/tools/compil.bat hello"
                                      << "/src/";
        QTest::newRow("only the last extension dropped") << "/src/my.prog.asm"
                                                         << "/tools/compil.bat my.prog"
                                                         << "/src/";
        QTest::newRow("dot in the folder only") << "/my.src/prog"
                                                << "/tools/compil.bat prog"
                                                << "/my.src/";
        QTest::newRow("blank in the folder") << "/a b/p.asm"
                                             << "/tools/compil.bat p"
                                             << "/a b/";
    }
    void commandRunsTheBatchOnTheBaseName() {
        QFETCH(QString, source);
        QFETCH(QString, commandLine);
        QFETCH(QString, folder);
        const CompileCommand c =
            compileCommandFor(DataFolders::beside("/tools/"), compileMarkerOf(source));
        QCOMPARE(c.commandLine(), commandLine);
        QCOMPARE(c.batchFile, QString("/tools/compil.bat"));
        QCOMPARE(c.workingFolder, folder);
    }

    void onlyProgramSourcesOnDiskCompile_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("onDisk");
        QTest::addColumn<bool>("compiles");
        QTest::newRow("saved program") << "/s/p.asm" << true << true;
        QTest::newRow("wizard program without a file") << "/s/p.asm" << false << false;
        QTest::newRow("include file") << "/s/p.h" << true << false;
        QTest::newRow("text file") << "/s/p.txt" << true << false;
        QTest::newRow("upper-case extension is not a program") << "/s/P.ASM" << true << false;
    }
    void onlyProgramSourcesOnDiskCompile() {
        QFETCH(QString, path);
        QFETCH(bool, onDisk);
        QFETCH(bool, compiles);
        Document doc;
        doc.setPath(path);
        doc.OnDisk = onDisk;
        QCOMPARE(canCompile(doc), compiles);
        QVERIFY(!canCompile(Document{}));
    }

    void batchTextRefusesInterpreterSyntax_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("safeLine");     // a folder on a batch line
        QTest::addColumn<bool>("safeArgument"); // the name passed as %1
        QTest::newRow("plain name") << "hello" << true << true;
        QTest::newRow("dots and blanks") << "my prog.v1" << true << true;
        QTest::newRow("Latin-1 letters") << QString::fromLatin1("d\xe9j\xe0") << true << true;
        QTest::newRow("Program Files (x86) folder") << "C:\\Program Files (x86)\\" << true << false;
        QTest::newRow("parenthesis closes a block") << "x)evil(" << true << false;
        QTest::newRow("comma splits the argument") << "a,b" << true << false;
        QTest::newRow("equals splits the argument") << "b=c" << true << false;
        QTest::newRow("semicolon splits the argument") << "a;b" << true << false;
        QTest::newRow("command separator") << "a&calc" << false << false;
        QTest::newRow("separator in a folder") << "/opt/Tools & echo INJECTED/" << false << false;
        QTest::newRow("pipe") << "a|b" << false << false;
        QTest::newRow("redirection") << "a>b" << false << false;
        QTest::newRow("escape") << "a^b" << false << false;
        QTest::newRow("variable") << "%PATH%" << false << false;
        QTest::newRow("quote") << "a\"b" << false << false;
        QTest::newRow("line break") << "a\nb" << false << false;
    }
    void batchTextRefusesInterpreterSyntax() {
        QFETCH(QString, text);
        QFETCH(bool, safeLine);
        QFETCH(bool, safeArgument);
        QCOMPARE(isSafeBatchText(text), safeLine);
        QCOMPARE(isSafeBatchArgument(text), safeArgument);
    }

    void dosPathMapsTheRootToDriveZ() {
        QCOMPARE(dosPathOf("/opt/quaredit/compil.bat"), QString("Z:\\opt\\quaredit\\compil.bat"));
        QCOMPARE(dosPathOf("rel/x.bat"), QString("rel\\x.bat"));
    }
};

QTEST_APPLESS_MAIN(TestCompileRun)
#include "tst_compilerun.moc"
