// Dialogs built after the main window's first paint: the work waits for the
// paint, yet no input ever arrives before it.
#include "support/MainWindowFixture.h"
#include "ui/app/TPFrm.h"
#include "ui/common/AfterFirstPaint.h"
#include "ui/common/TInputFrm.h"

#include <QAction>
#include <QKeyEvent>
#include <QPainter>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

using namespace quaredit;

namespace {

// Records, in order, its paints, the keys it receives and the deferred work.
class Probe : public QWidget {
public:
    QStringList log;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), Qt::white);
        if (!log.contains(QStringLiteral("paint")))
            log << QStringLiteral("paint");
    }
    void keyPressEvent(QKeyEvent*) override { log << QStringLiteral("key"); }
};

constexpr int NoFallback = 600000;

} // namespace

class TestAfterFirstPaint : public QObject {
    Q_OBJECT
private slots:
    void runsOnceJustAfterTheFirstPaint() {
        Probe probe;
        new AfterFirstPaint(
            &probe, [&] { probe.log << QStringLiteral("work"); }, NoFallback);
        probe.resize(200, 100);
        probe.show();
        QVERIFY(!probe.log.contains(QStringLiteral("work")));
        QTRY_VERIFY(probe.log.contains(QStringLiteral("work")));
        QCOMPARE(probe.log.first(), QStringLiteral("paint"));
        // Later paints and input do not run it again.
        probe.update();
        QTest::keyClick(&probe, Qt::Key_A);
        QTest::qWait(20);
        QCOMPARE(probe.log.count(QStringLiteral("work")), 1);
    }

    void inputBeforeThePaintRunsItFirst() {
        Probe probe;
        new AfterFirstPaint(
            &probe, [&] { probe.log << QStringLiteral("work"); }, NoFallback);
        // Input for any object of the application counts, not only the watched one.
        QWidget other;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
        QCoreApplication::sendEvent(&other, &press);
        QCOMPARE(probe.log, QStringList{QStringLiteral("work")});
        QCoreApplication::sendEvent(&probe, &press);
        QCOMPARE(probe.log, (QStringList{QStringLiteral("work"), QStringLiteral("key")}));
    }

    void aWindowThatNeverPaintsGetsItAfterTheFallback() {
        Probe probe; // never shown
        int runs = 0;
        new AfterFirstPaint(
            &probe, [&] { ++runs; }, 10);
        QTRY_COMPARE(runs, 1);
        QTest::qWait(30);
        QCOMPARE(runs, 1);
    }

    void theMainWindowBuildsItsDialogsAfterShowingItself() {
        MainWindowFixture f(false);
        RegKey(f.store, QString(), false).writeInt(QStringLiteral("FirstLaunch"), 1);
        f.window->startUp({});
        f.window->createDialogsAfterFirstPaint();
        QVERIFY(f.window->findChild<TInputFrm*>() == nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QTRY_VERIFY(f.window->findChild<TInputFrm*>() != nullptr);
        QCOMPARE(f.window->findChildren<TInputFrm*>().size(), 1);
    }

    void aShortcutTypedBeforeThePaintFindsTheDialogs() {
        MainWindowFixture f(false);
        RegKey(f.store, QString(), false).writeInt(QStringLiteral("FirstLaunch"), 1);
        f.window->startUp({});
        f.window->createDialogsAfterFirstPaint();
        QString caption;
        f.services.onDialog([&](QDialog& d) {
            caption = d.windowTitle();
            return int(QDialog::Rejected);
        });
        // Goto Line uses the input dialog. The window is made active by hand:
        // letting the events run would paint it too.
        QApplication::setActiveWindow(f.window.get());
        QVERIFY(f.window->findChild<TInputFrm*>() == nullptr);
        QTest::keySequence(f.editor(), f.window->menus().MNU_Edit_GotoLine->shortcut());
        QCOMPARE(caption, QStringLiteral("Goto Line Number"));
    }
};

QTEST_MAIN(TestAfterFirstPaint)
#include "tst_afterfirstpaint.moc"
