#include "core/documents/TextFile.h"

#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quaredit;

class TestTextFile : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write test file");
        return path;
    }
    static QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

private slots:
    void linesAreWrittenWithCrLf_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("saved");
        QTest::newRow("crlf text is unchanged")
            << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n");
        QTest::newRow("lf lines") << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n");
        QTest::newRow("cr lines") << QByteArray("a\rb\r") << QByteArray("a\r\nb\r\n");
        QTest::newRow("mixed line ends")
            << QByteArray("a\r\nb\nc\rd") << QByteArray("a\r\nb\r\nc\r\nd\r\n");
        QTest::newRow("last line without line end gets one")
            << QByteArray("abc") << QByteArray("abc\r\n");
        QTest::newRow("empty text is an empty file") << QByteArray() << QByteArray();
        QTest::newRow("blank lines are kept")
            << QByteArray("\r\n\r\nx\r\n") << QByteArray("\r\n\r\nx\r\n");
        QTest::newRow("lone line break") << QByteArray("\n") << QByteArray("\r\n");
        QTest::newRow("cr lf lines but a lone lf at the end")
            << QByteArray("a\r\nb\n") << QByteArray("a\r\nb\r\n");
        QTest::newRow("cr lf lines but a lone cr at the end")
            << QByteArray("a\r\nb\r") << QByteArray("a\r\nb\r\n");
        QTest::newRow("lf first, then cr lf") << QByteArray("\na\r\n") << QByteArray("\r\na\r\n");
        QTest::newRow("cr cr lf is two line ends")
            << QByteArray("a\r\r\nb\r\n") << QByteArray("a\r\n\r\nb\r\n");
        QTest::newRow("lf cr is two line ends")
            << QByteArray("a\n\rb") << QByteArray("a\r\n\r\nb\r\n");
    }
    void linesAreWrittenWithCrLf() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, saved);
        QCOMPARE(toCrLfLines(text), saved);
    }

    void everyByteButNulSurvivesLoadAndSave() {
        QByteArray all;
        for (int b = 1; b < 256; ++b) {
            if (b != '\r' && b != '\n')
                all.append(char(b));
        }
        all.append("\r\n");
        const QString path = write("all.asm", all);
        const LoadedText loaded = loadTextFile(path);
        QVERIFY(loaded.ok());
        QCOMPARE(loaded.bytes, all);
        QVERIFY(!saveTextFile(path, loaded.bytes));
        QCOMPARE(read(path), all);
    }

    void refusedFilesNameTheFileAndTheReason_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("nul byte") << QByteArray("ab\0cd", 5) << "NUL";
        QTest::newRow("over the limit") << QByteArray(MaxEditorChars + 1, 'x') << "limit";
    }
    void refusedFilesNameTheFileAndTheReason() {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        const QString path = write("refused.asm", content);
        const LoadedText loaded = loadTextFile(path);
        QVERIFY(!loaded.ok());
        QVERIFY(loaded.bytes.isEmpty());
        QVERIFY2(loaded.error.contains(path), qPrintable(loaded.error));
        QVERIFY2(loaded.error.contains(reason), qPrintable(loaded.error));
    }

    void fileAtTheLimitIsAccepted() {
        const QString path = write("limit.asm", QByteArray(MaxEditorChars, 'x'));
        QVERIFY(loadTextFile(path).ok());
    }

    void failedSaveLeavesTheOldFileWhole() {
        const QString path = write("whole.asm", "old\r\n");
        std::optional<QString> error;
        {
            FileSizeLimit limit(1024);
            error = saveTextFile(path, QByteArray(8192, 'n'));
        }
        QVERIFY(error.has_value());
        QVERIFY(error->contains(path));
        QCOMPARE(read(path), QByteArray("old\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter("whole").size(), 1);
    }

    void backupCopyReplacesAnOlderBackup() {
        const QString path = write("prog.asm", "v2\r\n");
        const QString bak = write("prog.bak", "v1\r\n");
        QVERIFY(copyOverwriting(path, bak));
        QCOMPARE(read(bak), QByteArray("v2\r\n"));
        QVERIFY(!copyOverwriting(dir.filePath("missing.asm"), bak));
        QCOMPARE(read(bak), QByteArray("v2\r\n"));
    }
};

QTEST_APPLESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
