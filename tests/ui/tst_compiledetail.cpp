// When F9 cannot start the compilation, the "error" box says which piece is
// missing, so the user knows what to install or write.
#include "platform/compile/LinuxProcessStarter.h"
#include "support/MainWindowFixture.h"
#include "ui/compile/BuildCommands.h"
#include "ui/documents/DocumentSet.h"

#include <QAction>
#include <QTemporaryDir>
#include <QtTest>

using namespace quaredit;

namespace {

const QByteArray Program = "\txdef\t_main\r\n_main:\r\n\trts\r\n";

void writeTool(const QString& path) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nexit 0\n");
    f.close();
    QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
}

} // namespace

class TestCompileDetail : public QObject {
    Q_OBJECT

private slots:
    void missingPieceIsNamed_data() {
        QTest::addColumn<QStringList>("tools"); // in the search path
        QTest::addColumn<bool>("withBatch");
        QTest::addColumn<QString>("detail"); // "@" stands for the program folder
        QTest::newRow("no terminal") << QStringList{"wine"} << true
                                     << "No terminal emulator found: neither x-terminal-emulator "
                                        "nor xterm is on PATH.";
        QTest::newRow("no wine") << QStringList{"xterm"} << true
                                 << "No wine found on PATH: compil.bat runs through Wine's "
                                    "command interpreter (wine cmd /c).";
        QTest::newRow("no compil.bat, whatever else is missing")
            << QStringList{} << false << "No compil.bat in @: Options > General Options writes it.";
    }
    void nativeScriptProblemIsNamed_data() {
        QTest::addColumn<QByteArray>("script"); // empty: no compil.sh
        QTest::addColumn<QString>("detail");
        QTest::newRow("no compil.sh")
            << QByteArray() << "No compil.sh in @: Options > General Options writes it.";
        QTest::newRow("compil.sh not executable")
            << QByteArray("#!/bin/sh\n")
            << "compil.sh in @ is not executable: Options > General Options writes it again, "
               "runnable.";
    }
    void nativeScriptProblemIsNamed() {
        QFETCH(QByteArray, script);
        QFETCH(QString, detail);
        QTemporaryDir bin;
        writeTool(bin.filePath("xterm"));
        LinuxProcessStarter starter({bin.path()});
        MainWindowFixture f(true, {}, &starter);
        f.window->settings().UsePredef = 0;
        f.writeFile("batch.dat", "#!/bin/sh\r\n");
        if (!script.isEmpty())
            f.writeFile("compil.sh", script);
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("p.asm", Program)));
        f.window->menus().MNU_Quaro_Compile->trigger();
        QCOMPARE(f.services.plainMessages, QStringList{"error"});
        QCOMPARE(f.services.plainDetails,
                 QStringList{QString(detail).replace("@", f.window->programFolder())});
    }

    void missingPieceIsNamed() {
        QFETCH(QStringList, tools);
        QFETCH(bool, withBatch);
        QFETCH(QString, detail);
        QTemporaryDir bin;
        for (const QString& tool : tools)
            writeTool(bin.filePath(tool));
        LinuxProcessStarter starter({bin.path()});
        MainWindowFixture f(true, {}, &starter);
        if (withBatch)
            f.writeFile("compil.bat", "\r\n");
        QVERIFY(f.window->documents().OpenDocument(f.writeFile("p.asm", Program)));
        f.window->menus().MNU_Quaro_Compile->trigger();
        QCOMPARE(f.services.plainMessages, QStringList{"error"});
        QCOMPARE(f.services.plainDetails,
                 QStringList{QString(detail).replace("@", f.window->programFolder())});
    }
};

QTEST_MAIN(TestCompileDetail)
#include "tst_compiledetail.moc"
