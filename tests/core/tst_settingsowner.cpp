#include "core/settings/KeyStore.h"
#include "core/settings/MemoryKeyStore.h"
#include "core/settings/SettingsOwner.h"

#include <QSignalSpy>
#include <QtTest>

using namespace quaredit;

// The options change in one place: what the dialog took becomes live only
// once it is stored, and the lists changed meanwhile are kept.
class TestSettingsOwner : public QObject {
    Q_OBJECT
private slots:
    void storedOptionsBecomeLive_data() {
        QTest::addColumn<bool>("optionsKeyThere");
        QTest::newRow("stored, then live and announced") << true;
        QTest::newRow("not stored, nothing changes") << false;
    }
    void storedOptionsBecomeLive() {
        QFETCH(bool, optionsKeyThere);
        MemoryKeyStore store;
        SettingsOwner owner(store);
        WindowPlacement placement;
        owner.load(placement);
        QSignalSpy changed(&owner, &SettingsOwner::changed);

        Settings edited = owner.settings();
        edited.WordWrap = true;
        edited.EditorFontSize = 14;
        edited.RecentFiles = {"/stale.asm"};
        // A file handed over by another editor while the dialog was open.
        owner.settings().RecentFiles = {"/handed/over.asm"};
        if (!optionsKeyThere)
            QVERIFY(store.deleteKey("Options"));

        QCOMPARE(owner.apply(edited, ToolchainPaths{}), optionsKeyThere);
        QCOMPARE(changed.size(), optionsKeyThere ? 1 : 0);
        QCOMPARE(owner.settings().WordWrap, optionsKeyThere);
        QCOMPARE(owner.settings().EditorFontSize, optionsKeyThere ? 14 : 9);
        QCOMPARE(owner.settings().RecentFiles, QStringList{"/handed/over.asm"});
        QCOMPARE(RegKey(store, "Options", false).readInt("WordWrap", -1), optionsKeyThere ? 1 : -1);
    }

    void loadFallsBackToTheDefaults_data() {
        QTest::addColumn<bool>("writable");
        QTest::newRow("new tree written and read") << true;
        QTest::newRow("unwritable store runs on the defaults") << false;
    }
    void loadFallsBackToTheDefaults() {
        QFETCH(bool, writable);
        MemoryKeyStore store;
        store.setRefuseWrites(!writable);
        SettingsOwner owner(store);
        WindowPlacement placement{1, 2, 3, 4, 0};
        owner.load(placement);
        QCOMPARE(store.keyExists("Options"), writable);
        QCOMPARE(placement, (WindowPlacement{1, 2, 3, 4, 2}));
        QVERIFY(owner.settings().MakeBAK);
        QCOMPARE(owner.settings().EditorFont, QString("Courier New"));
        QCOMPARE(owner.settings().UsePredef, 1);
    }
};

QTEST_APPLESS_MAIN(TestSettingsOwner)
#include "tst_settingsowner.moc"
