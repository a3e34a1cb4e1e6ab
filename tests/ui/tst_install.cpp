// The program as a user's system has it: installed into a prefix that the
// user cannot write, started with a fresh home folder.
#include "core/app/DataFolders.h"
#include "core/app/Instance.h"
#include "core/settings/MemoryKeyStore.h"
#include "platform/app/InstanceChannel.h"
#include "support/FakeProcessStarter.h"
#include "support/FakeShellAssociation.h"
#include "support/FakeWindowServices.h"
#include "ui/about/ManualCommand.h"
#include "ui/app/TPFrm.h"
#include "ui/settings/OptionsCommands.h"

#include <QAction>
#include <QDialog>
#include <QDirIterator>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

using namespace quaredit;

namespace {

const char* const InstalledFiles[] = {
    "bin/quaredit",
    "share/quaredit/keycodes.lst",
    "share/quaredit/prg.wiz",
    "share/quaredit/lib.wiz",
    "share/quaredit/manual.html",
    "share/applications/quaredit.desktop",
    "share/icons/hicolor/scalable/apps/quaredit.svg",
    "share/metainfo/com.vasksoftware.quaredit.metainfo.xml",
};

// Every path under `root` with its size: what a start must leave alone.
QStringList listing(const QString& root) {
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        entries << it.filePath() + ' ' + QString::number(it.fileInfo().size());
    }
    entries.sort();
    return entries;
}

void setWritable(const QString& root, bool writable) {
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    QStringList paths{root};
    while (it.hasNext())
        paths << it.next();
    for (const QString& p : paths) {
        QFile::Permissions perms = QFile::permissions(p);
        const QFile::Permissions write =
            QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
        QFile::setPermissions(p, writable ? perms | QFile::WriteOwner | QFile::WriteUser
                                          : perms & ~write);
    }
}

