#include "core/tools/Sprite.h"

#include <QtTest>

using namespace quaredit;

namespace {

// The lines after the edits, applied the way the editor applies them.
QStringList applied(QStringList lines, const LineEdits& edits) {
    for (const auto& e : edits) {
        switch (e.kind) {
        case LineEdit::Kind::InsertBefore:
            lines.insert(e.line, e.text);
            break;
        case LineEdit::Kind::Replace:
            lines[e.line] = e.text;
            break;
        case LineEdit::Kind::Delete:
            lines.removeAt(e.line);
            break;
        }
    }
    return lines;
}

QString bytes(int n) {
    QStringList groups;
    for (int i = 0; i < n; ++i)
        groups << QStringLiteral("%00000000");
    return QStringLiteral("\tdc.b\t") + groups.join(QStringLiteral(", "));
}

} // namespace

class TestSprite : public QObject {
    Q_OBJECT
private slots:
    void rowByWidth_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("row");
        QTest::newRow("8 is one byte") << 8 << "\tdc.b\t%00000000";
        QTest::newRow("16 is one word") << 16 << "\tdc.w\t%0000000000000000";
        QTest::newRow("24 is three bytes") << 24 << "\tdc.b\t%00000000, %00000000, %00000000";
        QTest::newRow("32 is one long word") << 32 << "\tdc.l\t%00000000000000000000000000000000";
        QTest::newRow("64 is eight bytes, not two long words") << 64 << bytes(8);
        QTest::newRow("128 is sixteen bytes") << 128 << bytes(16);
        QTest::newRow("width between steps rounds up") << 12 << "\tdc.w\t%0000000000000000";
        QTest::newRow("no width, no row") << 0 << "";
    }
    void rowByWidth() {
        QFETCH(int, width);
        QFETCH(QString, row);
        QCOMPARE(SpriteRow(width), row);
    }

    // Every width the arrows reach gives exactly one bit per pixel column.
    void everyWidthHasOneBitPerColumn() {
        for (int w = MinSpriteWidth; w <= MaxSpriteWidth; w += SpriteWidthStep) {
            const QString row = SpriteRow(w);
            QVERIFY2(row.startsWith(QLatin1Char('\t')), qPrintable(row));
            QCOMPARE(row.count(QLatin1Char('0')), w);
            QCOMPARE(row.count(QLatin1Char('%')), (w == 16 || w == 32) ? 1 : w / 8);
        }
    }

    void insertionAtTheCaretLine_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("caretLine");
        QTest::addColumn<QStringList>("expectedHead"); // lines from caretLine on
        const QString b = QStringLiteral("\tdc.b\t%00000000");
        QTest::newRow("label then rows, old line moves down by h + 1")
            << "ship" << 8 << 3 << 10 << QStringList{"ship:", b, b, b, "line 10"};
        QTest::newRow("name kept as typed, even with a colon")
            << "ship:" << 8 << 1 << 0 << QStringList{"ship::", b, "line 0"};
        QTest::newRow("at the last line") << "s" << 16 << 2 << 19
                                          << QStringList{"s:", "\tdc.w\t%0000000000000000",
                                                         "\tdc.w\t%0000000000000000", "line 19"};
    }
    void insertionAtTheCaretLine() {
        QFETCH(QString, name);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, caretLine);
        QFETCH(QStringList, expectedHead);
        QStringList doc;
        for (int i = 0; i < 20; ++i)
            doc << QStringLiteral("line %1").arg(i);
        const QStringList out = applied(doc, spriteEdits(name, width, height, caretLine));
        QCOMPARE(out.size(), doc.size() + height + 1);
        QCOMPARE(out.mid(0, caretLine), doc.mid(0, caretLine));
        QCOMPARE(out.mid(caretLine, expectedHead.size()), expectedHead);
        QCOMPARE(out.mid(caretLine + height + 1), doc.mid(caretLine));
    }

    void nothingWithoutASize() {
        QVERIFY(spriteEdits(QStringLiteral("s"), 8, 0, 0).isEmpty());
        QVERIFY(spriteEdits(QStringLiteral("s"), 0, 8, 0).isEmpty());
    }

    void heightBox_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("tooHigh");
        QTest::newRow("emptied box reads 0") << "" << 0 << false;
        QTest::newRow("leading zero dropped") << "07" << 7 << false;
        QTest::newRow("maximum accepted quietly") << "128" << 128 << false;
        QTest::newRow("one over the maximum") << "129" << 128 << true;
        QTest::newRow("typed 200") << "200" << 128 << true;
        QTest::newRow("too many digits for a number") << "99999999999" << 128 << true;
    }
    void heightBox() {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(bool, tooHigh);
        const SpriteHeight h = readSpriteHeight(text);
        QCOMPARE(h.value, value);
        QCOMPARE(h.tooHigh, tooHigh);
    }

    void widthBoxRoundsUp_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::newRow("multiple of 8 stays") << "24" << 24;
        QTest::newRow("one over a step") << "9" << 16;
        QTest::newRow("not a number") << "x" << 0;
        // A pasted number past the box's range: the widest sprite, never a
        // row of gigabytes or an overflow.
        QTest::newRow("past the widest") << "999999999" << MaxSpriteWidth;
        QTest::newRow("the largest number") << "2147483647" << MaxSpriteWidth;
    }
    void widthBoxRoundsUp() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QCOMPARE(roundSpriteWidth(text), width);
    }

    void rowsAreNeverWiderThanTheWidestSprite() {
        QCOMPARE(SpriteRow(1000000000), SpriteRow(MaxSpriteWidth));
        QCOMPARE(spriteEdits("s", MaxSpriteWidth, 1000000000, 0).size(), MaxSpriteHeight + 1);
    }

    void okCheck_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("height");
        QTest::addColumn<int>("check");
        QTest::newRow("name and height") << "ship"
                                         << "8" << int(SpriteInputCheck::Accepted);
        QTest::newRow("missing name comes first") << ""
                                                  << "0" << int(SpriteInputCheck::MissingName);
        QTest::newRow("zero height") << "ship"
                                     << "0" << int(SpriteInputCheck::ZeroHeight);
        QTest::newRow("emptied height") << "ship"
                                        << "" << int(SpriteInputCheck::ZeroHeight);
        QTest::newRow("blank name is a name") << " "
                                              << "1" << int(SpriteInputCheck::Accepted);
    }
    void okCheck() {
        QFETCH(QString, name);
        QFETCH(QString, height);
        QFETCH(int, check);
        QCOMPARE(int(checkSpriteInput(name, height)), check);
    }
};

QTEST_APPLESS_MAIN(TestSprite)
#include "tst_sprite.moc"
