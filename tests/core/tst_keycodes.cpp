#include "core/reference/KeyCodes.h"
#include "core/reference/KeyCodesSource.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <limits>

using namespace quaredit;

namespace {

// A file with the right version and `size` bytes, every other byte zero.
QByteArray validFile(qsizetype size = KeyCodesFileSize) {
    QByteArray bytes(size, '\0');
    if (size > KeyVersionOffset)
        bytes[KeyVersionOffset] = 0x01;
    return bytes;
}

void putCode(QByteArray& bytes, qsizetype offset, qint32 value) {
    qToLittleEndian<qint32>(value, bytes.data() + offset);
}

qsizetype recordOffset(int index) {
    return KeyRecordsOffset + index * KeyRecordSize;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestKeyCodes : public QObject {
    Q_OBJECT
private slots:
    void shippedFileIsWhatTheTableSays() {
        const QByteArray bytes = readAll(QStringLiteral(QUAREDIT_BIN_DIR "/keycodes.lst"));
        QCOMPARE(bytes.size(), KeyCodesFileSize);
        const KeyCodesLoad load = parseKeyCodes(bytes);
        QVERIFY(load.ok());

        // The build must not lag behind the readable table.
        const KeyCodesSource source =
            parseKeyCodesSource(readAll(QStringLiteral(QUAREDIT_SOURCE_DIR "/data/keycodes.tsv")));
        QVERIFY2(source.ok(), qPrintable(source.error));
        QCOMPARE(load.table, source.table);
        QVERIFY(!load.table.info.isEmpty());

        const KeyCodeTable& t = load.table;
        QCOMPARE(t.records[0].name, QByteArray("A"));
        QCOMPARE(keyCode(t, KeyGroup::Keys, 0, KeyModifier::None), 97);
        QCOMPARE(keyCode(t, KeyGroup::Function, 0, KeyModifier::None), 268);
        QCOMPARE(keyCode(t, KeyGroup::Function, 0, KeyModifier::Second), 4364);
        QCOMPARE(keyCode(t, KeyGroup::Pad, 0, KeyModifier::None), 338);
        QCOMPARE(t.records[size_t(keyGroupRange(KeyGroup::Special).first + 1)].name,
                 QByteArray("ESC"));
        QCOMPARE(keyCode(t, KeyGroup::Special, 1, KeyModifier::None), 264);
    }

    // Letters must agree with each other across the modifier columns: a typo
    // in one cell of the table would otherwise ship unnoticed.
    void shippedLettersFollowTheModifierRules() {
        const KeyCodeTable t =
            parseKeyCodes(readAll(QStringLiteral(QUAREDIT_BIN_DIR "/keycodes.lst"))).table;
        for (int i = 0; i < 26; ++i) {
            const KeyRecord& r = t.records[size_t(i)];
            const qint32 upper = 'A' + i;
            QCOMPARE(r.name, QByteArray(1, char(upper)));
            QCOMPARE(r.code(KeyModifier::None), upper + 32);
            QCOMPARE(r.code(KeyModifier::Maj), upper);
            QCOMPARE(r.code(KeyModifier::Lock), upper);
            QCOMPARE(r.code(KeyModifier::Diamond), 8192 + upper);
        }
        for (const KeyRecord& r : t.records) {
            QVERIFY(!r.name.isEmpty());
            QVERIFY(r.name.size() < KeyNameSize);
            QVERIFY(r.code(KeyModifier::None) != 0);
        }
    }

    void versionAndLength_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("error");

        const int invalid = int(KeyCodesError::InvalidVersion);
        QByteArray swapped = validFile();
        swapped[KeyVersionOffset] = 0x00;
        swapped[KeyVersionOffset + 1] = 0x01;
        QByteArray version2 = validFile();
        version2[KeyVersionOffset] = 0x02;
        QByteArray highByte = validFile();
        highByte[KeyVersionOffset + 1] = 0x01;
        QByteArray garbageBeforeVersion = validFile(KeyRecordsOffset);
        for (qsizetype i = KeyInfoSize; i < KeyVersionOffset; ++i)
            garbageBeforeVersion[i] = char(0xff);

        QTest::newRow("complete file") << validFile() << int(KeyCodesError::None);
        QTest::newRow("48 bytes is a file without keys")
            << validFile(48) << int(KeyCodesError::None);
        QTest::newRow("unused bytes before the version are ignored")
            << garbageBeforeVersion << int(KeyCodesError::None);
        QTest::newRow("swapped version bytes") << swapped << invalid;
        QTest::newRow("version 2") << version2 << invalid;
        QTest::newRow("version 257") << highByte << invalid;
        QTest::newRow("47 bytes cannot hold the version") << validFile(47) << invalid;
        QTest::newRow("info text only") << QByteArray(40, 'x') << invalid;
        QTest::newRow("empty file") << QByteArray() << invalid;
    }
    void versionAndLength() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, error);
        const KeyCodesLoad load = parseKeyCodes(bytes);
        QCOMPARE(int(load.error), error);
        if (!load.ok())
            QCOMPARE(load.table, KeyCodeTable{});
    }

    void fileWithoutKeysShowsEmptyLinesThatDoNotExist() {
        const KeyCodesLoad load = parseKeyCodes(validFile(48));
        QVERIFY(load.ok());
        for (int g = 0; g < KeyGroupCount; ++g) {
            const KeyRange range = keyGroupRange(KeyGroup(g));
            for (int line = 0; line < range.count; ++line) {
                QVERIFY(load.table.records[size_t(range.first + line)].name.isEmpty());
                for (int m = 0; m < KeyModifierCount; ++m)
                    QCOMPARE(keyCodeText(keyCode(load.table, KeyGroup(g), line, KeyModifier(m))),
                             QStringLiteral("doesn't exist"));
            }
        }
    }

    void shortFileFillsOnlyWholeRecords_data() {
        QTest::addColumn<qsizetype>("size");
        QTest::addColumn<int>("filled");
        QTest::newRow("one record") << recordOffset(1) << 1;
        QTest::newRow("record cut inside its codes") << recordOffset(3) + 20 << 3;
        QTest::newRow("record cut inside its name") << recordOffset(3) + 5 << 3;
        QTest::newRow("last record one byte short") << KeyCodesFileSize - 1 << 75;
        QTest::newRow("complete") << KeyCodesFileSize << 76;
        QTest::newRow("trailing bytes are not read") << KeyCodesFileSize + 100 << 76;
    }
    void shortFileFillsOnlyWholeRecords() {
        QFETCH(qsizetype, size);
        QFETCH(int, filled);
        QByteArray bytes = validFile(size);
        for (int i = 0; i < KeyRecordCount; ++i) {
            for (qsizetype b = 0; b < KeyRecordSize; ++b) {
                const qsizetype at = recordOffset(i) + b;
                if (at < size)
                    bytes[at] = b < 4 ? 'K' : b < KeyNameSize ? '\0' : char(i + 1);
            }
        }
        const KeyCodesLoad load = parseKeyCodes(bytes);
        QVERIFY(load.ok());
        for (int i = 0; i < KeyRecordCount; ++i) {
            const KeyRecord& r = load.table.records[size_t(i)];
            if (i < filled) {
                QCOMPARE(r.name, QByteArray("KKKK"));
                QCOMPARE(r.code(KeyModifier::Lock), (i + 1) * 0x01010101);
            } else {
                QCOMPARE(r, KeyRecord{});
            }
        }
    }

    void codesAreSignedLittleEndian_data() {
        QTest::addColumn<qint32>("value");
        QTest::newRow("small") << qint32(264);
        QTest::newRow("every byte differs") << qint32(0x12345678);
        QTest::newRow("minus one") << qint32(-1);
        QTest::newRow("lowest") << std::numeric_limits<qint32>::min();
    }
    void codesAreSignedLittleEndian() {
        QFETCH(qint32, value);
        // Function tab, line 0, [2nd]: record 36, code at record offset 20.
        QByteArray bytes = validFile();
        putCode(bytes, 1220, value);
        const KeyCodesLoad load = parseKeyCodes(bytes);
        QCOMPARE(keyCode(load.table, KeyGroup::Function, 0, KeyModifier::Second), value);
        QCOMPARE(keyCode(load.table, KeyGroup::Function, 0, KeyModifier::Diamond), 0);
        QCOMPARE(keyCode(load.table, KeyGroup::Keys, 35, KeyModifier::Second), 0);
        QCOMPARE(load.table.records[36].code(KeyModifier::Second), value);
    }

    void modifiersReadTheirOwnColumn() {
        QByteArray bytes = validFile();
        for (int m = 0; m < KeyModifierCount; ++m)
            putCode(bytes, recordOffset(44) + KeyNameSize + 4 * m, 100 + m);
        const KeyCodeTable t = parseKeyCodes(bytes).table;
        QCOMPARE(keyCode(t, KeyGroup::Pad, 0, KeyModifier::None), 100);
        QCOMPARE(keyCode(t, KeyGroup::Pad, 0, KeyModifier::Maj), 101);
        QCOMPARE(keyCode(t, KeyGroup::Pad, 0, KeyModifier::Second), 102);
        QCOMPARE(keyCode(t, KeyGroup::Pad, 0, KeyModifier::Diamond), 103);
        QCOMPARE(keyCode(t, KeyGroup::Pad, 0, KeyModifier::Lock), 104);
        QCOMPARE(keyCode(t, KeyGroup::Pad, -1, KeyModifier::None), 0);
        QCOMPARE(keyCode(t, KeyGroup::Pad, 8, KeyModifier::None), 0);
    }

    void textFieldsEndAtNulOrTheirSize_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QByteArray>("info");
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("NUL ends the text early")
            << QByteArray("ESC\0junk", 8) << QByteArray("ESC") << QByteArray("ESC");
        QTest::newRow("empty") << QByteArray(1, '\0') << QByteArray() << QByteArray();
        QTest::newRow("name of 11 characters")
            << QByteArray("Down-Right!\0", 12) << QByteArray("Down-Right!")
            << QByteArray("Down-Right!");
        QTest::newRow("no NUL: name cut at 11, info keeps 40")
            << QByteArray(40, 'n') << QByteArray(40, 'n') << QByteArray(11, 'n');
        QTest::newRow("8-bit characters kept")
            << QByteArray("\xe9\x88\0", 3) << QByteArray("\xe9\x88") << QByteArray("\xe9\x88");
    }
    void textFieldsEndAtNulOrTheirSize() {
        QFETCH(QByteArray, field);
        QFETCH(QByteArray, info);
        QFETCH(QByteArray, name);
        QByteArray bytes = validFile();
        bytes.replace(0, qMin(field.size(), KeyInfoSize), field.left(KeyInfoSize));
        bytes.replace(recordOffset(0), qMin(field.size(), KeyNameSize), field.left(KeyNameSize));
        putCode(bytes, recordOffset(0) + KeyNameSize, 97);
        const KeyCodesLoad load = parseKeyCodes(bytes);
        QCOMPARE(load.table.info, info);
        QCOMPARE(load.table.records[0].name, name);
        QCOMPARE(load.table.records[0].code(KeyModifier::None), 97);
    }

    void encodingRoundTrips() {
        KeyCodeTable t;
        t.info = "info text";
        for (int i = 0; i < KeyRecordCount; ++i) {
            t.records[size_t(i)].name = QByteArray::number(i);
            for (int m = 0; m < KeyModifierCount; ++m)
                t.records[size_t(i)].codes[size_t(m)] = (i - 40) * 1000 + m;
        }
        const QByteArray bytes = encodeKeyCodes(t);
        QCOMPARE(bytes.size(), KeyCodesFileSize);
        QCOMPARE(bytes.at(46), '\x01');
        QCOMPARE(bytes.at(47), '\0');
        QCOMPARE(parseKeyCodes(bytes).table, t);
    }

    void fileOnDisk() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QCOMPARE(readKeyCodesFile(dir.filePath("keycodes.lst")).error, KeyCodesError::CannotOpen);
        QCOMPARE(readKeyCodesFile(dir.path()).error, KeyCodesError::CannotOpen);

        QByteArray bytes = validFile();
        putCode(bytes, 1220, 4364);
        bytes.append(QByteArray(1 << 20, 'x')); // the tail is never read
        QFile file(dir.filePath("keycodes.lst"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        const KeyCodesLoad load = readKeyCodesFile(file.fileName());
        QVERIFY(load.ok());
        QCOMPARE(load.table.records[36].code(KeyModifier::Second), 4364);
    }

    void shownAndInsertedTexts() {
        QCOMPARE(keyCodeText(0), QStringLiteral("doesn't exist"));
        QCOMPARE(keyCodeText(264), QStringLiteral("264"));
        QCOMPARE(keyCodeText(-3), QStringLiteral("-3"));
        QCOMPARE(immediateOperand(264), QStringLiteral("#264"));
        QCOMPARE(immediateOperand(-1), QStringLiteral("#-1"));
        QCOMPARE(keyCodesErrorText(KeyCodesError::CannotOpen),
                 QStringLiteral(
                     "Cannot find the file 'keycodes.lst'. The KeyCode tool will be disabled."));
        QCOMPARE(keyCodesErrorText(KeyCodesError::InvalidVersion),
                 QStringLiteral(
                     "Invalid version of 'keycodes.lst'. The KeyCode tool will be disabled."));
    }

    // Damaged files of every length and content: decoding never reads out of
    // bounds (the sanitizer build checks) and never yields a name the window
    // could not show.
    void damagedFilesNeverBreakTheReader() {
        QByteArray shipped = readAll(QStringLiteral(QUAREDIT_BIN_DIR "/keycodes.lst"));
        if (shipped.isEmpty())
            shipped = validFile();
        for (qsizetype n = 0; n <= shipped.size(); ++n) {
            const KeyCodesLoad load = parseKeyCodes(shipped.left(n));
            QCOMPARE(load.ok(), n >= KeyRecordsOffset);
            // A cut copy is a detached buffer, so reads past its end are caught.
            if (load.ok() && n < KeyCodesFileSize) {
                const int whole = int((n - KeyRecordsOffset) / KeyRecordSize);
                QCOMPARE(load.table.records[size_t(whole)], KeyRecord{});
            }
        }
        QRandomGenerator random(20260108);
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes = round % 2 ? shipped : validFile();
            bytes.truncate(random.bounded(int(KeyCodesFileSize) + 64));
            if (bytes.size() < KeyCodesFileSize + 64 && round % 3 == 0)
                bytes.append(QByteArray(random.bounded(64), char(random.bounded(256))));
            const int flips = random.bounded(40);
            for (int f = 0; f < flips && !bytes.isEmpty(); ++f)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            const KeyCodesLoad load = parseKeyCodes(bytes);
            QVERIFY(load.table.info.size() <= KeyInfoSize);
            QVERIFY(!load.table.info.contains('\0'));
            for (const KeyRecord& r : load.table.records) {
                QVERIFY(r.name.size() < KeyNameSize);
                QVERIFY(!r.name.contains('\0'));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestKeyCodes)
#include "tst_keycodes.moc"
