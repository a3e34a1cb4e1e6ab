#include "core/settings/DesktopIntegration.h"
#include "platform/settings/XdgShellAssociation.h"

#include <QtTest>

using namespace quaredit;

namespace {

const QString Ours = QStringLiteral("quaredit.desktop");

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                          : QString("<missing>");
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestDesktopIntegration : public QObject {
    Q_OBJECT
private slots:
    void mimeAppsEdits_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("makeDefault");
        QTest::addColumn<bool>("offer");
        QTest::addColumn<QString>("after");

        QTest::newRow("default in a new file") << "" << true << false
                                               << "[Default Applications]\n"
                                                  "text/x-asm=quaredit.desktop;\n";
        QTest::newRow("offered in a new file") << "" << false << true
                                               << "[Added Associations]\n"
                                                  "text/x-asm=quaredit.desktop;\n";
        QTest::newRow("both off on a missing file writes nothing") << "" << false << false << "";
        QTest::newRow("default goes first, the other program stays as fallback")
            << "[Default Applications]\ntext/x-asm=kate.desktop;\n"
            << true << false
            << "[Default Applications]\ntext/x-asm=quaredit.desktop;kate.desktop;\n";
        QTest::newRow("both off leaves another program's default")
            << "[Default Applications]\ntext/x-asm=kate.desktop\n"
            << false << false << "[Default Applications]\ntext/x-asm=kate.desktop\n";
        QTest::newRow("both off removes only our entries")
            << "[Default Applications]\ntext/x-asm=quaredit.desktop;kate.desktop;\n"
               "text/plain=quaredit.desktop;\n\n"
               "[Added Associations]\ntext/x-asm=quaredit.desktop;\n"
            << false << false
            << "[Default Applications]\ntext/x-asm=kate.desktop;\n"
               "text/plain=quaredit.desktop;\n\n"
               "[Added Associations]\n";
        QTest::newRow("offer appends to the list and keeps the rest of the group")
            << "# mine\n[Added Associations]\ntext/x-asm=a.desktop;\nimage/png=b.desktop;\n\n"
               "[Default Applications]\nimage/png=b.desktop;\n"
            << false << true
            << "# mine\n[Added Associations]\ntext/x-asm=a.desktop;quaredit.desktop;\n"
               "image/png=b.desktop;\n\n"
               "[Default Applications]\nimage/png=b.desktop;\n";
        QTest::newRow("entry added at the end of its group, not of the file")
            << "[Default Applications]\nimage/png=b.desktop;\n\n[Other]\nx=1\n"
            << true << false
            << "[Default Applications]\nimage/png=b.desktop;\ntext/x-asm=quaredit.desktop;\n\n"
               "[Other]\nx=1\n";
        QTest::newRow("associate alone withdraws the offer")
            << "[Added Associations]\ntext/x-asm=quaredit.desktop;a.desktop;\n"
            << true << false
            << "[Added Associations]\ntext/x-asm=a.desktop;\n\n"
               "[Default Applications]\ntext/x-asm=quaredit.desktop;\n";
        QTest::newRow("already right is left byte for byte")
            << "[Default Applications]\r\ntext/x-asm = quaredit.desktop\r\n"
            << true << false << "[Default Applications]\r\ntext/x-asm = quaredit.desktop\r\n";
        QTest::newRow("a similar name is another program")
            << "[Default Applications]\ntext/x-asm=quaredit.desktop.old;\n"
            << false << false << "[Default Applications]\ntext/x-asm=quaredit.desktop.old;\n";
    }
    void mimeAppsEdits() {
        QFETCH(QString, before);
        QFETCH(bool, makeDefault);
        QFETCH(bool, offer);
        QFETCH(QString, after);
        QCOMPARE(updateMimeApps(before, AsmMimeType, Ours, makeDefault, offer), after);
        // Applying the same choice twice changes nothing more.
        QCOMPARE(updateMimeApps(after, AsmMimeType, Ours, makeDefault, offer), after);
    }

    void execLineQuotesThePath_data() {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("exec");
        QTest::newRow("plain") << "/opt/q/quaredit"
                               << "\"/opt/q/quaredit\" %F";
        QTest::newRow("spaces stay in one argument") << "/opt/my tools/quaredit"
                                                     << "\"/opt/my tools/quaredit\" %F";
        QTest::newRow("shell characters are escaped")
            << "/opt/$(rm -rf ~)`x`/\"q\""
            << "\"/opt/\\\\$(rm -rf ~)\\\\`x\\\\`/\\\\\"q\\\\\"\" %F";
        QTest::newRow("percent is not a field code") << "/opt/100%f/q"
                                                     << "\"/opt/100%%f/q\" %F";
        QTest::newRow("backslash doubled twice") << "/opt/a\\b/q"
                                                 << "\"/opt/a\\\\\\\\b/q\" %F";
    }
    void execLineQuotesThePath() {
        QFETCH(QString, executable);
        QFETCH(QString, exec);
        QCOMPARE(desktopExecValue(executable).value_or("<refused>"), exec);
    }

    void controlCharactersAreRefused() {
        QVERIFY(!desktopExecValue("/opt/a\nExec=evil").has_value());
        QVERIFY(!desktopEntryText("/opt/a\tb").has_value());
    }

