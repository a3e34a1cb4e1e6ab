#include "support/FakeWindowServices.h"
#include "ui/tools/TNewSpriteFrm.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace quaredit;

class TestNewSpriteFrm : public QObject {
    Q_OBJECT

    FakeWindowServices* services = nullptr;
    TNewSpriteFrm* frm = nullptr;

    QLineEdit* edit(const char* name) {
        auto* w = frm->findChild<QLineEdit*>(QLatin1String(name));
        if (!w)
            qFatal("no edit box %s", name);
        return w;
    }
    void arrow(const char* upDown, const char* which, int times = 1) {
        auto* arrows = frm->findChild<QWidget*>(QLatin1String(upDown));
        auto* button = arrows ? arrows->findChild<QToolButton*>(QLatin1String(which)) : nullptr;
        if (!button)
            qFatal("no arrow %s/%s", upDown, which);
        for (int i = 0; i < times; ++i)
            button->click();
    }
    void clickOk() { QTest::mouseClick(frm->findChild<QPushButton*>("BtOK"), Qt::LeftButton); }
    FakeWindowServices::Message error(const char* text) {
        return {QString::fromLatin1(text), QStringLiteral("Insert Sprite Data"), MsgIcon::Error,
                MsgButtons::Ok};
    }
    void open() {
        frm->show();
        QVERIFY(QTest::qWaitForWindowActive(frm));
    }

private slots:
    void init() {
        services = new FakeWindowServices;
        frm = new TNewSpriteFrm(*services);
        open();
    }
    void cleanup() {
        delete frm;
        delete services;
    }

    void eachShowingResetsSizesButKeepsTheName() {
        QCOMPARE(frm->windowTitle(), QStringLiteral("Insert Sprite Data"));
        QTest::keyClicks(edit("edName"), "ship");
        arrow("udW", "up", 2);
        arrow("udH", "down", 3);
        QCOMPARE(edit("edW")->text(), QStringLiteral("24"));
        QCOMPARE(edit("edH")->text(), QStringLiteral("5"));
        frm->hide();
        open();
        QCOMPARE(edit("edName")->text(), QStringLiteral("ship"));
        QCOMPARE(edit("edW")->text(), QStringLiteral("8"));
        QCOMPARE(edit("edH")->text(), QStringLiteral("8"));
        QCOMPARE(frm->focusWidget(), edit("edName"));
    }

    void heightTakesDigitsOnlyAndStopsAt128() {
        QLineEdit* edH = edit("edH");
        edH->selectAll();
        QTest::keyClicks(edH, "2x0-0");
        QCOMPARE(edH->text(), QStringLiteral("128"));
        QCOMPARE(services->messages, QList{error("The maximal height is 128")});
        QCOMPARE(edH->cursorPosition(), 3);
        // An overlong number is no number at all, and is held to the maximum too.
        edH->setText(QStringLiteral("99999999999"));
        QCOMPARE(edH->text(), QStringLiteral("128"));
        QCOMPARE(services->messages.size(), 2);
    }

    void emptiedHeightReadsZeroAndOkRefusesIt() {
        QTest::keyClicks(edit("edName"), "ship");
        QLineEdit* edH = edit("edH");
        edH->setFocus();
        edH->end(false);
        QTest::keyClick(edH, Qt::Key_Backspace);
        QCOMPARE(edH->text(), QStringLiteral("0"));
        clickOk();
        QCOMPARE(services->messages, QList{error("The height of the sprite can't be 0")});
        QVERIFY(frm->isVisible());
        QCOMPARE(edH->text(), QStringLiteral("0"));
        QCOMPARE(edit("edName")->text(), QStringLiteral("ship"));
    }

    void okWithoutNameAsksForOne() {
        edit("edH")->setFocus();
        clickOk();
        QCOMPARE(services->messages, QList{error("You have to enter a name for the sprite")});
        QVERIFY(frm->isVisible());
        QCOMPARE(frm->focusWidget(), edit("edName"));
    }

    void widthMovesOnlyByItsArrows() {
        QLineEdit* edW = edit("edW");
        edW->setFocus();
        QTest::keyClicks(edW, "1a");
        QTest::keyClick(edW, Qt::Key_Backspace);
        QTest::keyClick(edW, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edW->text(), QStringLiteral("8"));
        arrow("udW", "down");
        QCOMPARE(edW->text(), QStringLiteral("8"));
        arrow("udW", "up", 20);
        QCOMPARE(edW->text(), QStringLiteral("128"));
    }

    void arrowAndPageKeysStepBothBoxes_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("value");
        const int up = Qt::Key_Up, down = Qt::Key_Down, pgUp = Qt::Key_PageUp,
                  pgDown = Qt::Key_PageDown;
        QTest::newRow("width Up twice") << "edW" << QList<int>{up, up} << "24";
        QTest::newRow("width Down stops at 8") << "edW" << QList<int>{down} << "8";
        QTest::newRow("width PageUp to the top") << "edW" << QList<int>{pgUp, pgUp} << "128";
        QTest::newRow("width PageUp then PageDown") << "edW" << QList<int>{pgUp, pgDown} << "8";
        QTest::newRow("height Up and Down") << "edH" << QList<int>{up, up, down} << "9";
        QTest::newRow("height PageDown stops at 0") << "edH" << QList<int>{pgDown, pgDown} << "0";
        QTest::newRow("height PageUp") << "edH" << QList<int>{pgUp} << "16";
    }
    void arrowAndPageKeysStepBothBoxes() {
        QFETCH(QString, box);
        QFETCH(QList<int>, keys);
        QFETCH(QString, value);
        QLineEdit* ed = edit(qPrintable(box));
        ed->setFocus();
        for (int key : keys)
            QTest::keyClick(ed, Qt::Key(key));
        QCOMPARE(ed->text(), value);
    }

    void heightArrowsStopAtTheEnds() {
        arrow("udH", "down", 10);
        QCOMPARE(edit("edH")->text(), QStringLiteral("0"));
        arrow("udH", "up", 130);
        QCOMPARE(edit("edH")->text(), QStringLiteral("128"));
        QVERIFY(services->messages.isEmpty());
    }

    void okAcceptsAndHandsBackTheSprite() {
        QTest::keyClicks(edit("edName"), "ship:");
        arrow("udW", "up", 3);
        edit("edH")->setText(QStringLiteral("3"));
        clickOk();
        QCOMPARE(frm->result(), int(QDialog::Accepted));
        QVERIFY(services->messages.isEmpty());
        QCOMPARE(frm->spriteName(), QStringLiteral("ship:"));
        QCOMPARE(frm->spriteWidth(), 32);
        QCOMPARE(frm->spriteHeight(), 3);
    }
};

QTEST_MAIN(TestNewSpriteFrm)
#include "tst_TNewSpriteFrm.moc"
