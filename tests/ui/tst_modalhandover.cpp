// A later start hands a file over while a dialog or a message box of the
// document set is open. The dialog's answer must still be about the
// document it was asked for (a Save As, a "Save Changes" question used to
// save the wrong text, or freed memory), and the handed file opens once
// the dialog is closed.
#include "support/MainWindowFixture.h"
#include "ui/app/Handover.h"
#include "ui/common/MenuMap.h"
#include "ui/documents/DocumentSet.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

using namespace quaredit;

namespace {

const QByteArray TextA = "\tnop ; A\r\n";
const QByteArray TextB = "\tnop ; B\r\n";

// How the hand-over reaches the document set while the dialog is open:
// through the queue, as the program does it, or straight, as it used to.
enum class Arrival { Queued, Straight };

struct Scene {
    MainWindowFixture f;
    HandoverQueue* queue = new HandoverQueue(*f.window);
    QString a = f.writeFile("a.asm", TextA);
    QString b = f.writeFile("b.asm", TextB);
    DocumentSet& docs = f.window->documents();

    // A open and typed into.
    bool openAEdited() {
        if (!docs.OpenDocument(a))
            return false;
        f.editor()->setCursorPosition(0, 0);
        f.type("EDIT");
        return docs.current().Modified;
    }
    void handOverB(Arrival arrival) {
        f.services.duringNextModal([this, arrival] {
            if (arrival == Arrival::Queued) {
                queue->receive({b});
                // Nothing opens under the dialog.
                QCOMPARE(docs.DocumentCount(), 1);
                QCOMPARE(queue->waiting(), 1);
            } else {
                docs.OpenDocument(b);
            }
        });
    }
    // Once the dialogs are closed, the queued file opens.
    bool bOpensAfterwards() {
        return QTest::qWaitFor([&] { return docs.indexOfOpenFile(b) >= 0; }, 5000);
    }
};

} // namespace

Q_DECLARE_METATYPE(Arrival)

class TestModalHandover : public QObject {
    Q_OBJECT

    static void arrivals() {
        QTest::addColumn<Arrival>("arrival");
        QTest::newRow("queued until the dialog closes") << Arrival::Queued;
        QTest::newRow("opened under the dialog") << Arrival::Straight;
    }

private slots:
    void saveAsWritesTheDocumentItWasAskedFor_data() { arrivals(); }
    void saveAsWritesTheDocumentItWasAskedFor() {
        QFETCH(Arrival, arrival);
        Scene s;
        QVERIFY(s.openAEdited());
        const QString c = s.f.path("c.asm");
        s.f.services.answerSave(c);
        s.handOverB(arrival);
        QCOMPARE(s.docs.MNU_File_SaveAsClick(), DocumentSet::SaveOutcome::Saved);
        QCOMPARE(MainWindowFixture::readFile(c), "EDIT" + TextA);
        QCOMPARE(MainWindowFixture::readFile(s.b), TextB);
        QVERIFY(s.bOpensAfterwards());
        const int cIndex = s.docs.indexOfOpenFile(c);
        QVERIFY(cIndex >= 0);
        QVERIFY(!s.docs.at(cIndex).Modified);
        QVERIFY(!s.docs.at(s.docs.indexOfOpenFile(s.b)).Modified);
    }

    void savePromptOnCloseSavesTheDocumentAskedAbout_data() { arrivals(); }
    void savePromptOnCloseSavesTheDocumentAskedAbout() {
        QFETCH(Arrival, arrival);
        Scene s;
        QVERIFY(s.openAEdited());
        s.f.services.expectMessage(MsgResult::Yes);
        s.handOverB(arrival);
        // What Alt+F4 does: every document is closed, each asked about.
        QVERIFY(s.f.window->close());
        QVERIFY(s.f.services.messages.size() >= 1);
        QCOMPARE(s.f.services.messages[0].text, "Save Changes to <" + s.a + "> ?");
        QCOMPARE(MainWindowFixture::readFile(s.a), "EDIT" + TextA);
        QCOMPARE(MainWindowFixture::readFile(s.b), TextB);
    }

