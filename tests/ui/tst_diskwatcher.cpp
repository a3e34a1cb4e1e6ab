// Files changed on disk by another program while they are open.
#include "support/MainWindowFixture.h"
#include "ui/documents/DiskWatcher.h"
#include "ui/documents/DocumentSet.h"

#include <QAction>
#include <QSaveFile>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

using namespace quaredit;

namespace {

const QByteArray Before = "line 1\r\nline 2\r\nline 3\r\nline 4\r\n";
const QByteArray After = "changed 1\r\nchanged 2\r\nchanged 3\r\nchanged 4\r\nchanged 5\r\n";

void writeInPlace(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// As most editors save: a new file renamed over the old one.
void replaceByRename(const QString& path, const QByteArray& bytes) {
    QSaveFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    QVERIFY(f.commit());
}

} // namespace

class TestDiskWatcher : public QObject {
    Q_OBJECT

    // A window with `name` open and active, the caret on line 3.
    static QString openActive(MainWindowFixture& f, const QString& name) {
        const QString path = f.writeFile(name, Before);
        if (!f.window->documents().OpenDocument(path))
            return {};
        f.editor()->setCursorPosition(2, 3);
        f.window->activateWindow();
        if (!QTest::qWaitForWindowActive(f.window.get()))
            return {};
        return path;
    }

private slots:
    void changeIsAskedAboutAndReloaded_data() {
        QTest::addColumn<bool>("byRename");
        QTest::addColumn<bool>("reload");
        QTest::newRow("written in place, reloaded") << false << true;
        QTest::newRow("replaced by rename, reloaded") << true << true;
        QTest::newRow("written in place, kept") << false << false;
    }
    void changeIsAskedAboutAndReloaded() {
        QFETCH(bool, byRename);
        QFETCH(bool, reload);
        MainWindowFixture f;
        const QString path = openActive(f, "prog.asm");
        QVERIFY(!path.isEmpty());
        f.services.expectMessage(reload ? MsgResult::Yes : MsgResult::No);
        if (byRename)
            replaceByRename(path, After);
        else
            writeInPlace(path, After);
        QTRY_COMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].text,
                 "The file " + path + " was changed by another program. Reload it?");
        QCOMPARE(f.services.messages[0].buttons, MsgButtons::YesNo);
        QCOMPARE(f.editor()->text().toLatin1(), reload ? After : Before);
        QCOMPARE(f.tabCaptions(), QStringList{"prog.asm"});
        int line = -1, column = -1;
        f.editor()->getCursorPosition(&line, &column);
        QCOMPARE(line, 2);
        if (reload) {
            // The reload is the file's state, not an edit.
            f.editor()->undo();
            QCOMPARE(f.editor()->text().toLatin1(), After);
        }
        // Answered once: the same change is not asked about again, a new one is.
        QTest::qWait(200);
        QCOMPARE(f.services.messages.size(), 1);
        f.services.expectMessage(MsgResult::No);
        writeInPlace(path, After + "more\r\n");
        QTRY_COMPARE(f.services.messages.size(), 2);
    }

    void modifiedDocumentSaysWhatWouldBeLost() {
        MainWindowFixture f;
        const QString path = openActive(f, "prog.asm");
        QVERIFY(!path.isEmpty());
        f.type("typed ");
        f.services.expectMessage(MsgResult::No);
        writeInPlace(path, After);
        QTRY_COMPARE(f.services.messages.size(), 1);
        QVERIFY(f.services.messages[0].text.startsWith("The file " + path + " was changed"));
        QVERIFY(f.services.messages[0].text.contains("throws away the changes"));
        // Kept: the typing stays, still to be saved.
        QVERIFY(f.editor()->text().contains("typed "));
        QCOMPARE(f.tabCaptions(), QStringList{"prog.asm*"});
    }

    void deletedFileMarksItsDocumentModified() {
        MainWindowFixture f;
        const QString path = openActive(f, "notes.txt");
        QVERIFY(!path.isEmpty());
        QVERIFY(QFile::remove(path));
        QTRY_COMPARE(f.tabCaptions(), QStringList{"notes.txt*"});
        QVERIFY(f.services.messages.isEmpty());
        QCOMPARE(f.editor()->text().toLatin1(), Before);
        // Saving writes it back, and it is watched again.
        QCOMPARE(f.window->documents().MNU_File_SaveClick(), DocumentSet::SaveOutcome::Saved);
        QCOMPARE(MainWindowFixture::readFile(path), Before);
        f.services.expectMessage(MsgResult::No);
        writeInPlace(path, After);
        QTRY_COMPARE(f.services.messages.size(), 1);
    }

    // The editor's own saves are never reported: after two saves, the only
    // question is about the change another program makes next.
    void ownSaveIsNotAChange() {
        MainWindowFixture f;
        const QString path = openActive(f, "prog.asm");
        QVERIFY(!path.isEmpty());
        f.type("x");
        QCOMPARE(f.window->documents().MNU_File_SaveClick(), DocumentSet::SaveOutcome::Saved);
        f.type("y");
        QCOMPARE(f.window->documents().MNU_File_SaveClick(), DocumentSet::SaveOutcome::Saved);
        // The watcher sees the saves' own notifications here.
        QTest::qWait(300);
        QVERIFY(f.services.messages.isEmpty());
        f.services.expectMessage(MsgResult::No);
        writeInPlace(path, After);
        QTRY_COMPARE(f.services.messages.size(), 1);
        QTest::qWait(200);
        QCOMPARE(f.services.messages.size(), 1);
        QVERIFY(f.services.messages[0].text.contains("was changed by another program"));
    }

    // A change while the window is in the background waits for its return,
    // and brings its document to the front to ask.
    void questionWaitsForTheWindow() {
        MainWindowFixture f;
        const QString path = openActive(f, "prog.asm");
        QVERIFY(!path.isEmpty());
        f.window->documents().OpenDocument(f.writeFile("other.h", "x\r\n"));
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        writeInPlace(path, After);
        QTest::qWait(300);
        QVERIFY(f.services.messages.isEmpty());
        f.services.expectMessage(MsgResult::Yes);
        f.window->activateWindow();
        QTRY_COMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.window->documents().current().ShortFileName, QString("prog.asm"));
        QCOMPARE(f.editor()->text().toLatin1(), After);
    }

    void closedDocumentIsForgotten() {
        MainWindowFixture f;
        const QString path = openActive(f, "prog.asm");
        QVERIFY(!path.isEmpty());
        QVERIFY(f.window->documents().CloseCurrentDocument());
        writeInPlace(path, After);
        QTest::qWait(300);
        QVERIFY(f.services.messages.isEmpty());
    }

    // A file rewritten many times while its question is open is asked
    // about once: the answer covers what it did meanwhile.
    void questionIsAskedOnceUntilAnswered() {
        MainWindowFixture f;
        const QString path = openActive(f, "prog.asm");
        QVERIFY(!path.isEmpty());
        f.services.expectMessage(MsgResult::No);
        f.services.duringNextModal([&] {
            for (int i = 0; i < 20; ++i) {
                replaceByRename(path, After + QByteArray::number(i));
                QTest::qWait(10);
            }
        });
        writeInPlace(path, After);
        QTRY_COMPARE(f.services.messages.size(), 1);
        QTest::qWait(300);
        f.window->activateWindow();
        QTest::qWait(300);
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.editor()->text().toLatin1(), Before);
    }
};

QTEST_MAIN(TestDiskWatcher)
#include "tst_diskwatcher.moc"
