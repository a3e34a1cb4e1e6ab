#include "platform/settings/IniKeyStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quaredit;

class TestIniStore : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path;

    void writeFile(const QByteArray& bytes) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

private slots:
    void init() {
        path = dir.filePath(QString("%1.ini").arg(QTest::currentTestFunction()) +
                            QString::number(qHash(QString(QTest::currentDataTag()))));
        QFile::remove(path);
    }

    void textsRoundTripExactly_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("commas") << "a,b, c";
        QTest::newRow("semicolon and hash") << "x;y # not a comment";
        QTest::newRow("equals and percent") << "k=v 100% %1";
        QTest::newRow("quotes") << "say \"hi\" 'there'";
        QTest::newRow("backslashes") << "C:\\Tools\\asm\\";
        QTest::newRow("blanks at both ends") << "  padded  ";
        QTest::newRow("latin-1") << QString::fromLatin1("caf\xe9 \xa9 \xff");
        QTest::newRow("leading at sign") << "@Variant(junk)";
        QTest::newRow("empty") << "";
    }
    void textsRoundTripExactly() {
        QFETCH(QString, text);
        {
            IniKeyStore s(path);
            QVERIFY(s.createKey("Options\\User"));
            QVERIFY(s.writeText("Options\\User", "CompilPath", text));
            QVERIFY(s.writeText("", "Root", text));
            QVERIFY(s.flush());
        }
        IniKeyStore s(path); // a fresh reader sees only the file
        QCOMPARE(s.readText("Options\\User", "CompilPath"), text);
        QCOMPARE(s.readText("", "Root"), text);
    }

    void keysAreGroups() {
        IniKeyStore s(path);
        QVERIFY(!s.keyExists(""));
        QVERIFY(s.createKey("Options\\User"));
        QVERIFY(s.writeInt("Options\\User", "X", -7));
        QVERIFY(s.writeInt("", "MinVersion", 1));
        QVERIFY(s.flush());
        QVERIFY(s.keyExists("") && s.keyExists("Options") && s.keyExists("Options\\User"));
        QVERIFY(!s.keyExists("Options\\Use") && !s.keyExists("options"));
        QCOMPARE(s.readInt("Options\\User", "X"), -7);

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray ini = f.readAll();
        QVERIFY2(ini.contains("[General]\nMinVersion=1"), ini.constData());
        QVERIFY2(ini.contains("[Options]\nUser\\X=-7") || ini.contains("[Options/User]\nX=-7"),
                 ini.constData());

        QVERIFY(s.deleteKey("Options"));
        QVERIFY(!s.keyExists("Options\\User"));
        QVERIFY(s.keyExists(""));
        QVERIFY(!s.deleteKey("Options"));
    }

    void handEditedValues_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QVariant>("asText"); // invalid: missing
        QTest::addColumn<QVariant>("asInt");
        QTest::newRow("unquoted comma keeps its text")
            << QByteArray("V=a,b") << QVariant("a,b") << QVariant();
        QTest::newRow("typed folder with comma, semicolon and backslashes")
            << QByteArray("V=C:\\my tools,v2;old\\") << QVariant("C:\\my tools,v2;old\\")
            << QVariant();
        QTest::newRow("semicolon is not a comment inside a value")
            << QByteArray("V=/home/u/a;b") << QVariant("/home/u/a;b") << QVariant();
        QTest::newRow("quoted value is the writer's own")
            << QByteArray("V=\"a,b;c\"") << QVariant("a,b;c") << QVariant();
        QTest::newRow("number") << QByteArray("V=42") << QVariant("42") << QVariant(42);
        QTest::newRow("padded number") << QByteArray("V= -5 ") << QVariant("-5") << QVariant(-5);
        QTest::newRow("trailing junk") << QByteArray("V=12abc") << QVariant("12abc") << QVariant();
        QTest::newRow("empty") << QByteArray("V=") << QVariant("") << QVariant();
        QTest::newRow("past 32 bits")
            << QByteArray("V=99999999999") << QVariant("99999999999") << QVariant();
        QTest::newRow("largest") << QByteArray("V=2147483647") << QVariant("2147483647")
                                 << QVariant(2147483647);
        QTest::newRow("hexadecimal") << QByteArray("V=0x10") << QVariant("0x10") << QVariant();
    }
    void handEditedValues() {
        QFETCH(QByteArray, line);
        QFETCH(QVariant, asText);
        QFETCH(QVariant, asInt);
        writeFile("[OldFiles]\n" + line + "\n");
        IniKeyStore s(path);
        const auto text = s.readText("OldFiles", "V");
        QCOMPARE(text.has_value(), asText.isValid());
        if (text)
            QCOMPARE(*text, asText.toString());
        const auto number = s.readInt("OldFiles", "V");
        QCOMPARE(number.has_value(), asInt.isValid());
        if (number)
            QCOMPARE(*number, asInt.toInt());
        QVERIFY(!s.readText("OldFiles", "Missing").has_value());
    }

    void garbageFileDoesNotCrash() {
        QByteArray junk(
            "[Options]\nKept=3\n[[[\n=\n\\\\\\=\n[Options\n\xff\xfegarbage\n@Variant(\\0\\0)\n");
        for (int i = 0; i < 256; ++i)
            junk.append(char(i));
        writeFile(junk);
        IniKeyStore s(path);
        s.keyExists("");
        s.keyExists("Options");
        s.readInt("", "MinVersion");
        s.readText("Options", "garbage");
        // What could be read survives, and the file can be written again.
        QCOMPARE(s.readInt("Options", "Kept"), 3);
        QVERIFY(s.createKey("Options"));
        QVERIFY(s.writeInt("Options", "UsePredef", 1));
        QVERIFY(s.flush());
        IniKeyStore again(path);
        QCOMPARE(again.readInt("Options", "UsePredef"), 1);
        QCOMPARE(again.readInt("Options", "Kept"), 3);
    }

    void unwritableLocationRefusesCreate() {
        QFile blocker(dir.filePath("notAFolder"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        IniKeyStore s(dir.filePath("notAFolder/alpha5.ini"));
        QVERIFY(!s.createKey(""));
        QVERIFY(!s.createKey("Options"));
        QVERIFY(!s.writeInt("", "MinVersion", 1));
    }
};

QTEST_APPLESS_MAIN(TestIniStore)
#include "tst_inistore.moc"