QProcessEnvironment freshUser(const QTemporaryDir& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
    env.insert("XDG_DATA_HOME", home.filePath(".local/share"));
    env.insert("XDG_CACHE_HOME", home.filePath(".cache"));
    env.insert("XDG_RUNTIME_DIR", home.path());
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

QString runTool(const QString& program, const QStringList& arguments, int& exitCode) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        exitCode = -1;
    } else {
        exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    }
    return QString::fromLocal8Bit(p.readAll());
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir work;
    QString prefix;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        prefix = work.filePath("prefix");
        int code = 0;
        const QString output =
            runTool(QUAREDIT_CMAKE, {"--install", QUAREDIT_BUILD_DIR, "--prefix", prefix}, code);
        QVERIFY2(code == 0, qPrintable(output));
        setWritable(prefix, false);
    }
    void cleanupTestCase() { setWritable(prefix, true); }

    void everyPieceIsInPlace() {
        for (const char* file : InstalledFiles)
            QVERIFY2(QFileInfo(prefix + '/' + file).isFile(), file);
        QVERIFY(QFileInfo(prefix + "/bin/quaredit").isExecutable());
        QCOMPARE(QFileInfo(prefix + "/share/quaredit/keycodes.lst").size(),
                 QFileInfo(QUAREDIT_BIN_DIR "/keycodes.lst").size());
    }

    // The checks of the desktop's own tools, where they are installed.
    void desktopEntryAndMetadataAreValid_data() {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop entry")
            << "desktop-file-validate"
            << QStringList{prefix + "/share/applications/quaredit.desktop"};
        QTest::newRow("AppStream metadata")
            << "appstreamcli"
            << QStringList{"validate", "--no-net",
                           prefix + "/share/metainfo/com.vasksoftware.quaredit.metainfo.xml"};
    }
    void desktopEntryAndMetadataAreValid() {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        const QString program = QStandardPaths::findExecutable(tool);
        if (program.isEmpty())
            QSKIP(qPrintable(tool + " is not installed"));
        int code = 0;
        const QString output = runTool(program, arguments, code);
        QVERIFY2(code == 0, qPrintable(output));
    }

    // In this process, so the first launch can be answered: the main window
    // of a program whose folder is the installed bin/.
    void firstLaunchFindsTheDataAndWritesTheBatchForTheUser() {
        QTemporaryDir home;
        const QByteArray savedHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        const QString userFolder =
            userDataFolderIn(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
        QVERIFY(userFolder.startsWith(home.path()));

        MemoryKeyStore store;
        FakeWindowServices services;
        FakeProcessStarter processes;
        FakeShellAssociation association;
        TPFrmContext context;
        context.store = &store;
        context.services = &services;
        context.programFolder = prefix + "/bin/";
        context.processStarter = &processes;
        context.shellAssociation = &association;
        {
            TPFrm window(context);
            services.onDialog([](QDialog& d) {
                QTest::keyClick(&d, Qt::Key_Return);
                return d.result();
            });
            services.onDialog([](QDialog& d) {
                QTest::mouseClick(d.findChild<QPushButton*>("OkBt"), Qt::LeftButton);
                return d.result();
            });
            window.startUp({});
            window.createDialogs();

            QCOMPARE(services.dialogs, QStringList({"WelcomeFrm", "OptionsFrm"}));
            // Nothing was missing: no key codes or other file error.
            QCOMPARE(services.messages.size(), 0);
            QVERIFY(window.menus().MNU_Tools_ScanC->isEnabled());
            QCOMPARE(window.dataFolders().path("prg.wiz"), prefix + "/share/quaredit/prg.wiz");
            // Help > Contents shows the installed manual, with the section the
            // about box sends the reader to.
            window.menus().MNU_Help_Contents->trigger();
            QCOMPARE(services.messages.size(), 0);
            TManualFrm* manual = window.manual().window();
            QVERIFY(manual && manual->isVisible());
            QCOMPARE(manual->browser()->source().toLocalFile(),
                     prefix + "/share/quaredit/manual.html");
            QVERIFY(manual->browser()->toPlainText().contains("Contact and bug reports"));
            QVERIFY(manual->browser()->toPlainText().contains("Comment/Uncomment Lines"));
            QFile batch(userFolder + "compil.bat");
            QVERIFY(batch.open(QIODevice::ReadOnly));
            QVERIFY(batch.readAll().contains("SET QUARO=[COMPILATOR PATH]\r\n"));
        }
        qputenv("HOME", savedHome);
    }

    // The installed program itself: it starts from the read-only prefix with
    // a new user's home, writes nothing there, and takes a second start's file.
    void installedProgramRunsAndTakesASecondStart() {
        const QStringList before = listing(prefix);
        QTemporaryDir home;
        QProcess editor;
        editor.setProcessEnvironment(freshUser(home));
        editor.start(prefix + "/bin/quaredit", {});
        QVERIFY2(editor.waitForStarted(10000), qPrintable(editor.errorString()));
        const QString ini = home.filePath(".config/Vask Software/Quaredit/alpha5.ini");
        const QString socket = instanceSocketPath(home.path(), QString());
        QElapsedTimer clock;
        clock.start();
        bool up = false;
        while (!up && clock.elapsed() < 30000 && editor.state() == QProcess::Running) {
            up = QSettings(ini, QSettings::IniFormat).value("FirstLaunch").toInt() == 1 &&
                 QFileInfo::exists(socket);
            if (!up)
                QTest::qWait(50);
        }

        int code = -1;
        if (up) {
            QFile file(home.filePath("prog.asm"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            QProcess second;
            second.setProcessEnvironment(freshUser(home));
            second.start(prefix + "/bin/quaredit", {file.fileName()});
            if (second.waitForFinished(30000))
                code = second.exitCode();
        }
        editor.kill();
        editor.waitForFinished(10000);
        QVERIFY2(up, editor.readAllStandardError().constData());
        QCOMPARE(code, 0);
        QCOMPARE(listing(prefix), before);
    }
};

QTEST_MAIN(TestInstall)
#include "tst_install.moc"
