#include "core/settings/KeyStore.h"
#include "core/settings/MemoryKeyStore.h"
#include "core/settings/Settings.h"

#include <QtTest>

using namespace quaredit;

namespace {

bool isOn(const Settings& settings, const OptionSetting& option) {
    return settings.*std::get<OptionValue<bool>>(option.value).member;
}

// The options added after settings files were first written (the editor's
// look among them): every one is a flag that is on by default.
QList<const OptionSetting*> laterOptions() {
    QList<const OptionSetting*> later;
    for (const OptionSetting& option : optionSettings()) {
        if (option.defaultWhenAbsent)
            later << &option;
    }
    return later;
}

} // namespace

// Files written before the later options existed still load, and show the
// editor as a new user sees it.
class TestEditorLookSettings : public QObject {
    Q_OBJECT
private slots:
    void laterOptionsAreFlagsThatDefaultToOn() {
        QVERIFY(laterOptions().size() >= 3);
        for (const OptionSetting* option : laterOptions()) {
            QVERIFY2(std::holds_alternative<OptionValue<bool>>(option->value), option->name);
            QVERIFY2(std::get<OptionValue<bool>>(option->value).defaultValue, option->name);
        }
    }

    void olderFileGetsTheDefaults_data() {
        QTest::addColumn<bool>("withOptionsKey");
        QTest::newRow("options key without the later options") << true;
        // A file of window values alone, as hand-made ones are.
        QTest::newRow("no options key at all") << false;
    }
    void olderFileGetsTheDefaults() {
        QFETCH(bool, withOptionsKey);
        MemoryKeyStore store;
        {
            RegKey root(store, QString(), true);
            root.writeInt("MinVersion", 1);
            if (withOptionsKey) {
                RegKey options(store, "Options", true);
                options.writeInt("WordWrap", 1);
                options.writeText("EditorFont", "Courier New");
            }
        }
        Settings settings;
        for (const OptionSetting* option : laterOptions())
            settings.*std::get<OptionValue<bool>>(option->value).member = false;
        WindowPlacement placement;
        QVERIFY(ReadSettings(store, settings, placement));
        QCOMPARE(settings.WordWrap, withOptionsKey);
        for (const OptionSetting* option : laterOptions())
            QVERIFY2(isOn(settings, *option), option->name);
    }

    // Before anything is read, the later options already hold their default,
    // while the older flags are off.
    void unreadSettingsShowTheLaterOptionsOn() {
        const Settings settings;
        for (const OptionSetting* option : laterOptions())
            QVERIFY2(isOn(settings, *option), option->name);
        QVERIFY(!settings.MakeBAK);
        QVERIFY(!settings.WordWrap);
    }

    // "Colour Scheme": 0 follows the desktop, 1 light, 2 dark; a file from
    // before it, or a number that picks no choice, follows the desktop.
    void colourSchemeReadsAsAChoice_data() {
        QTest::addColumn<QString>("stored"); // empty: absent
        QTest::addColumn<int>("scheme");
        QTest::newRow("absent follows the desktop") << QString() << 0;
        QTest::newRow("light") << "1" << 1;
        QTest::newRow("dark") << "2" << 2;
        QTest::newRow("no such choice") << "3" << 0;
        QTest::newRow("negative") << "-1" << 0;
        QTest::newRow("not a number") << "dark" << 0;
    }
    void colourSchemeReadsAsAChoice() {
        QFETCH(QString, stored);
        QFETCH(int, scheme);
        MemoryKeyStore store;
        {
            RegKey root(store, QString(), true);
            root.writeInt("MinVersion", 1);
            RegKey options(store, "Options", true);
            if (!stored.isEmpty())
                options.writeText("ColourScheme", stored);
        }
        Settings settings;
        settings.ColourScheme = 2;
        WindowPlacement placement;
        QVERIFY(ReadSettings(store, settings, placement));
        QCOMPARE(settings.ColourScheme, scheme);
    }
};

QTEST_APPLESS_MAIN(TestEditorLookSettings)
#include "tst_editorlooksettings.moc"
