#include "ui/reference/TScanCFrm.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

using namespace quaredit;

namespace {

// Record i is named "key<i>"; its code with modifier m is 1000*m + i + 1,
// except where a test needs a particular value.
KeyCodeTable sampleTable() {
    KeyCodeTable t;
    t.info = "sample info";
    for (int i = 0; i < KeyRecordCount; ++i) {
        t.records[size_t(i)].name = "key" + QByteArray::number(i);
        for (int m = 0; m < KeyModifierCount; ++m)
            t.records[size_t(i)].codes[size_t(m)] = 1000 * m + i + 1;
    }
    t.records[53].name = "ESC";
    t.records[53].codes = {264, 16648, 4360, 8456, 264};
    t.records[45].codes[size_t(KeyModifier::Second)] = 0;
    return t;
}

} // namespace

class TestTScanCFrm : public QObject {
    Q_OBJECT

    TScanCFrm* frm = nullptr;
    QTabBar* tabs() { return frm->findChild<QTabBar*>("KeyType"); }
    QListWidget* list() { return frm->findChild<QListWidget*>("Liste"); }
    QLabel* value() { return frm->findChild<QLabel*>("ValTxt"); }
    QAbstractButton* modifier(KeyModifier m) {
        return frm->findChild<QButtonGroup*>()->button(int(m));
    }
    QPushButton* button(const char* name) { return frm->findChild<QPushButton*>(name); }
    void clickLine(int row) {
        QListWidget* l = list();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                          l->visualItemRect(l->item(row)).center());
    }
    void open() {
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm));
    }

private slots:
    void init() {
        frm = new TScanCFrm;
        frm->setKeyTable(sampleTable());
    }
    void cleanup() { delete frm; }

    void opensOnKeysWithoutModifier() {
        open();
        QCOMPARE(frm->windowTitle(), QStringLiteral("Scancodes of TI92 Keys"));
        QCOMPARE(tabs()->count(), 4);
        QCOMPARE(tabs()->currentIndex(), 0);
        QVERIFY(modifier(KeyModifier::None)->isChecked());
        QCOMPARE(list()->count(), 36);
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(value()->text(), QStringLiteral("1"));
        QCOMPARE(frm->findChild<QLabel*>("InfoLbl")->text(), QStringLiteral("sample info"));
    }

    void tabsListTheirGroup_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        QTest::newRow("Keys") << 0 << "Keys" << 0 << 36;
        QTest::newRow("Function") << 1 << "Function" << 36 << 8;
        QTest::newRow("Pad") << 2 << "Pad" << 44 << 8;
        QTest::newRow("Special") << 3 << "Special" << 52 << 24;
    }
    void tabsListTheirGroup() {
        QFETCH(int, tab);
        QFETCH(QString, caption);
        QFETCH(int, first);
        QFETCH(int, count);
        open();
        // Come from another tab, with a line other than the first picked there.
        tabs()->setCurrentIndex((tab + 1) % 4);
        clickLine(3);
        tabs()->setCurrentIndex(tab);
        QCOMPARE(tabs()->tabText(tab), caption);
        QCOMPARE(list()->count(), count);
        QCOMPARE(list()->item(0)->text(), QStringLiteral("key%1").arg(first));
        QCOMPARE(list()->item(count - 1)->text(), QStringLiteral("key%1").arg(first + count - 1));
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(value()->text(), QString::number(first + 1));
    }

    void modifierPicksItsCode_data() {
        QTest::addColumn<int>("modifier");
        QTest::addColumn<QString>("shown");
        QTest::newRow("None") << int(KeyModifier::None) << "37";
        QTest::newRow("[MAJ]") << int(KeyModifier::Maj) << "1037";
        QTest::newRow("[2nd]") << int(KeyModifier::Second) << "2037";
        QTest::newRow("[Diamond]") << int(KeyModifier::Diamond) << "3037";
        QTest::newRow("[Lock]") << int(KeyModifier::Lock) << "4037";
    }
    void modifierPicksItsCode() {
        QFETCH(int, modifier);
        QFETCH(QString, shown);
        open();
        tabs()->setCurrentIndex(1);
        QTest::mouseClick(this->modifier(KeyModifier(modifier)), Qt::LeftButton);
        QCOMPARE(value()->text(), shown);
        clickLine(2);
        QCOMPARE(value()->text(), QString::number(shown.toInt() + 2));
    }

    void displayFollowsADragThroughTheList() {
        open();
        QListWidget* l = list();
        QWidget* vp = l->viewport();
        const QPoint from = l->visualItemRect(l->item(1)).center();
        const QPoint to = l->visualItemRect(l->item(4)).center();
        QTest::mousePress(vp, Qt::LeftButton, {}, from);
        QCOMPARE(value()->text(), QStringLiteral("2"));
        QMouseEvent move(QEvent::MouseMove, to, vp->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(vp, &move);
        QCOMPARE(l->currentRow(), 4);
        QCOMPARE(value()->text(), QStringLiteral("5"));
        QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
    }

    void okHandsOverTheCode() {
        open();
        tabs()->setCurrentIndex(3);
        clickLine(1);
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("ESC"));
        QCOMPARE(value()->text(), QStringLiteral("264"));
        QTest::mouseClick(button("BtOK"), Qt::LeftButton);
        QCOMPARE(frm->result(), int(QDialog::Accepted));
        QVERIFY(!frm->isVisible());
        QCOMPARE(frm->SelectedValue(), 264);
    }

    void okOnAMissingCombinationClosesAsCancel() {
        open();
        tabs()->setCurrentIndex(2);
        clickLine(1);
        QTest::mouseClick(modifier(KeyModifier::Second), Qt::LeftButton);
        QCOMPARE(value()->text(), QStringLiteral("doesn't exist"));
        QTest::mouseClick(button("BtOK"), Qt::LeftButton);
        QCOMPARE(frm->result(), int(QDialog::Rejected));
        QVERIFY(!frm->isVisible());
        QCOMPARE(frm->SelectedValue(), 0);
    }

    void cancelClosesWithoutChoosing() {
        open();
        clickLine(5);
        QTest::mouseClick(button("BtCancel"), Qt::LeftButton);
        QCOMPARE(frm->result(), int(QDialog::Rejected));
    }

    void reopeningKeepsTabAndModifierButStartsAtTheFirstLine() {
        open();
        tabs()->setCurrentIndex(2);
        QTest::mouseClick(modifier(KeyModifier::Lock), Qt::LeftButton);
        clickLine(6);
        QCOMPARE(value()->text(), QStringLiteral("4051"));
        QTest::mouseClick(button("BtCancel"), Qt::LeftButton);

        open();
        QCOMPARE(tabs()->currentIndex(), 2);
        QVERIFY(modifier(KeyModifier::Lock)->isChecked());
        QCOMPARE(list()->count(), 8);
        QCOMPARE(list()->item(0)->text(), QStringLiteral("key44"));
        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(value()->text(), QStringLiteral("4045"));
    }

    void emptyTableShowsNothingToChoose() {
        frm->setKeyTable(KeyCodeTable{});
        open();
        QCOMPARE(list()->count(), 36);
        QCOMPARE(list()->item(0)->text(), QString());
        QCOMPARE(value()->text(), QStringLiteral("doesn't exist"));
        QTest::mouseClick(button("BtOK"), Qt::LeftButton);
        QCOMPARE(frm->result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(TestTScanCFrm)
#include "tst_tscancfrm.moc"
