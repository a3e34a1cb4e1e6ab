#include "core/reference/CharSet.h"
#include "core/reference/CharTable.h"

#include <QtTest>

using namespace quaredit;

class TestCharTable : public QObject {
    Q_OBJECT

private slots:
    void hitTest_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("code"); // -1: no cell
        QTest::newRow("top left pixel of the grid") << QPoint(30, 15) << 0;
        QTest::newRow("bottom right pixel of the last cell") << QPoint(269, 254) << 255;
        QTest::newRow("row heading band") << QPoint(29, 15) << -1;
        QTest::newRow("column heading band") << QPoint(30, 14) << -1;
        QTest::newRow("last pixel of cell 0") << QPoint(44, 29) << 0;
        QTest::newRow("grid line left of cell 1") << QPoint(45, 29) << 1;
        QTest::newRow("row 32 column 1") << QPoint(50, 50) << 33;
        QTest::newRow("closing line at the right") << QPoint(270, 100) << -1;
        QTest::newRow("closing line at the bottom") << QPoint(100, 255) << -1;
        QTest::newRow("negative coordinates") << QPoint(-5, -5) << -1;
        QTest::newRow("far outside") << QPoint(100000, 100000) << -1;
    }
    void hitTest() {
        QFETCH(QPoint, at);
        QFETCH(int, code);
        const std::optional<CharCell> cell = charCellAt(at);
        QCOMPARE(cell ? cell->code() : -1, code);
        if (cell) {
            QVERIFY(cell->column >= 0 && cell->column < 16);
            QVERIFY(cell->row >= 0 && cell->row < 16);
            QVERIFY(charCellRect(code).contains(at));
        }
    }

    // Every frame must sit on the white ring inside its cell's grid lines, or
    // erasing it would wipe a grid line or leave black pixels behind.
    void framesStayInsideTheirCells() {
        for (int code = 0; code < 256; ++code) {
            const CharCell cell{code % 16, code / 16};
            const QRect frame = charFrameRect(charFrameCorner(cell));
            const QRect inside = charCellRect(code).adjusted(1, 1, 0, 0);
            QCOMPARE(frame, inside);
            QCOMPARE(frame.size(), QSize(14, 14));
        }
        QCOMPARE(charFrameCorner({0, 0}), QPoint(31, 16));
        QCOMPARE(charFrameCorner({15, 15}), QPoint(256, 241));
    }

    void firstSelectionErasesTheInitialFrame() {
        CharTableSelection s;
        QCOMPARE(s.code(), 0);
        const auto change = s.press({32, 20});
        QVERIFY(change);
        QCOMPARE(change->erase, QRect(31, 16, 14, 14));
        QCOMPARE(change->draw, QRect(31, 16, 14, 14));
        QCOMPARE(s.code(), 0);
        s.release();
        QVERIFY(!s.tracking());
    }

    void selectingTheSelectedCellRedrawsNothing() {
        CharTableSelection s;
        s.press({100, 100});
        QVERIFY(!s.move({101, 101}));
        s.release();
        QVERIFY(!s.press({99, 99}));
        QCOMPARE(s.code(), charCellAt({100, 100})->code());
    }

    void movesErasePreviousFrame() {
        CharTableSelection s;
        s.press({32, 20});
        const auto change = s.move({50, 50});
        QVERIFY(change);
        QCOMPARE(change->erase, QRect(31, 16, 14, 14));
        QCOMPARE(change->draw, QRect(46, 46, 14, 14));
        QCOMPARE(s.frameCorner(), QPoint(46, 46));
        QCOMPARE(s.code(), 33);
    }

    void dragFromOutsideTheGridSelectsCrossedCells() {
        CharTableSelection s;
        QVERIFY(!s.press({5, 5})); // on the headings: tracking only
        QVERIFY(s.tracking());
        QCOMPARE(s.code(), 0);
        QVERIFY(!s.move({20, 40}));
        QVERIFY(s.move({40, 40}));
        QCOMPARE(s.code(), 16);
        QVERIFY(s.move({50, 40}));
        QCOMPARE(s.code(), 17);
        s.release();
        QVERIFY(!s.move({200, 200}));
        QCOMPARE(s.code(), 17);
    }

    void clickOutsideKeepsSelection() {
        CharTableSelection s;
        s.press({269, 254});
        s.release();
        QVERIFY(!s.press({270, 254}));
        QVERIFY(!s.press({0, 0}));
        QCOMPARE(s.code(), 255);
        QCOMPARE(s.cell(), (CharCell{15, 15}));
    }

    void charsetText_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("string terminator has no glyph") << 0 << QString();
        QTest::newRow("ascii letter") << 65 << "A";
        QTest::newRow("space") << 32 << " ";
        QTest::newRow("tilde ends ascii") << 126 << "~";
        QTest::newRow("store arrow") << 22 << QString(QChar(0x2192));
        QTest::newRow("theta") << 136 << QString(QChar(0x03B8));
        QTest::newRow("pi") << 140 << QString(QChar(0x03C0));
        QTest::newRow("x-bar with combining overline") << 154 << QString("x") + QChar(0x0305);
        QTest::newRow("inverse as two characters") << 180 << QString(QChar(0x207B)) + QChar(0x00B9);
        QTest::newRow("bell outside the basic plane") << 7 << QString::fromUcs4(U"\U0001F514", 1);
        QTest::newRow("multiplication sign") << 215 << QString(QChar(0x00D7));
        QTest::newRow("last code") << 255 << QString(QChar(0x00FF));
        QTest::newRow("below the set") << -1 << QString();
        QTest::newRow("above the set") << 256 << QString();
    }
    void charsetText() {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(calculatorCharText(code), text);
    }

    void everyCodeButZeroHasAGlyph() {
        for (int code = 1; code < 256; ++code)
            QVERIFY2(!calculatorCharText(code).isEmpty(), qPrintable(QString::number(code)));
        // Latin-1 letters keep their code.
        for (int code = 192; code < 256; ++code)
            QCOMPARE(calculatorCharText(code), QString(QChar(code)));
    }
};

QTEST_APPLESS_MAIN(TestCharTable)
#include "tst_chartable.moc"
