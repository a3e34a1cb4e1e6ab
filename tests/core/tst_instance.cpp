#include "core/app/Instance.h"

#include <QSet>
#include <QtTest>

using namespace quaredit;

namespace {

// A message as the sending side writes it, whatever it holds.
QByteArray message(const QStringList& files) {
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << files;
    QByteArray bytes;
    QDataStream head(&bytes, QIODevice::WriteOnly);
    head << quint32(0x51454431) << quint32(payload.size());
    return bytes + payload;
}

} // namespace

class TestInstance : public QObject {
    Q_OBJECT

private slots:
    void newWindowIsTheFirstArgumentOnly_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("newWindow");
        QTest::addColumn<QStringList>("rest");
        QTest::newRow("none") << QStringList{} << false << QStringList{};
        QTest::newRow("files only") << QStringList{"a.asm"} << false << QStringList{"a.asm"};
        QTest::newRow("option first")
            << QStringList{"--new-window", "a.asm"} << true << QStringList{"a.asm"};
        QTest::newRow("option later is a name") << QStringList{"a.asm", "--new-window"} << false
                                                << QStringList{"a.asm", "--new-window"};
    }
    void newWindowIsTheFirstArgumentOnly() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, newWindow);
        QFETCH(QStringList, rest);
        const StartRequest r = parseStartRequest(arguments);
        QCOMPARE(r.newWindow, newWindow);
        QCOMPARE(r.arguments, rest);
    }

    void commandLineNamesFiles_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("nothing") << QStringList{} << QStringList{} << QStringList{};
        QTest::newRow("blanks only") << QStringList{" ", ""} << QStringList{} << QStringList{};
        QTest::newRow("one file") << QStringList{"a.asm"} << QStringList{} << QStringList{"a.asm"};
        QTest::newRow("unquoted path with a blank")
            << QStringList{"/my", "files/g.asm"} << QStringList{"/my files/g.asm"}
            << QStringList{"/my files/g.asm"};
        QTest::newRow("several files from a file manager")
            << QStringList{"/a.asm", "/b c.asm"} << QStringList{"/a.asm", "/b c.asm"}
            << QStringList{"/a.asm", "/b c.asm"};
        QTest::newRow("joined name wins over its pieces")
            << QStringList{"/a", "b"} << QStringList{"/a b", "/a", "b"} << QStringList{"/a b"};
        QTest::newRow("one missing: the joined name, reported as missing")
            << QStringList{"/a.asm", "/gone.asm"} << QStringList{"/a.asm"}
            << QStringList{"/a.asm /gone.asm"};
    }
    void commandLineNamesFiles() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, existing);
        QFETCH(QStringList, files);
        const QSet<QString> there(existing.begin(), existing.end());
        QCOMPARE(commandLineFiles(arguments, [&](const QString& p) { return there.contains(p); }),
                 files);
    }

    void socketLivesInTheRuntimeFolder_data() {
        QTest::addColumn<QString>("runtime");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("socket");
        QTest::newRow("X display") << "/run/user/1000"
                                   << ":0"
                                   << "/run/user/1000/quaredit-_0.socket";
        QTest::newRow("Wayland display") << "/run/user/1000/"
                                         << "wayland-0"
                                         << "/run/user/1000/quaredit-wayland-0.socket";
        QTest::newRow("no display") << "/run/user/7"
                                    << ""
                                    << "/run/user/7/quaredit.socket";
        QTest::newRow("display cannot leave the folder") << "/r"
                                                         << "../../x/y"
                                                         << "/r/quaredit-.._.._x_y.socket";
        QTest::newRow("no runtime folder: no socket") << ""
                                                      << ":0"
                                                      << "";
    }
    void socketLivesInTheRuntimeFolder() {
        QFETCH(QString, runtime);
        QFETCH(QString, display);
        QFETCH(QString, socket);
        QCOMPARE(instanceSocketPath(runtime, display), socket);
    }

    void handoverArrivesWhole_data() {
        QTest::addColumn<QStringList>("files");
        QTest::newRow("raise only") << QStringList{};
        QTest::newRow("names with blanks, newlines and non-ASCII")
            << QStringList{"/a b.asm", "/line\nbreak.asm", "/caf\u00e9/\u00fc.h"};
    }
    void handoverArrivesWhole() {
        QFETCH(QStringList, files);
        const QByteArray message = encodeHandover(files);
        // Byte by byte, as a socket may deliver it, then with a second message behind.
        QByteArray buffer;
        bool malformed = true;
        for (int i = 0; i < message.size() - 1; ++i) {
            buffer.append(message[i]);
            QVERIFY(!takeHandover(buffer, malformed).has_value());
            QVERIFY(!malformed);
        }
        buffer.append(message.back());
        buffer.append(encodeHandover({"/next"}));
        QCOMPARE(takeHandover(buffer, malformed).value_or(QStringList{"<none>"}), files);
        QCOMPARE(takeHandover(buffer, malformed).value_or(QStringList{"<none>"}),
                 QStringList{"/next"});
        QVERIFY(buffer.isEmpty());
    }

    // The activation token rides behind the files; a message without one,
    // as an older start sends, still reads, and the files of one with a
    // token read the same for an editor that looks no further.
    void activationTokenTravelsWithTheFiles_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("received");
        QTest::newRow("files and token") << QStringList{"/a.asm"} << "wl:abc-123"
                                         << "wl:abc-123";
        QTest::newRow("raise with token") << QStringList{} << "x11-1-host_TIME9"
                                          << "x11-1-host_TIME9";
        QTest::newRow("no token") << QStringList{"/a.asm"} << ""
                                  << "";
        QTest::newRow("unusable token left behind") << QStringList{"/a.asm"} << "has blank"
                                                    << "";
        QTest::newRow("too long left behind")
            << QStringList{} << QString(MaxActivationToken + 1, 'x') << "";
    }
    void activationTokenTravelsWithTheFiles() {
        QFETCH(QStringList, files);
        QFETCH(QString, token);
        QFETCH(QString, received);
        QByteArray buffer = encodeHandover(files, token);
        bool malformed = true;
        QString got = "<unset>";
        QCOMPARE(takeHandover(buffer, malformed, &got).value_or(QStringList{"<none>"}), files);
        QVERIFY(!malformed);
        QCOMPARE(got, received);
        QVERIFY(buffer.isEmpty());
        // An older message: the same files, no token.
        QByteArray older = encodeHandover(files);
        QVERIFY(takeHandover(older, malformed, &got).has_value());
        QVERIFY(got.isEmpty());
    }

    // A token the sender would never send, or bytes behind it, make a
    // wrong message.
    void badTokenMakesTheMessageWrong_data() {
        QTest::addColumn<QString>("token");
        QTest::addColumn<QByteArray>("behind");
        QTest::newRow("line break in it") << QString("two\nlines") << QByteArray();
        QTest::newRow("longer than the most")
            << QString(MaxActivationToken + 1, 'x') << QByteArray();
        QTest::newRow("a byte behind it") << QString("wl-1") << QByteArray("!");
        QTest::newRow("a second token behind it")
            << QString("wl-1") << QByteArray::fromHex("00000002") + QByteArray("\0x", 2);
    }
    void badTokenMakesTheMessageWrong() {
        QFETCH(QString, token);
        QFETCH(QByteArray, behind);
        QByteArray payload;
        {
            QDataStream out(&payload, QIODevice::WriteOnly);
            out.setVersion(QDataStream::Qt_6_0);
            out << QStringList{"/a.asm"} << token;
        }
        payload += behind;
        QByteArray message;
        QDataStream out(&message, QIODevice::WriteOnly);
        out << quint32(0x51454431) << quint32(payload.size());
        message.append(payload);
        bool malformed = false;
        QVERIFY(!takeHandover(message, malformed).has_value());
        QVERIFY(malformed);
    }

    void launchTokenPrefersWayland_data() {
        QTest::addColumn<QString>("xdg");
        QTest::addColumn<QString>("startupId");
        QTest::addColumn<QString>("token");
        QTest::newRow("Wayland's") << "wl"
                                   << "x11"
                                   << "wl";
        QTest::newRow("X11's alone") << ""
                                     << "x11"
                                     << "x11";
        QTest::newRow("unusable Wayland's, X11's") << "w l"
                                                   << "x11"
                                                   << "x11";
        QTest::newRow("neither") << ""
                                 << ""
                                 << "";
    }
    void launchTokenPrefersWayland() {
        QFETCH(QString, xdg);
        QFETCH(QString, startupId);
        QFETCH(QString, token);
        QCOMPARE(launchActivationToken(xdg, startupId), token);
    }

    void strangerBytesAreRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("wrong signature") << QByteArray("GET / HTTP/1.0\r\n\r\n");
        QTest::newRow("absurd length") << QByteArray::fromHex("51454431ffffffff");
        // Believed, this count reserved tens of gigabytes.
        QTest::newRow("a count the payload cannot hold")
            << QByteArray::fromHex("5145443100000008ffffffff00000000");
        QTest::newRow("a path past the longest a system allows")
            << message({QString(MaxHandoverPath + 1, 'p')});
        QTest::newRow("more files than one message may hold")
            << message(QStringList(MaxHandoverFiles + 1, "/a.asm"));
        QTest::newRow("a null string") << QByteArray::fromHex("51454431000000080000000"
                                                              "1ffffffff");
        QTest::newRow("half a character")
            << QByteArray::fromHex("5145443100000009000000010000000141");
        QTest::newRow("bytes after the last path") << QByteArray::fromHex("514544310000000500000000"
                                                                          "41");
    }
    void strangerBytesAreRefused() {
        QFETCH(QByteArray, bytes);
        bool malformed = false;
        QVERIFY(!takeHandover(bytes, malformed).has_value());
        QVERIFY(malformed);
    }

    void messageAtTheBoundsIsTaken() {
        const QStringList files(MaxHandoverFiles, "/" + QString(MaxHandoverPath - 1, 'p'));
        QByteArray buffer = message(files);
        bool malformed = true;
        QCOMPARE(takeHandover(buffer, malformed).value_or(QStringList()), files);
        QVERIFY(!malformed);
    }

    void startLeavesOutWhatAMessageCannotHold() {
        QStringList files(MaxHandoverFiles + 5, "/a.asm");
        files.prepend("/" + QString(MaxHandoverPath, 'p'));
        QCOMPARE(fitHandover(files), 6);
        QCOMPARE(files.size(), MaxHandoverFiles);
    }

    void manyRefusalsAreOneMessage_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("expectedLines");
        QTest::newRow("one is said as it is") << 1 << QStringList{"no f0"};
        QTest::newRow("a few are listed")
            << 3 << QStringList{"3 files could not be opened:", "no f0", "no f1", "no f2"};
        QTest::newRow("many: the first five and a count")
            << 10000
            << QStringList{"10000 files could not be opened:",
                           "no f0",
                           "no f1",
                           "no f2",
                           "no f3",
                           "no f4",
                           "... and 9995 more."};
    }
    void manyRefusalsAreOneMessage() {
        QFETCH(int, count);
        QFETCH(QStringList, expectedLines);
        QStringList reasons;
        for (int i = 0; i < count; ++i)
            reasons << QStringLiteral("no f%1").arg(i);
        QCOMPARE(handoverRefusals(reasons).split('\n'), expectedLines);
    }
};

QTEST_APPLESS_MAIN(TestInstance)
#include "tst_instance.moc"
