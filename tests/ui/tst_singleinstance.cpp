// One editor per session: the built program, started a second time, hands
// its files to the editor that listens in the runtime folder. The listening
// editor is this test's own main window, so its tabs can be checked.
#include "core/app/Instance.h"
#include "platform/app/InstanceChannel.h"
#include "support/MainWindowFixture.h"
#include "ui/app/Handover.h"
#include "ui/documents/DocumentSet.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <future>
#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

using namespace quaredit;

namespace {

// The environment of a start in its own session: the runtime folder is the
// test's, no display, nothing of the tester's home.
QProcessEnvironment sessionOf(const QTemporaryDir& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
    env.insert("XDG_DATA_HOME", home.filePath(".local/share"));
    env.insert("XDG_RUNTIME_DIR", home.path());
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

// A socket file with nobody behind it, as an editor that crashed leaves.
bool makeStaleSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound && QFileInfo::exists(path);
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    QString socket() const { return instanceSocketPath(home.path(), QString()); }

    // The built program started once more; this process's event loop runs
    // meanwhile, since its editor is the one the start talks to.
    int runSecondStart(const QStringList& arguments,
                       const QProcessEnvironment& env = QProcessEnvironment()) {
        QProcess second;
        second.setProcessEnvironment(env.isEmpty() ? sessionOf(home) : env);
        second.setWorkingDirectory(home.path());
        second.start(QUAREDIT_EXE, arguments);
        if (!QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 30000)) {
            second.kill();
            second.waitForFinished();
            return -1;
        }
        return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -2;
    }

