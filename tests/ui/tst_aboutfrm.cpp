#include "support/MainWindowFixture.h"
#include "ui/about/TAboutFrm.h"

#include <QAction>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace quaredit;

namespace {

QPoint centredOnScreen(const QWidget& w) {
    const QRect screen = w.screen()->geometry();
    return screen.topLeft() +
           QPoint((screen.width() - w.width()) / 2, (screen.height() - w.height()) / 2);
}

} // namespace

class TestAboutFrm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void createdStillAndClosedByOk() {
        MainWindowFixture f;
        TAboutFrm* about = f.window->findChild<TAboutFrm*>("AboutFrm");
        QVERIFY(about);
        QVERIFY(!about->scrolling());
        QVERIFY(!about->zooming());
        QCOMPARE(about->windowTitle(), QString("About..."));
        QCOMPARE(about->aboutText()->geometry(), QRect(8, 8, 297, 473));

        f.services.onDialog([](QDialog& d) {
            d.findChild<QPushButton*>("BtOK")->click();
            return d.result();
        });
        f.window->menus().MNU_Help_About->trigger();
        QCOMPARE(f.services.dialogs, QStringList{"AboutFrm"});
        QVERIFY(!about->scrolling());
    }

    // Each showing zooms to the centre of the screen, wherever the box was,
    // then scrolls from where the text stood when it was last closed.
    void reopeningZoomsAgainAndResumes() {
        MainWindowFixture f;
        TAboutFrm* about = f.window->findChild<TAboutFrm*>("AboutFrm");
        const QSize full = about->size();
        int closedAt = 0;
        QSize shownSize;
        QPoint shownAt, centre;
        f.services.onDialog([&](QDialog&) {
            if (QTest::qWaitFor([&] { return about->scrolling(); })) {
                shownSize = about->size();
                shownAt = about->pos();
                centre = centredOnScreen(*about);
                about->TimerTimer();
                about->TimerTimer();
                closedAt = about->aboutText()->y();
            }
            return int(QDialog::Accepted);
        });
        f.window->menus().MNU_Help_About->trigger();
        QCOMPARE(shownSize, full);
        QCOMPARE(shownAt, centre);
        QVERIFY(!about->scrolling());
        QVERIFY(closedAt < 8);
        QCOMPARE(about->aboutText()->y(), closedAt);

        about->move(0, 0);
        bool zoomedAgain = false;
        int resumedFrom = 1000;
        f.services.onDialog([&](QDialog&) {
            resumedFrom = about->aboutText()->y();
            zoomedAgain = about->zooming();
            if (QTest::qWaitFor([&] { return about->scrolling(); })) {
                shownAt = about->pos();
                centre = centredOnScreen(*about);
            }
            return int(QDialog::Accepted);
        });
        f.window->menus().MNU_Help_About->trigger();
        QVERIFY(zoomedAgain);
        QCOMPARE(shownAt, centre);
        QCOMPARE(resumedFrom, closedAt);
        QCOMPARE(about->size(), full);
    }

    void textTurnsAtItsBounds() {
        TAboutFrm about;
        for (int i = 0; i < 139; ++i)
            about.TimerTimer();
        QCOMPARE(about.aboutText()->y(), -270);
        about.TimerTimer();
        QCOMPARE(about.aboutText()->y(), -268);
        while (about.aboutText()->y() < 10)
            about.TimerTimer();
        QVERIFY(about.scroll().movingUp());
        about.TimerTimer();
        QCOMPARE(about.aboutText()->y(), 8);
    }

    void losingActivationStopsTheScrolling() {
        MainWindowFixture f;
        TAboutFrm* about = f.window->findChild<TAboutFrm*>("AboutFrm");
        bool stopped = false;
        f.services.onDialog([&](QDialog& d) {
            if (QTest::qWaitFor([&] { return about->scrolling(); })) {
                QEvent deactivate(QEvent::WindowDeactivate);
                QCoreApplication::sendEvent(&d, &deactivate);
                stopped = !about->scrolling();
            }
            return int(QDialog::Accepted);
        });
        f.window->menus().MNU_Help_About->trigger();
        QVERIFY(stopped);
    }

    void closingMidZoomRestoresTheFullSize() {
        TAboutFrm about;
        const QSize full = about.size();
        about.show();
        QTRY_VERIFY(about.zooming() && about.size() != full);
        about.hide();
        QCOMPARE(about.size(), full);
        QVERIFY(!about.zooming());
        QVERIFY(!about.scrolling());
    }
};

QTEST_MAIN(TestAboutFrm)
#include "tst_aboutfrm.moc"