    void entryNamesTheMimeTypeAndTheProgram() {
        const QString entry = QString::fromUtf8(*desktopEntryText("/opt/q/quaredit"));
        QVERIFY(entry.startsWith("[Desktop Entry]\n"));
        QVERIFY(entry.contains("\nType=Application\n"));
        QVERIFY(entry.contains("\nExec=\"/opt/q/quaredit\" %F\n"));
        QVERIFY(entry.contains("\nMimeType=text/x-asm;\n"));
        QVERIFY(entry.contains("\nIcon=quaredit\n")); // the installed theme icon
    }

    void entryShowsTheShippedIcon_data() {
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("line");
        QTest::newRow("path beside the program") << "/opt/q/quaredit.svg"
                                                 << "\nIcon=/opt/q/quaredit.svg\n";
        QTest::newRow("backslash escaped") << "/opt/a\\b/quaredit.svg"
                                           << "\nIcon=/opt/a\\\\b/quaredit.svg\n";
        QTest::newRow("control character: the theme icon, the entry stays") << "/opt/a\nb.svg"
                                                                            << "\nIcon=quaredit\n";
    }
    void entryShowsTheShippedIcon() {
        QFETCH(QString, icon);
        QFETCH(QString, line);
        const QString entry = QString::fromUtf8(*desktopEntryText("/opt/q/quaredit", icon));
        QVERIFY(entry.contains("\nStartupWMClass=quaredit\n"));
        QVERIFY2(entry.contains(line), qPrintable(entry));
    }

    // The user's entry overrides the installed one of the same name: apart
    // from which executable it starts, a menu must show the same program.
    void userEntryMatchesTheInstalledEntry() {
        const auto keys = [](const QString& text) {
            QStringList lines = text.split('\n', Qt::SkipEmptyParts);
            lines.removeIf(
                [](const QString& l) { return l.startsWith("Exec=") || l.startsWith("TryExec="); });
            lines.sort(); // an entry's keys have no order
            return lines;
        };
        const QString installed = readAll(QUAREDIT_SOURCE_DIR "/data/quaredit.desktop");
        QVERIFY(installed.contains("\nExec=quaredit %F\n"));
        QCOMPARE(keys(QString::fromUtf8(*desktopEntryText("/opt/q/quaredit"))), keys(installed));
    }

    void xdgFilesFollowTheTwoFlags() {
        QTemporaryDir dir;
        const QString apps = dir.path() + "/data/applications";
        const QString mimeApps = dir.path() + "/config/mimeapps.list";
        XdgShellAssociation association("/opt/q/quaredit", apps, mimeApps, "/opt/q/quaredit.svg");
        const QString desktopFile = apps + "/quaredit.desktop";

        QVERIFY(association.WriteShellAssociation(false, false));
        QVERIFY(!QFile::exists(desktopFile));
        QVERIFY(!QFile::exists(mimeApps));

        QVERIFY(association.WriteShellAssociation(true, true));
        QVERIFY(readAll(desktopFile).contains("Exec=\"/opt/q/quaredit\" %F"));
        QVERIFY(readAll(desktopFile).contains("\nIcon=/opt/q/quaredit.svg\n"));
        QCOMPARE(readAll(mimeApps), QString("[Default Applications]\n"
                                            "text/x-asm=quaredit.desktop;\n\n"
                                            "[Added Associations]\n"
                                            "text/x-asm=quaredit.desktop;\n"));

        QVERIFY(association.WriteShellAssociation(false, false));
        QCOMPARE(readAll(mimeApps), QString("[Default Applications]\n\n[Added Associations]\n"));
    }

    void xdgOtherDefaultSurvivesSwitchingOff() {
        QTemporaryDir dir;
        const QString mimeApps = dir.path() + "/mimeapps.list";
        const QByteArray before = "[Default Applications]\ntext/x-asm=kate.desktop;\n";
        QVERIFY(writeAll(mimeApps, before));
        XdgShellAssociation association("/opt/q/quaredit", dir.path() + "/apps", mimeApps);
        QVERIFY(association.WriteShellAssociation(false, false));
        QCOMPARE(readAll(mimeApps), QString::fromUtf8(before));
    }

    void xdgFileThatIsNotUtf8IsLeftAlone() {
        QTemporaryDir dir;
        const QString mimeApps = dir.path() + "/mimeapps.list";
        const QByteArray before = "[Default Applications]\ntext/x-foo=caf\xe9.desktop;\n";
        QVERIFY(writeAll(mimeApps, before));
        XdgShellAssociation association("/opt/q/quaredit", dir.path() + "/apps", mimeApps);
        QVERIFY(!association.WriteShellAssociation(true, false));
        QFile file(mimeApps);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
    }

    void xdgUnwritableFolderFails() {
        QTemporaryDir dir;
        QVERIFY(writeAll(dir.path() + "/file", "x"));
        // A path below a plain file can be neither created nor written.
        XdgShellAssociation blockedEntry("/opt/q", dir.path() + "/file/apps",
                                         dir.path() + "/mimeapps.list");
        QVERIFY(!blockedEntry.WriteShellAssociation(true, false));
        QVERIFY(!QFile::exists(dir.path() + "/mimeapps.list"));

        XdgShellAssociation blockedList("/opt/q", dir.path() + "/apps",
                                        dir.path() + "/file/mimeapps.list");
        QVERIFY(!blockedList.WriteShellAssociation(false, true));
    }
};

QTEST_APPLESS_MAIN(TestDesktopIntegration)
#include "tst_desktopintegration.moc"