    // The blocking hand-over of a start, from a thread of its own so that
    // this thread's server can answer.
    static HandoverResult handOver(const QString& socket, const QStringList& files) {
        auto result =
            std::async(std::launch::async, [=] { return handOverToRunningEditor(socket, files); });
        // The client gives up after its own timeout, so get() never hangs.
        (void)QTest::qWaitFor(
            [&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
            30000);
        return result.get();
    }

private slots:
    void init() { QLocalServer::removeServer(socket()); }

    void secondStartHandsItsFilesOver_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("tabs");
        QTest::newRow("two files, one relative")
            << QStringList{"one.asm", home.filePath("two.h")} << QStringList{"one.asm", "two.h"};
        QTest::newRow("a path with a blank, unquoted")
            << QStringList{home.filePath("my"), "file.txt"} << QStringList{"my file.txt"};
        QTest::newRow("no file: the editor comes to the front")
            << QStringList{} << QStringList{"[Untitled]"};
    }
    void secondStartHandsItsFilesOver() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, tabs);
        for (const char* name : {"one.asm", "two.h", "my file.txt"}) {
            QFile f(home.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("\tnop\r\n");
        }
        MainWindowFixture f;
        InstanceServer server;
        QVERIFY(server.listen(socket()));
        acceptHandovers(server, *f.window);
        QSignalSpy handed(&server, &InstanceServer::handedOver);

        QCOMPARE(runSecondStart(arguments), 0);
        QTRY_COMPARE(handed.size(), 1);
        QCOMPARE(f.tabCaptions(), tabs);
        // The files were opened as a command line opens them: not as recent files.
        QCOMPARE(f.window->settings().RecentFiles.size(), 0);
    }

    // The launcher's activation token of a second start reaches the running
    // editor, which may then raise itself; Wayland's token wins over X11's
    // startup id, and one that could not be passed on is left behind.
    void secondStartPassesItsActivationToken_data() {
        QTest::addColumn<QString>("xdgToken");
        QTest::addColumn<QString>("startupId");
        QTest::addColumn<QString>("received");
        QTest::newRow("Wayland token") << "wl-7f3a:9"
                                       << ""
                                       << "wl-7f3a:9";
        QTest::newRow("X11 startup id") << ""
                                        << "xterm-42-host-_TIME123"
                                        << "xterm-42-host-_TIME123";
        QTest::newRow("both: Wayland's") << "wl-1"
                                         << "x11-1"
                                         << "wl-1";
        QTest::newRow("none") << ""
                              << ""
                              << "";
        QTest::newRow("control characters") << "bad\ttoken"
                                            << ""
                                            << "";
    }
    void secondStartPassesItsActivationToken() {
        QFETCH(QString, xdgToken);
        QFETCH(QString, startupId);
        QFETCH(QString, received);
        InstanceServer server;
        QVERIFY(server.listen(socket()));
        QSignalSpy handed(&server, &InstanceServer::handedOver);
        QProcessEnvironment env = sessionOf(home);
        env.remove("XDG_ACTIVATION_TOKEN");
        env.remove("DESKTOP_STARTUP_ID");
        if (!xdgToken.isEmpty())
            env.insert("XDG_ACTIVATION_TOKEN", QString(xdgToken).replace("\\t", "\t"));
        if (!startupId.isEmpty())
            env.insert("DESKTOP_STARTUP_ID", startupId);
        QCOMPARE(runSecondStart({}, env), 0);
        QTRY_COMPARE(handed.size(), 1);
        QCOMPARE(handed[0][1].toString(), received);
    }

    void receiverHandsTheTokenToItsDesktop_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<QString>("token");
        QTest::addColumn<QByteArray>("environment");
        QTest::newRow("wayland") << "wayland"
                                 << "tok-1" << QByteArray("tok-1");
        QTest::newRow("wayland-egl") << "wayland-egl"
                                     << "tok-2" << QByteArray("tok-2");
        QTest::newRow("no token") << "wayland"
                                  << "" << QByteArray();
        QTest::newRow("a blank in it") << "wayland"
                                       << "tok 3" << QByteArray();
        QTest::newRow("not Wayland") << "offscreen"
                                     << "tok-4" << QByteArray();
    }
    void receiverHandsTheTokenToItsDesktop() {
        QFETCH(QString, platform);
        QFETCH(QString, token);
        QFETCH(QByteArray, environment);
        qunsetenv("XDG_ACTIVATION_TOKEN");
        useActivationToken(platform, token);
        QCOMPARE(qgetenv("XDG_ACTIVATION_TOKEN"), environment);
        qunsetenv("XDG_ACTIVATION_TOKEN");
    }

    void secondEditorDoesNotTakeALiveSocket() {
        InstanceServer first;
        QVERIFY(first.listen(socket()));
        InstanceServer second;
        QVERIFY(!second.listen(socket()));
        QSignalSpy handed(&first, &InstanceServer::handedOver);
        QCOMPARE(handOver(socket(), {"/x.asm"}), HandoverResult::Delivered);
        QTRY_COMPARE(handed.size(), 1);
        QCOMPARE(handed[0][0].toStringList(), QStringList{"/x.asm"});
    }

    void staleSocketIsReplaced() {
        QVERIFY(makeStaleSocket(socket()));
        QCOMPARE(handOver(socket(), {"/x.asm"}), HandoverResult::NoEditor);
        InstanceServer server;
        QVERIFY(server.listen(socket()));
        QSignalSpy handed(&server, &InstanceServer::handedOver);
        QCOMPARE(handOver(socket(), {}), HandoverResult::Delivered);
        QTRY_COMPARE(handed.size(), 1);
    }

    // The program itself, finding a crashed editor's socket, becomes the
    // session's editor: the next start hands over to it.
    void programReplacesAStaleSocket() {
        QVERIFY(makeStaleSocket(socket()));
        QProcess editor;
        editor.setProcessEnvironment(sessionOf(home));
        editor.start(QUAREDIT_EXE, {});
        QVERIFY(editor.waitForStarted(10000));
        bool delivered = false;
        QElapsedTimer clock;
        clock.start();
        while (!delivered && clock.elapsed() < 30000 && editor.state() == QProcess::Running) {
            delivered = handOverToRunningEditor(socket(), {}) == HandoverResult::Delivered;
            if (!delivered)
                QTest::qWait(50);
        }
        editor.kill();
        editor.waitForFinished(10000);
        QVERIFY2(delivered, editor.readAllStandardError().constData());
    }

    void newWindowStartsItsOwnEditor() {
        MainWindowFixture f;
        InstanceServer server;
        QVERIFY(server.listen(socket()));
        acceptHandovers(server, *f.window);
        QSignalSpy handed(&server, &InstanceServer::handedOver);
        QFile file(home.filePath("one.asm"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        QProcess separate;
        separate.setProcessEnvironment(sessionOf(home));
        separate.setWorkingDirectory(home.path());
        separate.start(QUAREDIT_EXE, {"--new-window", "one.asm"});
        QVERIFY(separate.waitForStarted(10000));
        // It runs on as an editor of its own instead of ending...
        QTest::qWait(1500);
        QCOMPARE(separate.state(), QProcess::Running);
        separate.kill();
        separate.waitForFinished(10000);
        // ...and neither handed anything over nor took the socket.
        QCOMPARE(handed.size(), 0);
        QCOMPARE(f.tabCaptions(), QStringList{"[Untitled]"});
        QCOMPARE(handOver(socket(), {}), HandoverResult::Delivered);
        QTRY_COMPARE(handed.size(), 1);
    }

    // Twenty first starts at the same moment used to give twenty editors:
    // each asked, found nobody, and listened.
    void firstStartsAtTheSameMomentEndWithOneEditor() {
        constexpr int Starts = 4;
        std::vector<std::unique_ptr<QProcess>> starts;
        for (int i = 0; i < Starts; ++i) {
            starts.push_back(std::make_unique<QProcess>());
            starts.back()->setProcessEnvironment(sessionOf(home));
            starts.back()->setWorkingDirectory(home.path());
        }
        for (auto& p : starts)
            p->start(QUAREDIT_EXE, {});
        const auto running = [&] {
            return std::count_if(starts.begin(), starts.end(),
                                 [](const auto& p) { return p->state() != QProcess::NotRunning; });
        };
        // The ones that found the first hand over and end; give the
        // others as long again to show they stay.
        const bool settled = QTest::qWaitFor([&] { return running() <= 1; }, 60000);
        QTest::qWait(2000);
        const auto left = running();
        for (auto& p : starts) {
            p->kill();
            p->waitForFinished(10000);
        }
        QVERIFY(settled);
        QCOMPARE(left, 1);
        for (auto& p : starts) {
            if (p->exitStatus() == QProcess::NormalExit)
                QCOMPARE(p->exitCode(), 0);
        }
    }

    // The largest hand-over a start may send is far more than a socket
    // holds at once: it goes in many pieces, and arrives whole.
    void largestHandoverArrivesWhole() {
        InstanceServer server;
        QVERIFY(server.listen(socket()));
        QSignalSpy handed(&server, &InstanceServer::handedOver);
        QStringList files;
        for (int i = 0; i < MaxHandoverFiles; ++i)
            files << QLatin1Char('/') + QString(MaxHandoverPath - 8, QLatin1Char('a' + i % 26)) +
                         QString::number(i).rightJustified(7, QLatin1Char('0'));
        QCOMPARE(handOver(socket(), files), HandoverResult::Delivered);
        QTRY_COMPARE(handed.size(), 1);
        QCOMPARE(handed[0][0].toStringList(), files);
    }

    // Only the user reaches the socket, and it goes with its editor; a socket
    // another editor has put in its place meanwhile stays.
    void socketIsTheUsersAndLeavesWithItsEditor() {
        {
            InstanceServer server;
            QVERIFY(server.listen(socket()));
            QVERIFY(server.isListening());
            const QFileInfo info(socket());
            QVERIFY(info.exists());
            QCOMPARE(info.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther |
                                           QFile::WriteOther),
                     QFile::Permissions());
        }
        QVERIFY(!QFileInfo::exists(socket()));

        auto first = std::make_unique<InstanceServer>();
        QVERIFY(first->listen(socket()));
        QVERIFY(QFile::remove(socket())); // as if lost, and then taken by another
        InstanceServer second;
        QVERIFY(second.listen(socket()));
        first.reset();
        QVERIFY(QFileInfo::exists(socket()));
        QCOMPARE(handOver(socket(), {"/z.asm"}), HandoverResult::Delivered);
    }

    void strangerIsDroppedAndTheServerGoesOn() {
        InstanceServer server;
        QVERIFY(server.listen(socket()));
        QSignalSpy handed(&server, &InstanceServer::handedOver);
        QLocalSocket stranger;
        stranger.connectToServer(socket());
        QVERIFY(stranger.waitForConnected(5000));
        stranger.write("GET / HTTP/1.0\r\n\r\n");
        QTRY_COMPARE(stranger.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(handOver(socket(), {"/y.asm"}), HandoverResult::Delivered);
        QTRY_COMPARE(handed.size(), 1);
        QCOMPARE(handed[0][0].toStringList(), QStringList{"/y.asm"});
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
