#include "core/compile/BatchText.h"
#include "core/compile/ToolchainPage.h"

#include <QtTest>

using namespace quaredit;

namespace {

ToolchainPaths samplePaths() {
    return {ToolchainRow{"/user/", "", ""}, ToolchainRow{"/quaro/", "asm/include/", "asm/lib/"},
            ToolchainRow{"/ps/", "include/", "lib/"}, ToolchainRow{"/doors/", "", ""}};
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestToolchainPage : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString folder() const { return dir_.path() + u'/'; }
    QString userBatch() const { return folder() + "batch.dat"; }
    QString compileBatch() const { return folder() + "compil.bat"; }

    ToolchainPage newPage() {
        ToolchainPage page{BatchFolder(DataFolders::beside(folder()))};
        page.paths() = samplePaths();
        return page;
    }

private slots:
    void init() {
        QFile::remove(userBatch());
        QFile::remove(compileBatch());
        QFile::remove(folder() + "compil.sh");
    }

    // The user's "#!" text is a script for this system: written as
    // compil.sh with LF ends and mode 0700, while batch.dat keeps CR LF;
    // whichever file OK writes, the other kind is gone, so F9 never runs
    // a stale one.
    void aScriptTextIsWrittenAsCompilSh() {
        const QString script = folder() + "compil.sh";
        QVERIFY(writeBytes(userBatch(), "#!/bin/sh\r\nm68k-linux-gnu-as \"$1.asm\"\r\n"));
        QVERIFY(writeBytes(compileBatch(), "@echo stale\r\n"));
        ToolchainPage page = newPage();
        page.lstConfigChange(ConfigNone);
        QVERIFY(page.commit().isEmpty());
        QCOMPARE(fileBytes(script), QByteArray("#!/bin/sh\nm68k-linux-gnu-as \"$1.asm\"\n"));
        QCOMPARE(QFile::permissions(script) & 0x7777, QFile::ReadOwner | QFile::WriteOwner |
                                                          QFile::ExeOwner | QFile::ReadUser |
                                                          QFile::WriteUser | QFile::ExeUser);
        QCOMPARE(fileBytes(userBatch()),
                 QByteArray("#!/bin/sh\r\nm68k-linux-gnu-as \"$1.asm\"\r\n"));
        QVERIFY(!QFile::exists(compileBatch()));

        // Back to a DOS batch of the user's own, then to a kernel's.
        page.batchEdited({"@echo mine"});
        QVERIFY(page.commit().isEmpty());
        QCOMPARE(fileBytes(compileBatch()), QByteArray("@echo mine\r\n"));
        QVERIFY(!QFile::exists(script));
        page.batchEdited({"#!/bin/sh", "true"});
        QVERIFY(page.commit().isEmpty());
        QVERIFY(QFile::exists(script) && !QFile::exists(compileBatch()));
        page.lstConfigChange(ConfigQuaro2);
        QVERIFY(page.commit().isEmpty());
        QVERIFY(fileBytes(compileBatch()).startsWith("@ECHO OFF\r\n"));
        QVERIFY(!QFile::exists(script));
    }

    void switchEndsOnTheRowsGeneratedText_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("quaro to plusshell") << 1 << 2;
        QTest::newRow("plusshell to doorsos") << 2 << 3;
        QTest::newRow("doorsos to quaro") << 3 << 1;
        QTest::newRow("same configuration again") << 2 << 2;
        QTest::newRow("from the user's text") << 0 << 3;
    }
    void switchEndsOnTheRowsGeneratedText() {
        QFETCH(int, from);
        QFETCH(int, to);
        QVERIFY(writeBytes(userBatch(), "mine\r\n"));
        ToolchainPage page = newPage();
        QVERIFY(page.lstConfigChange(from).isEmpty());
        QVERIFY(page.lstConfigChange(to).isEmpty());
        const ToolchainRow row = samplePaths()[size_t(to)];
        QCOMPARE(page.batch(), GenerateBatchText(to, row.CompilPath));
        QVERIFY(!page.editable());
        QCOMPARE(page.compilerField(), row.CompilPath);
        QCOMPARE(page.includeField(), row.IncludePath);
        QCOMPARE(page.libraryField(), row.LibPath);
        QCOMPARE(page.paths(), samplePaths());
    }

    void predefinedSwitchesNeverTouchTheUserBatch() {
        QVERIFY(writeBytes(userBatch(), "keep\nme"));
        ToolchainPage page = newPage();
        for (int config : {1, 2, 3, 1, 3})
            QVERIFY(page.lstConfigChange(config).isEmpty());
        QCOMPARE(fileBytes(userBatch()), QByteArray("keep\nme"));
        QVERIFY(!QFile::exists(compileBatch()));
    }

