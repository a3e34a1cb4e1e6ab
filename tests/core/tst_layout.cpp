#include "core/app/Layout.h"

#include <QtTest>

using namespace quaredit;

class TestLayout : public QObject {
    Q_OBJECT
private slots:
    void designWindowOf800x600() {
        const MainLayout l = computeMainLayout({800, 600});
        QCOMPARE(l.fond2Width, 621);
        QCOMPARE(l.usrPrgIconWidth, 611);
        QCOMPARE(l.line1Width, 800);
        QCOMPARE(l.fond3Width, 593);
        QCOMPARE(l.fond3Height, 437);
        QCOMPARE(l.fond4Left, 592);
        QCOMPARE(l.fond4Height, 437);
        QCOMPARE(l.editorWidth, 575);
        QCOMPARE(l.editorHeight, 392);
        QCOMPARE(l.tabSetTop, 401);
        QCOMPARE(l.tabSetWidth, 573);
        QCOMPARE(l.projectListHeight, 353);
        QCOMPARE(l.bevel1Width, 190);
        QCOMPARE(l.bevel2Width, 190);
        QCOMPARE(l.bevel2Height, 361);
        QCOMPARE(l.bevel3Top, 401);
        QCOMPARE(l.bevel3Width, 190);
        QCOMPARE(l.bevel4Width, 585);
        QCOMPARE(l.bevel4Height, 429);
        QCOMPARE(l.refreshBtTop, 405);
    }
    void fractionalStepsTruncateTowardZero() {
        // 3.2 x 28 = 89.6: a height of 300 gives 300 - 73 - 89.6 = 137.4 -> 137.
        QCOMPARE(computeMainLayout({800, 300}).fond3Height, 137);
        // A window smaller than the panels gives negative sizes truncated toward zero, not floored.
        QCOMPARE(computeMainLayout({800, 100}).fond3Height, -62);
    }
    // The smallest window is the smallest at which every panel shows, not a
    // share of the screen (5/9 of a 1280-pixel screen is 711: tiled at half
    // or a third, the right panels were cut off).
    void minimumWorkAreaIsTheLeastEveryPanelNeeds() {
        const QSize least = minimumWorkArea();
        const MainLayout at = computeMainLayout(ruleWindowSize(least));
        QVERIFY(at.editorWidth >= LeastRoom.editorWidth);
        QVERIFY(at.editorHeight >= LeastRoom.editorHeight);
        QVERIFY(at.projectListHeight >= LeastRoom.projectListHeight);
        QVERIFY(at.fond2Width >= LeastRoom.pictureWidth);
        // The project panel and the Refresh button under the list stay inside.
        QVERIFY(at.fond4Left + LayoutDesign{}.fond4Width <= least.width() + 10);
        QVERIFY(at.refreshBtTop + 25 <= at.fond4Height);
        // One pixel less in either direction, and a panel is short of room.
        const MainLayout narrower = computeMainLayout(ruleWindowSize(least - QSize(1, 0)));
        QVERIFY(narrower.editorWidth < LeastRoom.editorWidth);
        const MainLayout lower = computeMainLayout(ruleWindowSize(least - QSize(0, 1)));
        QVERIFY(lower.editorHeight < LeastRoom.editorHeight ||
                lower.projectListHeight < LeastRoom.projectListHeight);
        // A third of a 1280-pixel output, less a tiling border, holds it.
        QVERIFY2(least.width() <= 1280 / 3 - 6, qPrintable(QString::number(least.width())));
        QVERIFY(least.height() <= 320);
    }
};

QTEST_APPLESS_MAIN(TestLayout)
#include "tst_layout.moc"
