#include "support/FakeWindowServices.h"
#include "ui/tools/TPrjWizardFrm.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace quaredit;

class TestPrjWizardFrm : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString folder() const { return dir.path() + "/"; }

    static void next(TPrjWizardFrm& frm) { QTest::mouseClick(frm.NextBt, Qt::LeftButton); }

    static void walkPages(TPrjWizardFrm& frm) {
        QCOMPARE(frm.windowTitle(), QString("Program Wizard"));
        QCOMPARE(frm.WizardPage(), 0);
        QTest::mouseClick(frm.PrevBt, Qt::LeftButton); // nothing before the first page
        QCOMPARE(frm.WizardPage(), 0);
        QVERIFY(frm.Wiz1->isVisible());
        frm.LibOpt->setChecked(true);
        next(frm);
        QCOMPARE(frm.info2->text(), QString("Now enter the name of the library :"));
        QVERIFY(frm.Wiz2->isVisible() && !frm.Wiz1->isVisible() && !frm.Wiz3->isVisible());
        QCOMPARE(frm.NextBt->text(), QString("Next >"));
        next(frm);
        QCOMPARE(frm.WizardPage(), 2);
        QCOMPARE(frm.NextBt->text(), QString("Finish"));
        QVERIFY(frm.rdQuaro->isVisible() && frm.rdPsD->isVisible());
        QTest::mouseClick(frm.PrevBt, Qt::LeftButton);
        QCOMPARE(frm.WizardPage(), 1);
        QCOMPARE(frm.NextBt->text(), QString("Next >"));
        QVERIFY(frm.Wiz2->isVisible() && !frm.Wiz3->isVisible());
        QTest::mouseClick(frm.PrevBt, Qt::LeftButton);
        frm.PrgOpt->setChecked(true);
        next(frm);
        QCOMPARE(frm.info2->text(), QString("Now enter the program comment :"));
        next(frm);
        QVERIFY(!frm.rdQuaro->isVisible() && !frm.rdPsD->isVisible());
    }

    static void checkFreshStart(TPrjWizardFrm& frm) {
        QCOMPARE(frm.WizardPage(), 0);
        QVERIFY(frm.Wiz1->isVisible() && !frm.Wiz3->isVisible());
        QCOMPARE(frm.NextBt->text(), QString("Next >"));
        QVERIFY(frm.PrgName->text().isEmpty());
        QVERIFY(!frm.optTI92->isChecked() && !frm.optTI92P->isChecked() &&
                !frm.optTI89->isChecked());
        QVERIFY(frm.LibOpt->isChecked());
        QVERIFY(frm.rdPsD->isChecked());
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        QFile f(folder() + "prg.wiz");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("\txdef\t_main\r\n\txdef\t_comment\r\n_main:\r\n_comment dc.b \"\",0\r\n");
    }

    void pagesForwardAndBack() {
        FakeWindowServices services;
        TPrjWizardFrm frm(services, DataFolders::beside(folder()));
        services.onDialog([&](QDialog&) {
            walkPages(frm);
            return int(QDialog::Rejected);
        });
        services.execDialog(frm);
        QVERIFY(services.dialogs.size() == 1);
    }

    void reopeningStartsOverButKeepsTheChoices() {
        FakeWindowServices services;
        TPrjWizardFrm frm(services, DataFolders::beside(folder()));
        services.onDialog([&](QDialog&) {
            frm.LibOpt->setChecked(true);
            next(frm);
            QTest::keyClicks(frm.PrgName, "gfx");
            next(frm);
            frm.rdPsD->setChecked(true);
            frm.optTI92->setChecked(true);
            frm.optTI89->setChecked(true);
            return int(QDialog::Rejected);
        });
        services.execDialog(frm);
        services.onDialog([&](QDialog&) {
            checkFreshStart(frm);
            return int(QDialog::Rejected);
        });
        services.execDialog(frm);
    }

    void finishFillsTheTemplate() {
        FakeWindowServices services;
        TPrjWizardFrm frm(services, DataFolders::beside(folder()));
        services.onDialog([&](QDialog&) {
            frm.PrgOpt->setChecked(true);
            next(frm);
            QTest::keyClicks(frm.PrgName, "Demo");
            next(frm);
            frm.optTI89->setChecked(true);
            QTest::keyClick(&frm, Qt::Key_Return); // Enter presses Finish
            return frm.result();
        });
        QCOMPARE(services.execDialog(frm), int(QDialog::Accepted));
        QCOMPARE(frm.documentLines(),
                 (QStringList{"\txdef\t_main", "\txdef\t_comment", "", "\txdef\t_ti89",
                              "_main:", "_comment\tdc.b\t\"Demo\",0"}));
        QVERIFY(services.messages.isEmpty());
    }

    void missingTemplateKeepsTheLastPage() {
        FakeWindowServices services;
        services.expectMessage(MsgResult::Ok);
        TPrjWizardFrm frm(services, DataFolders::beside(folder()));
        int page = -1;
        services.onDialog([&](QDialog&) {
            frm.LibOpt->setChecked(true); // no lib.wiz in the folder
            next(frm);
            next(frm);
            next(frm);
            page = frm.WizardPage();
            return frm.isVisible() ? int(QDialog::Rejected) : frm.result();
        });
        QCOMPARE(services.execDialog(frm), int(QDialog::Rejected));
        QCOMPARE(page, 2);
        QCOMPARE(services.messages, (QList<FakeWindowServices::Message>{
                                        {"Cannot find the file " + folder() + "lib.wiz",
                                         "File Error", MsgIcon::Error, MsgButtons::Ok}}));
        QVERIFY(frm.documentLines().isEmpty());
    }
};

QTEST_MAIN(TestPrjWizardFrm)
#include "tst_prjwizardfrm.moc"