    void openDialogOpensItsFileAndTheHandedOne() {
        Scene s;
        const QString d = s.f.writeFile("d.asm", "\trts\r\n");
        s.f.services.answerOpen(d);
        s.handOverB(Arrival::Queued);
        s.f.window->menus().MNU_File_OpenFile->trigger();
        QVERIFY(s.docs.indexOfOpenFile(d) >= 0);
        QVERIFY(s.bOpensAfterwards());
        QCOMPARE(s.f.tabCaptions(), QStringList({"d.asm", "b.asm"}));
    }

    void gotoMovesTheCaretOfTheDocumentItWasAskedFor() {
        Scene s;
        const QString a = s.f.writeFile("lines.asm", "1\r\n2\r\n3\r\n4\r\n");
        QVERIFY(s.docs.OpenDocument(a));
        s.handOverB(Arrival::Queued);
        s.f.services.onDialog([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("Txt")->setText("3");
            return int(QDialog::Accepted);
        });
        s.f.window->menus().MNU_Edit_GotoLine->trigger();
        int line = -1, column = -1;
        s.f.editor()->getCursorPosition(&line, &column);
        QCOMPARE(line, 2);
        QVERIFY(s.bOpensAfterwards());
    }

    void findBoxDoesNotLetAHandoverIn() {
        Scene s;
        QVERIFY(s.docs.OpenDocument(s.a));
        s.f.window->menus().MNU_Edit_Find->trigger();
        auto* find = s.f.window->findChild<QDialog*>("FindDialog");
        QVERIFY(find);
        find->findChild<QLineEdit*>("edFind")->setText("absent");
        s.handOverB(Arrival::Queued);
        find->findChild<QPushButton*>("BtFindNext")->click();
        QCOMPARE(s.f.services.messages.size(), 1);
        QCOMPARE(s.f.services.messages[0].text, QString("Text Not Found"));
        QVERIFY(s.bOpensAfterwards());
        find->close();
    }

    void reloadQuestionReloadsTheDocumentItAsked_data() { arrivals(); }
    void reloadQuestionReloadsTheDocumentItAsked() {
        QFETCH(Arrival, arrival);
        Scene s;
        QVERIFY(s.docs.OpenDocument(s.a));
        s.f.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.f.window.get()));
        s.f.services.expectMessage(MsgResult::Yes);
        s.handOverB(arrival);
        QSaveFile changed(s.a);
        QVERIFY(changed.open(QIODevice::WriteOnly));
        changed.write("\tmoved ; A\r\n");
        QVERIFY(changed.commit());
        QTRY_COMPARE(s.f.services.messages.size(), 1);
        QVERIFY(s.bOpensAfterwards());
        s.docs.makeCurrent(s.docs.indexOfOpenFile(s.a));
        QCOMPARE(s.f.editor()->text().toLatin1(), QByteArray("\tmoved ; A\r\n"));
        s.docs.makeCurrent(s.docs.indexOfOpenFile(s.b));
        QCOMPARE(s.f.editor()->text().toLatin1(), TextB);
    }

    // 10,000 names that cannot be opened: one box, not 10,000.
    void manyRefusalsInOneHandoverAreOneBox() {
        Scene s;
        QStringList files;
        for (int i = 0; i < 300; ++i)
            files << s.f.path(QStringLiteral("missing%1.asm").arg(i));
        s.queue->receive(files);
        QCOMPARE(s.f.services.messages.size(), 1);
        QVERIFY(s.f.services.messages[0].text.startsWith("300 files could not be opened:"));
        QVERIFY(s.f.services.messages[0].text.contains("missing0.asm"));
    }
};

QTEST_MAIN(TestModalHandover)
#include "tst_modalhandover.moc"
