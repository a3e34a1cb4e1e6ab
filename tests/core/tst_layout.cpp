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
    void minimumSizeIsFiveNinthsOfTheScreen() {
        QCOMPARE(minimumWindowSize({1024, 768}), QSize(568, 426));
        QCOMPARE(minimumWindowSize({1920, 1080}), QSize(1066, 600));
    }
};

QTEST_APPLESS_MAIN(TestLayout)
#include "tst_layout.moc"