    void handEditsSurviveLeavingAndComingBack() {
        QVERIFY(writeBytes(userBatch(), "echo one\rrem two\n"));
        ToolchainPage page = newPage();
        QVERIFY(page.lstConfigChange(ConfigNone).isEmpty());
        QCOMPARE(page.batch(), QStringList({"echo one", "rem two"}));
        QVERIFY(page.editable());
        QCOMPARE(page.compilerField(), QString("/user/"));

        page.batchEdited({"echo one", "rem two", "tasm %1"});
        QVERIFY(page.lstConfigChange(ConfigQuaro2).isEmpty());
        QCOMPARE(fileBytes(userBatch()), QByteArray("echo one\r\nrem two\r\ntasm %1\r\n"));
        QVERIFY(page.lstConfigChange(ConfigNone).isEmpty());
        QCOMPARE(page.batch(), QStringList({"echo one", "rem two", "tasm %1"}));
    }

    void generatedTextIgnoresTyping() {
        ToolchainPage page = newPage();
        page.lstConfigChange(ConfigDoorsOS);
        page.batchEdited({"del *.*"});
        QCOMPARE(page.batch(), GenerateBatchText(ConfigDoorsOS, "/doors/"));
    }

    // A showing cancelled on "(none)" leaves the text editable; the next
    // showing, switching to the stored predefined configuration, keeps it.
    void textShownAtCancelIsSavedAtTheNextShowing() {
        QVERIFY(writeBytes(userBatch(), "old\r\n"));
        ToolchainPage page = newPage();
        page.lstConfigChange(ConfigQuaro2); // the showing opens on the stored configuration
        page.lstConfigChange(ConfigNone);   // the user picks "(none)"...
        page.batchEdited({"new"});          // ...types, and cancels
        QCOMPARE(fileBytes(userBatch()), QByteArray("old\r\n"));

        page.paths() = samplePaths(); // the next showing reads the rows again
        QVERIFY(page.lstConfigChange(ConfigQuaro2).isEmpty());
        QCOMPARE(fileBytes(userBatch()), QByteArray("new\r\n"));
    }

    void compilerFolderEditsFollowTheSelection_data() {
        QTest::addColumn<int>("config");
        QTest::addColumn<QString>("line4");
        QTest::newRow("plusshell rewrites line 4") << 2 << "SET PLUSSHEL=/typed";
        QTest::newRow("quaro rewrites line 4") << 1 << "SET QUARO=/typed";
        QTest::newRow("user text is left alone") << 0 << "line 4";
    }
    void compilerFolderEditsFollowTheSelection() {
        QFETCH(int, config);
        QFETCH(QString, line4);
        QVERIFY(writeBytes(userBatch(), "1\r\n2\r\n3\r\nline 4\r\n5\r\n"));
        ToolchainPage page = newPage();
        page.lstConfigChange(config);
        const QStringList before = page.batch();
        for (const char* typed : {"/", "/t", "/typed"})
            page.edPathChange(typed);
        QCOMPARE(page.batch()[BatchFolderLine], line4);
        QStringList rest = page.batch();
        rest.removeAt(BatchFolderLine);
        QStringList restBefore = before;
        restBefore.removeAt(BatchFolderLine);
        QCOMPARE(rest, restBefore);

        ToolchainPaths expected = samplePaths();
        expected[size_t(config)].CompilPath = "/typed";
        QCOMPARE(page.paths(), expected);
    }

    void includeAndLibraryEditsOnlyChangeTheRow() {
        ToolchainPage page = newPage();
        page.lstConfigChange(ConfigPlusShell);
        const QStringList batch = page.batch();
        page.IncPathChange("inc/");
        page.LibPathChange("libs/");
        QCOMPARE(page.batch(), batch);
        QCOMPARE(page.paths()[2], (ToolchainRow{"/ps/", "inc/", "libs/"}));
        QCOMPARE(page.paths()[1], samplePaths()[1]);
        // Edits are carried by the row: leaving and coming back shows them.
        page.lstConfigChange(ConfigQuaro2);
        page.lstConfigChange(ConfigPlusShell);
        QCOMPARE(page.includeField(), QString("inc/"));
    }

