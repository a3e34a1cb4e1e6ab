#include "core/about/AboutBox.h"

#include <QtTest>

using namespace quaredit;

class TestAboutBox : public QObject {
    Q_OBJECT

private slots:
    void scrollTurnsAtItsBounds() {
        AboutScroll s;
        QCOMPARE(s.top(), 8);
        QVERIFY(s.movingUp());
        int steps = 0;
        while (s.movingUp()) {
            s.step();
            ++steps;
            QVERIFY(steps <= 1000);
        }
        QCOMPARE(steps, 139);
        QCOMPARE(s.top(), -270);
        steps = 0;
        while (!s.movingUp()) {
            s.step();
            ++steps;
            QVERIFY(steps <= 1000);
        }
        QCOMPARE(s.top(), 10);
        QCOMPARE(steps, 140);
        s.step();
        QCOMPARE(s.top(), 8);
        QVERIFY(s.movingUp());
    }

    // A whole cycle brings the text back to where it was, going the same way,
    // and never outside the range the white panel was laid out for.
    void scrollCycleIsPeriodic() {
        AboutScroll s;
        s.step(); // leave the start, which is only visited once
        const int top = s.top();
        int low = top, high = top;
        for (int i = 0; i < 280; ++i) {
            s.step();
            low = qMin(low, s.top());
            high = qMax(high, s.top());
        }
        QCOMPARE(s.top(), top);
        QVERIFY(s.movingUp());
        QCOMPARE(low, -270);
        QCOMPARE(high, 10);
    }

    void zoomGeometry_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("first step is a twentieth")
            << 1 << QSize(1024, 768) << QSize(400, 300) << QRect(502, 376, 20, 15);
        QTest::newRow("half way") << 10 << QSize(1024, 768) << QSize(400, 300)
                                  << QRect(412, 309, 200, 150);
        QTest::newRow("last step is the full window centred")
            << 20 << QSize(1024, 768) << QSize(400, 300) << QRect(312, 234, 400, 300);
        QTest::newRow("sizes rounded down")
            << 3 << QSize(1000, 700) << QSize(333, 211) << QRect(475, 334, 49, 31);
        QTest::newRow("odd leftover halved down")
            << 20 << QSize(1001, 701) << QSize(400, 300) << QRect(300, 200, 400, 300);
        QTest::newRow("window wider than the screen rounds towards zero")
            << 20 << QSize(300, 200) << QSize(401, 301) << QRect(-50, -50, 401, 301);
    }
    void zoomGeometry() {
        QFETCH(int, step);
        QFETCH(QSize, screen);
        QFETCH(QSize, window);
        QFETCH(QRect, expected);
        QCOMPARE(aboutZoomGeometry(step, screen, window), expected);
    }

    void textHasItsFixedHeadAndLength() {
        const QStringList lines = aboutTextLines();
        QCOMPARE(lines.size(), 26);
        QCOMPARE(lines.mid(0, 8),
                 (QStringList{"Quaro Program Editor", "V2.0 ALPHA 5", "Vask Software", "",
                              "This program in only a ALPHA version. So If you ",
                              "have bug report, or suggestions, DON'T hesitate !", "",
                              "Special Thanks to :"}));
        QVERIFY(lines.last().size() > 0);
    }
};

QTEST_APPLESS_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
