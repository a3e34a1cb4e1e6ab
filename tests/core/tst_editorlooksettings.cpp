#include "core/settings/KeyStore.h"
#include "core/settings/MemoryKeyStore.h"
#include "core/settings/Settings.h"

#include <QtTest>

using namespace quaredit;

// The editor's look (colours, line numbers, current line) is stored beside
// the other options; files written before these options existed still load.
class TestEditorLookSettings : public QObject {
    Q_OBJECT
private slots:
    void olderFileGetsTheDefaults() {
        MemoryKeyStore store;
        {
            RegKey root(store, QString(), true);
            root.writeInt("MinVersion", 1);
            RegKey options(store, "Options", true);
            options.writeInt("WordWrap", 1);
            options.writeText("EditorFont", "Courier New");
        }
        Settings settings;
        WindowPlacement placement;
        QVERIFY(ReadSettings(store, settings, placement));
        QVERIFY(settings.WordWrap);
        QVERIFY(settings.SyntaxColours);
        QVERIFY(settings.LineNumbers);
        QVERIFY(settings.CurrentLine);
    }

    // A file of window values alone, as hand-made ones are, shows the editor
    // as a new user sees it, not as plain text.
    void fileWithoutOptionsShowsThemOn() {
        MemoryKeyStore store;
        {
            RegKey root(store, QString(), true);
            root.writeInt("MinVersion", 1);
        }
        Settings settings;
        WindowPlacement placement;
        QVERIFY(ReadSettings(store, settings, placement));
        QVERIFY(settings.SyntaxColours);
        QVERIFY(settings.LineNumbers);
        QVERIFY(settings.CurrentLine);
    }

    void newFileStoresThemOn() {
        MemoryKeyStore store;
        WriteDefaultSettings(store, WindowPlacement{});
        RegKey options(store, "Options", false);
        QCOMPARE(options.readInt("SyntaxColours", -1), 1);
        QCOMPARE(options.readInt("LineNumbers", -1), 1);
        QCOMPARE(options.readInt("CurrentLine", -1), 1);
    }

    void savedAndReadBack_data() {
        QTest::addColumn<bool>("colours");
        QTest::addColumn<bool>("numbers");
        QTest::addColumn<bool>("line");
        QTest::newRow("all off") << false << false << false;
        QTest::newRow("colours only") << true << false << false;
        QTest::newRow("numbers and line") << false << true << true;
    }
    void savedAndReadBack() {
        QFETCH(bool, colours);
        QFETCH(bool, numbers);
        QFETCH(bool, line);
        MemoryKeyStore store;
        WriteDefaultSettings(store, WindowPlacement{});
        Settings settings;
        WindowPlacement placement;
        QVERIFY(ReadSettings(store, settings, placement));
        settings.SyntaxColours = colours;
        settings.LineNumbers = numbers;
        settings.CurrentLine = line;
        ToolchainPaths paths;
        ReadToolchainPaths(store, paths);
        QVERIFY(SaveOptions(store, settings, paths));
        Settings back;
        QVERIFY(ReadSettings(store, back, placement));
        QCOMPARE(back.SyntaxColours, colours);
        QCOMPARE(back.LineNumbers, numbers);
        QCOMPARE(back.CurrentLine, line);
    }
};

QTEST_APPLESS_MAIN(TestEditorLookSettings)
#include "tst_editorlooksettings.moc"
