#include "core/app/DataFolders.h"
#include "core/compile/CompileRun.h"
#include "core/compile/ToolchainPage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace quaredit;

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

} // namespace

class TestDataFolders : public QObject {
    Q_OBJECT

private slots:
    // Where each file is, for the three ways the program can find itself:
    // "@" is the temporary root, "bin", "share" and "user" the folders in it.
    void eachFileHasOnePlace_data() {
        QTest::addColumn<QString>("layout"); // files that exist, blank-separated
        QTest::addColumn<QString>("programFolder");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        // A build folder: everything beside the executable, as always.
        QTest::newRow("build: data beside the program") << "bin/keycodes.lst"
                                                        << "bin"
                                                        << "keycodes.lst"
                                                        << "bin/keycodes.lst";
        QTest::newRow("build: batch written beside the program") << "bin/keycodes.lst"
                                                                 << "bin"
                                                                 << "compil.bat"
                                                                 << "bin/compil.bat";
        QTest::newRow("build: missing data still named beside the program") << "bin/x"
                                                                            << "bin"
                                                                            << "prg.wiz"
                                                                            << "bin/prg.wiz";
        // Installed: read-only data from share/quaredit, batch files in the
        // user's folder although bin/ is writable here.
        QTest::newRow("installed: data from the shared folder")
            << "prefix/bin/quaredit prefix/share/quaredit/keycodes.lst"
            << "prefix/bin"
            << "keycodes.lst"
            << "prefix/share/quaredit/keycodes.lst";
        QTest::newRow("installed: missing data named in the shared folder")
            << "prefix/bin/quaredit prefix/share/quaredit/keycodes.lst"
            << "prefix/bin"
            << "lib.wiz"
            << "prefix/share/quaredit/lib.wiz";
        QTest::newRow("installed: a file beside the program wins")
            << "prefix/bin/prg.wiz prefix/share/quaredit/prg.wiz"
            << "prefix/bin"
            << "prg.wiz"
            << "prefix/bin/prg.wiz";
        QTest::newRow("installed: compil.bat in the user's folder")
            << "prefix/bin/compil.bat prefix/share/quaredit/keycodes.lst"
            << "prefix/bin"
            << "compil.bat"
            << "user/compil.bat";
        QTest::newRow("installed: batch.dat in the user's folder")
            << "prefix/share/quaredit/keycodes.lst"
            << "prefix/bin"
            << "batch.dat"
            << "user/batch.dat";
        // A program folder that cannot be written (here: one that is gone).
        QTest::newRow("unwritable program folder: batch in the user's folder") << ""
                                                                               << "gone"
                                                                               << "compil.bat"
                                                                               << "user/compil.bat";
    }
    void eachFileHasOnePlace() {
        QFETCH(QString, layout);
        QFETCH(QString, programFolder);
        QFETCH(QString, file);
        QFETCH(QString, expected);
        QTemporaryDir root;
        for (const QString& f : layout.split(' ', Qt::SkipEmptyParts))
            touch(root.filePath(f));
        if (programFolder != "gone")
            QDir().mkpath(root.filePath(programFolder));
        const DataFolders folders(root.filePath(programFolder), root.filePath("user"));
        QCOMPARE(folders.path(file), root.filePath(expected));
    }

    void compileAndOptionsUseTheSamePlace() {
        QTemporaryDir root;
        touch(root.filePath("prefix/share/quaredit/keycodes.lst"));
        QDir().mkpath(root.filePath("prefix/bin"));
        const DataFolders folders(root.filePath("prefix/bin/"), root.filePath("user/quaredit/"));
        QVERIFY(folders.installed());
        // The options dialog writes where F9 runs, making the folder on the way.
        ToolchainPage page{BatchFolder(folders)};
        page.lstConfigChange(1);
        QCOMPARE(page.commit(), QStringList());
        const CompileCommand command = compileCommandFor(folders, "/src/prog");
        QCOMPARE(command.batchFile, root.filePath("user/quaredit/compil.bat"));
        QVERIFY(QFileInfo(command.batchFile).isFile());
        QVERIFY(!QFile::exists(root.filePath("prefix/bin/compil.bat")));
    }

    void userFolderIsInsideTheDataHome() {
        QCOMPARE(userDataFolderIn("/home/u/.local/share"),
                 QString("/home/u/.local/share/quaredit/"));
        QCOMPARE(userDataFolderIn("/home/u/.local/share/"),
                 QString("/home/u/.local/share/quaredit/"));
    }
};

QTEST_APPLESS_MAIN(TestDataFolders)
#include "tst_datafolders.moc"
