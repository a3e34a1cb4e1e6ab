#include "core/compile/BatchText.h"

#include <QtTest>

using namespace quaredit;

class TestBatchText : public QObject {
    Q_OBJECT
private slots:
    void generatedFileBytes_data() {
        QTest::addColumn<int>("config");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QByteArray>("tail");
        const QByteArray head = "@ECHO OFF\r\nECHO Set Environment Variables...\r\nECHO.\r\n";
        QTest::newRow("quaro II adds BIN to the variable")
            << 1 << "/opt/quaro/"
            << head + "SET QUARO=/opt/quaro/\r\nPATH=%PATH%;%QUARO%\\BIN\r\nquaro %1\r\n";
        QTest::newRow("plusshell spells its variable with eight letters")
            << 2 << "/opt/ps/"
            << head + "SET PLUSSHEL=/opt/ps/\r\nPATH=%PATH%;%PLUSSHEL%\r\nasm92p %1\r\n";
        QTest::newRow("doorsos alone sets PATH with SET")
            << 3 << "/opt/doors/"
            << head + "SET DOORSOS=/opt/doors/\r\nSET PATH=%PATH%;%DOORSOS%\r\ndoors %1\r\n";
        QTest::newRow("placeholder folder goes in unchanged")
            << 1 << "[COMPILATOR PATH]"
            << head + "SET QUARO=[COMPILATOR PATH]\r\nPATH=%PATH%;%QUARO%\\BIN\r\nquaro %1\r\n";
        QTest::newRow("empty folder leaves the prefix alone")
            << 3 << "" << head + "SET DOORSOS=\r\nSET PATH=%PATH%;%DOORSOS%\r\ndoors %1\r\n";
        QTest::newRow("folder with spaces and a trailing backslash is not quoted or trimmed")
            << 1 << "C:\\My Tools\\"
            << head + "SET QUARO=C:\\My Tools\\\r\nPATH=%PATH%;%QUARO%\\BIN\r\nquaro %1\r\n";
        QTest::newRow("8-bit folder name keeps its byte") << 2 << QString::fromLatin1("/opt/\xe9")
                                                          << head + "SET PLUSSHEL=/opt/\xe9\r\n"
                                                                    "PATH=%PATH%;%PLUSSHEL%\r\n"
                                                                    "asm92p %1\r\n";
    }
    void generatedFileBytes() {
        QFETCH(int, config);
        QFETCH(QString, folder);
        QFETCH(QByteArray, tail);
        const QStringList lines = GenerateBatchText(config, folder);
        QCOMPARE(lines.size(), 6);
        QCOMPARE(batchBytesFromLines(lines), tail);
        QCOMPARE(lines[BatchFolderLine], batchVariablePrefix(config) + folder);
    }

    void onlyPredefinedConfigsGenerate() {
        QVERIFY(GenerateBatchText(ConfigNone, "/x/").isEmpty());
        QVERIFY(GenerateBatchText(4, "/x/").isEmpty());
        QVERIFY(GenerateBatchText(-1, "/x/").isEmpty());
        QVERIFY(batchVariablePrefix(ConfigNone).isEmpty());
    }

    void readingLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("lone LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
        QTest::newRow("lone CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("mixed ends")
            << QByteArray("a\rb\nc\r\nd") << QStringList{"a", "b", "c", "d"};
        QTest::newRow("last line without an end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
        QTest::newRow("empty lines are lines")
            << QByteArray("a\r\n\r\n\nb\r\n") << QStringList{"a", "", "", "b"};
        QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("only a line end") << QByteArray("\r\n") << QStringList{""};
    }
    void readingLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(batchLinesFromBytes(bytes), lines);
    }

    void linesSurviveWriteAndRead() {
        const QStringList lines{"@echo off", "", QString::fromLatin1("rem \xff\x80"), "", ""};
        const QByteArray bytes = batchBytesFromLines(lines);
        QVERIFY(bytes.endsWith("\r\n\r\n"));
        QCOMPARE(batchLinesFromBytes(bytes), lines);
        // An edit box shows the same lines and gives them back.
        QCOMPARE(batchLinesFromText(batchDisplayText(lines)), lines);
    }

    void indexOutsideTheTableFallsBackToQuaro() {
        QCOMPARE(validConfigIndex(0), 0);
        QCOMPARE(validConfigIndex(3), 3);
        QCOMPARE(validConfigIndex(9), int(ConfigQuaro2));
        QCOMPARE(validConfigIndex(-1), int(ConfigQuaro2));
    }
};

QTEST_APPLESS_MAIN(TestBatchText)
#include "tst_batchtext.moc"
