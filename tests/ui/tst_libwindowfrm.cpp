#include "support/FakeWindowServices.h"
#include "ui/tools/TLibWindowFrm.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace quaredit;

namespace {

const QString program = "; demo\n\tinclude\t\"a.h\"\n\tinclude\t\"c.h\"\n\txdef\t_main\n"
                        "\tinclude\t\"d.h\"\n_main:\n\trts\n";

QStringList texts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

void select(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY(!found.isEmpty());
    list->setCurrentItem(found.first());
}

void doubleClick(QListWidget* list, const QString& text) {
    select(list, text);
    const QRect r = list->visualItemRect(list->currentItem());
    // A real double-click starts with a press, which the view needs to see.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
}

} // namespace

class TestLibWindowFrm : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString folder;

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        folder = dir.path() + "/include/";
        QVERIFY(QDir().mkpath(folder + "folder.h")); // a folder is not a header
        for (const char* name : {"c.h", "a.h", "d.h", "b.h", "notes.txt", "UPPER.H"}) {
            QFile f(folder + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
    }

    void listsHeadersAndTheProgramsLibraries() {
        FakeWindowServices services;
        TLibWindowFrm frm(services);
        QStringList lists[2];
        services.onDialog([&](QDialog&) {
            lists[0] = texts(frm.LibList);
            lists[1] = texts(frm.SelectedLibs);
            return int(QDialog::Rejected);
        });
        QCOMPARE(frm.run(program.toLatin1(), folder), TLibWindowFrm::Outcome::Cancel);
        QCOMPARE(lists[0], (QStringList{"a.h", "b.h", "c.h", "d.h"}));
        QCOMPARE(lists[1], (QStringList{"a.h", "c.h"}));
        QCOMPARE(frm.windowTitle(), QString("Library Window"));
        QVERIFY(services.messages.isEmpty());
    }

    void addingAndRemovingLibraries() {
        FakeWindowServices services;
        TLibWindowFrm frm(services);
        services.onDialog([&](QDialog&) {
            // Twice on the same header leaves the selection as it was.
            doubleClick(frm.LibList, "b.h");
            doubleClick(frm.LibList, "b.h");
            if (texts(frm.SelectedLibs) != QStringList{"a.h", "c.h"})
                return int(QDialog::Rejected);
            select(frm.LibList, "d.h");
            QTest::mouseClick(frm.AddBt, Qt::LeftButton);
            select(frm.LibList, "b.h");
            QTest::mouseClick(frm.AddBt, Qt::LeftButton);
            doubleClick(frm.SelectedLibs, "c.h");
            frm.SelectedLibs->clearSelection();
            QTest::mouseClick(frm.RemoveBt, Qt::LeftButton); // nothing selected: no change
            select(frm.SelectedLibs, "d.h");
            QTest::mouseClick(frm.RemoveBt, Qt::LeftButton);
            QTest::mouseClick(frm.OkBt, Qt::LeftButton);
            return frm.result();
        });
        QCOMPARE(frm.run(program.toLatin1(), folder), TLibWindowFrm::Outcome::Ok);
        QCOMPARE(frm.selectedLibraries(), (QStringList{"a.h", "b.h"}));
    }

    void editChoosesTheSelectedHeader() {
        FakeWindowServices services;
        TLibWindowFrm frm(services);
        bool enabledBefore = true;
        services.onDialog([&](QDialog&) {
            enabledBefore = frm.EditBt->isEnabled();
            const QRect r = frm.LibList->visualItemRect(frm.LibList->item(1));
            QTest::mouseClick(frm.LibList->viewport(), Qt::LeftButton, {}, r.center());
            QTest::mouseClick(frm.EditBt, Qt::LeftButton);
            return frm.result();
        });
        QCOMPARE(frm.run(program.toLatin1(), folder), TLibWindowFrm::Outcome::Edit);
        QVERIFY(!enabledBefore);
        QCOMPARE(frm.chosenHeader(), folder + "b.h");
    }

    void sourceWithoutXdefIsRefused() {
        FakeWindowServices services;
        services.expectMessage(MsgResult::Ok);
        TLibWindowFrm frm(services);
        QCOMPARE(frm.run("\tinclude\t\"a.h\"\n_main:\n", folder), TLibWindowFrm::Outcome::Cancel);
        QCOMPARE(services.messages,
                 (QList<FakeWindowServices::Message>{
                     {"Cannot find the first 'xdef' directive : You can't use the Library Window",
                      "FORMAT ERROR", MsgIcon::Error, MsgButtons::Ok}}));
        QVERIFY(services.dialogs.isEmpty());
    }

    void missingFolderStillListsTheProgramsLibraries() {
        FakeWindowServices services;
        TLibWindowFrm frm(services);
        services.onDialog([&](QDialog&) {
            if (frm.LibList->count() != 0)
                return int(QDialog::Rejected);
            QTest::mouseClick(frm.OkBt, Qt::LeftButton);
            return frm.result();
        });
        QCOMPARE(frm.run(program.toLatin1(), dir.path() + "/nowhere/"), TLibWindowFrm::Outcome::Ok);
        QCOMPARE(frm.selectedLibraries(), (QStringList{"a.h", "c.h"}));
    }

    void workingFolderComesBack() {
        const QString before = QDir::currentPath();
        FakeWindowServices services;
        TLibWindowFrm frm(services);
        services.onDialog([&](QDialog&) {
            QDir::setCurrent(folder);
            return int(QDialog::Rejected);
        });
        frm.run(program.toLatin1(), folder);
        QCOMPARE(QDir::currentPath(), before);
    }
};

QTEST_MAIN(TestLibWindowFrm)
#include "tst_libwindowfrm.moc"
