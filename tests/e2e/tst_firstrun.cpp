// Starts the built program the way a new user does, with an empty home
// folder, and checks what it leaves behind.
#include "core/settings/Settings.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestFirstRun : public QObject {
    Q_OBJECT

    static QString settingsPath(const QTemporaryDir& home) {
        return home.filePath(".config/Vask Software/Quaredit/alpha5.ini");
    }

    static QProcessEnvironment freshUser(const QTemporaryDir& home) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.filePath(".config"));
        env.insert("XDG_DATA_HOME", home.filePath(".local/share"));
        env.insert("XDG_CACHE_HOME", home.filePath(".cache"));
        env.insert("XDG_RUNTIME_DIR", home.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        return env;
    }

    // Waits until the program has marked its first launch, which it does once
    // the main window is up.
    static bool waitForFirstLaunchMark(const QString& path, QProcess& program) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 30000 && program.state() == QProcess::Running) {
            QSettings ini(path, QSettings::IniFormat);
            if (ini.value("FirstLaunch").toInt() == 1)
                return true;
            QTest::qWait(50);
        }
        return false;
    }

private slots:
    void newUserGetsTheDefaultSettingsTree() {
        QTemporaryDir home;
        QProcess program;
        program.setProcessEnvironment(freshUser(home));
        program.start(QUAREDIT_EXE, {});
        QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
        const bool marked = waitForFirstLaunchMark(settingsPath(home), program);
        program.kill();
        program.waitForFinished(10000);
        QVERIFY2(marked, program.readAllStandardError().constData());

        QSettings ini(settingsPath(home), QSettings::IniFormat);
        QCOMPARE(ini.value("MinVersion").toInt(), 1);
        QCOMPARE(ini.value("FirstLaunch").toInt(), 1);
        QCOMPARE(ini.value("WinState").toInt(), 2);
        ini.beginGroup("Options");
        // Every declared option, stored with its default: a new option is
        // checked here without a new line.
        for (const quaredit::OptionSetting& option : quaredit::optionSettings()) {
            const QVariant stored = ini.value(QLatin1String(option.name));
            QVERIFY2(stored.isValid(), option.name);
            std::visit(
                [&](const auto& value) {
                    using T = std::decay_t<decltype(value.defaultValue)>;
                    if constexpr (std::is_same_v<T, QString>)
                        QCOMPARE(stored.toString(), value.defaultValue);
                    else
                        QCOMPARE(stored.toInt(), qint32(value.defaultValue));
                },
                option.value);
        }
        ini.endGroup();

        const struct {
            const char* key;
            const char* include;
            const char* lib;
        } configurations[] = {{"Options/User", "", ""},
                              {"Options/Quaro2", "asm/include/", "asm/lib/"},
                              {"Options/PlusShell", "include/", "lib/"},
                              {"Options/DoorsOS", "", ""}};
        for (const auto& c : configurations) {
            ini.beginGroup(c.key);
            QCOMPARE(ini.value("CompilPath").toString(), QString("[COMPILATOR PATH]"));
            QCOMPARE(ini.value("IncludePath").toString(), QString(c.include));
            QCOMPARE(ini.value("LibPath").toString(), QString(c.lib));
            ini.endGroup();
        }
        for (const char* list : {"OldFiles", "UserPrgm", "UserFiles"})
            QCOMPARE(ini.value(QString(list) + "/Nb").toInt(), 0);
    }
};

QTEST_GUILESS_MAIN(TestFirstRun)
#include "tst_firstrun.moc"
