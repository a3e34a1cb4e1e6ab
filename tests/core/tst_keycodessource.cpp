#include "core/reference/KeyCodesSource.h"

#include <QtTest>

using namespace quaredit;

namespace {

// A well-formed table: row i is key "K<i>" with codes i*10 + modifier.
QList<QByteArray> validLines() {
    QList<QByteArray> lines{"# comment", "info\tA test table",
                            "group\tkey\tnone\tmaj\tsecond\tdia\tlock"};
    for (int g = 0; g < KeyGroupCount; ++g) {
        const KeyRange range = keyGroupRange(KeyGroup(g));
        for (int i = range.first; i < range.first + range.count; ++i) {
            QByteArray line = keyGroupName(KeyGroup(g)).toLatin1() + "\tK" + QByteArray::number(i);
            for (int m = 0; m < KeyModifierCount; ++m)
                line += '\t' + QByteArray::number(i * 10 + m);
            lines << line + "\tnotes are not read";
        }
    }
    return lines;
}

QByteArray joined(const QList<QByteArray>& lines, const char* end = "\n") {
    return lines.join(end) + end;
}

} // namespace

class TestKeyCodesSource : public QObject {
    Q_OBJECT
private slots:
    void acceptsAWellFormedTable_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("LF lines") << joined(validLines());
        QTest::newRow("CR LF lines") << joined(validLines(), "\r\n");
        QList<QByteArray> noNotes = validLines();
        for (QByteArray& line : noNotes)
            if (line.count('\t') == 7)
                line.truncate(line.lastIndexOf('\t'));
        QTest::newRow("without the notes column") << joined(noNotes);
        QList<QByteArray> spaced = validLines();
        spaced.insert(10, "");
        spaced.insert(50, "# a comment between keys");
        QTest::newRow("blank and comment lines between keys") << joined(spaced);
    }
    void acceptsAWellFormedTable() {
        QFETCH(QByteArray, text);
        const KeyCodesSource source = parseKeyCodesSource(text);
        QVERIFY2(source.ok(), qPrintable(source.error));
        QCOMPARE(source.table.info, QByteArray("A test table"));
        QCOMPARE(source.table.records[0].name, QByteArray("K0"));
        QCOMPARE(source.table.records[75].name, QByteArray("K75"));
        QCOMPARE(source.table.records[36].code(KeyModifier::Second), 362);
        QCOMPARE(source.table.records[75].code(KeyModifier::Lock), 754);
    }

    void refusesAMalformedTable_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("error");
        const QList<QByteArray> good = validLines();
        const int firstKey = 3;

        QList<QByteArray> l = good;
        l.removeAt(1);
        QTest::newRow("no info line") << joined(l) << "no info line";
        l = good;
        l.insert(2, "info\tagain");
        QTest::newRow("two info lines") << joined(l) << "line 3: a second info line";
        l = good;
        l[1] = "info\t" + QByteArray(41, 'i');
        QTest::newRow("info longer than 40") << joined(l) << "line 2: the info text";
        l = good;
        l.removeAt(firstKey + 40);
        QTest::newRow("a key missing")
            << joined(l) << "belongs to the group \"Function\", not \"Pad\"";
        l = good;
        l.removeLast();
        QTest::newRow("one key short at the end") << joined(l) << "75 keys instead of 76";
        l = good;
        l << l.last();
        QTest::newRow("one key too many") << joined(l) << "more than 76 keys";
        l = good;
        l.swapItemsAt(firstKey + 35, firstKey + 36);
        QTest::newRow("keys out of group order") << joined(l) << "line 39: key 35 belongs to";
        l = good;
        l[firstKey] = "Keys\tBackspace-Key\t1\t2\t3\t4\t5";
        QTest::newRow("name of 12 characters") << joined(l) << "line 4: a key name has 1 to 11";
        l = good;
        l[firstKey] = "Keys\t\t1\t2\t3\t4\t5";
        QTest::newRow("empty name") << joined(l) << "line 4: a key name";
        l = good;
        l[firstKey] = "Keys\tA\t97\t65\t0\t8257";
        QTest::newRow("four codes") << joined(l) << "line 4: a key needs";
        l = good;
        l[firstKey] = "Keys\tA\t97\t65\tx\t8257\t65";
        QTest::newRow("code not a number") << joined(l) << "\"x\" is not a 32-bit code";
        l = good;
        l[firstKey] = "Keys\tA\t97\t65\t2147483648\t8257\t65";
        QTest::newRow("code past 32 bits") << joined(l) << "\"2147483648\" is not";
    }
    void refusesAMalformedTable() {
        QFETCH(QByteArray, text);
        QFETCH(QString, error);
        const KeyCodesSource source = parseKeyCodesSource(text);
        QVERIFY(!source.ok());
        QVERIFY2(source.error.contains(error), qPrintable(source.error));
        QCOMPARE(source.table, KeyCodeTable{});
    }

    void negativeCodesAreKept() {
        QList<QByteArray> l = validLines();
        l[3] = "Keys\tA\t-1\t-2147483648\t0\t0\t0";
        const KeyCodesSource source = parseKeyCodesSource(joined(l));
        QVERIFY2(source.ok(), qPrintable(source.error));
        QCOMPARE(source.table.records[0].code(KeyModifier::None), -1);
        QCOMPARE(source.table.records[0].code(KeyModifier::Maj),
                 std::numeric_limits<qint32>::min());
    }
};

QTEST_APPLESS_MAIN(TestKeyCodesSource)
#include "tst_keycodessource.moc"