    void missingUserBatchIsReportedAndTheSwitchCarriesOn() {
        ToolchainPage page = newPage();
        page.lstConfigChange(ConfigQuaro2);
        const QStringList errors = page.lstConfigChange(ConfigNone);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(userBatch()), qPrintable(errors[0]));
        QVERIFY(page.batch().isEmpty());
        QVERIFY(page.editable());
        QCOMPARE(page.compilerField(), QString("/user/"));
    }

    void unwritableUserBatchIsReportedOnLeaving() {
        QVERIFY(QDir().mkpath(userBatch())); // a folder where the file should go
        ToolchainPage page = newPage();
        page.lstConfigChange(ConfigNone);
        page.batchEdited({"text"});
        const QStringList errors = page.lstConfigChange(ConfigDoorsOS);
        QVERIFY(QDir().rmdir(userBatch()));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(userBatch()), qPrintable(errors[0]));
        QCOMPARE(page.batch(), GenerateBatchText(ConfigDoorsOS, "/doors/"));
    }

    void commitWritesWhatIsShown_data() {
        QTest::addColumn<int>("config");
        QTest::addColumn<QByteArray>("userBatchAfter");
        QTest::newRow("user text goes to both files") << 0 << QByteArray("my\r\nbatch\r\n");
        QTest::newRow("generated text leaves the user batch") << 1 << QByteArray("my\nbatch");
    }
    void commitWritesWhatIsShown() {
        QFETCH(int, config);
        QFETCH(QByteArray, userBatchAfter);
        QVERIFY(writeBytes(userBatch(), "my\nbatch"));
        QVERIFY(writeBytes(compileBatch(), "stale contents that are longer than the new ones"));
        ToolchainPage page = newPage();
        page.lstConfigChange(config);
        QVERIFY(page.commit().isEmpty());
        QCOMPARE(fileBytes(userBatch()), userBatchAfter);
        QCOMPARE(fileBytes(compileBatch()), batchBytesFromLines(page.batch()));
    }

    // "(none)" chosen with a batch.dat that cannot be read: the working
    // compil.bat stays, and the user is told why it was not written.
    void unreadableUserBatchLeavesTheCompileBatchAlone_data() {
        QTest::addColumn<QByteArray>("userBatchBytes");
        QTest::newRow("a NUL byte") << QByteArray("set X=1\0\r\n", 10);
        QTest::newRow("a folder in its place") << QByteArray();
    }
    void unreadableUserBatchLeavesTheCompileBatchAlone() {
        QFETCH(QByteArray, userBatchBytes);
        if (userBatchBytes.isEmpty())
            QVERIFY(QDir().mkpath(userBatch()));
        else
            QVERIFY(writeBytes(userBatch(), userBatchBytes));
        const QByteArray working = "@echo off\r\nquaro %1\r\n";
        QVERIFY(writeBytes(compileBatch(), working));
        ToolchainPage page = newPage();
        page.lstConfigChange(ConfigNone);
        const QStringList errors = page.commit();
        QDir().rmdir(userBatch());
        QCOMPARE(fileBytes(compileBatch()), working);
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(compileBatch()), qPrintable(errors[0]));
    }

    void commitReportsEachFileItCannotWrite() {
        QVERIFY(writeBytes(userBatch(), "x\r\n"));
        QVERIFY(QDir().mkpath(compileBatch()));
        ToolchainPage page = newPage();
        page.lstConfigChange(ConfigNone);
        page.batchEdited({"y"});
        const QStringList errors = page.commit();
        QVERIFY(QDir().rmdir(compileBatch()));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(compileBatch()), qPrintable(errors[0]));
        QCOMPARE(fileBytes(userBatch()), QByteArray("y\r\n"));
    }

    // Coming back from the folder picker on the stored "(none)" must not
    // reload batch.dat over what the user has typed since the dialog opened.
    void returningFromThePickerKeepsUnsavedUserText() {
        QVERIFY(writeBytes(userBatch(), "saved\r\n"));
        ToolchainPage page = newPage();
        page.lstConfigChange(ConfigNone);
        page.batchEdited({"typed"});
        QVERIFY(page.reactivate(ConfigNone).isEmpty());
        page.edPathChange("/picked/");
        QCOMPARE(page.batch(), QStringList{"typed"});
        QCOMPARE(page.paths()[0].CompilPath, QString("/picked/"));
        QCOMPARE(page.compilerField(), QString("/picked/"));
    }

    // The dialog reloads the stored choice before the picked folder reaches
    // its field, so the folder lands in the stored configuration's row.
    void returningFromThePickerOtherwiseSwitchesBack() {
        QVERIFY(writeBytes(userBatch(), "saved\r\n"));
        ToolchainPage page = newPage();
        page.lstConfigChange(ConfigQuaro2); // stored
        page.lstConfigChange(ConfigPlusShell);
        page.reactivate(ConfigQuaro2);
        page.edPathChange("/picked/");
        QCOMPARE(page.selected(), int(ConfigQuaro2));
        QCOMPARE(page.batch(), GenerateBatchText(ConfigQuaro2, "/picked/"));
        QCOMPARE(page.paths()[1].CompilPath, QString("/picked/"));
        QCOMPARE(page.paths()[2], samplePaths()[2]);
        QCOMPARE(fileBytes(userBatch()), QByteArray("saved\r\n"));
    }

    void storedIndexOutOfRangeShowsQuaro() {
        ToolchainPage page = newPage();
        QVERIFY(page.lstConfigChange(7).isEmpty());
        QCOMPARE(page.selected(), int(ConfigQuaro2));
        QCOMPARE(page.batch(), GenerateBatchText(ConfigQuaro2, "/quaro/"));
    }
};

QTEST_APPLESS_MAIN(TestToolchainPage)
#include "tst_toolchainpage.moc"
