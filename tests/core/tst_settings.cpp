#include "core/app/ScreenFit.h"
#include "core/settings/KeyStore.h"
#include "core/settings/MemoryKeyStore.h"
#include "core/settings/Settings.h"
#include "platform/settings/IniKeyStore.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <type_traits>

using namespace quaredit;

namespace {

const WindowPlacement Defaults = defaultWindowPlacement(QSize(1024, 768), QSize(640, 480));

// Every case runs against both stores, so the in-memory store the window
// tests use cannot drift from the file the program really writes.
class StoreFactory {
public:
    std::unique_ptr<KeyStore> make(const QString& kind) {
        if (kind == "memory")
            return std::make_unique<MemoryKeyStore>();
        dir_ = std::make_unique<QTemporaryDir>();
        return std::make_unique<IniKeyStore>(dir_->filePath("alpha5.ini"));
    }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

void addStoreColumn() {
    QTest::addColumn<QString>("store");
}

void addPerStore(const char* behaviour) {
    for (const char* kind : {"memory", "ini"})
        QTest::addRow("%s: %s", kind, behaviour) << QString(kind);
}

Settings readBack(KeyStore& store, WindowPlacement* placement = nullptr) {
    Settings settings;
    WindowPlacement p = Defaults;
    if (!ReadSettings(store, settings, p)) {
        WriteDefaultSettings(store, Defaults);
        ReadSettings(store, settings, p);
    }
    if (placement)
        *placement = p;
    return settings;
}

QVariant valueOf(const Settings& settings, const OptionSetting& option) {
    return std::visit([&](const auto& v) { return QVariant::fromValue(settings.*v.member); },
                      option.value);
}

QVariant defaultOf(const OptionSetting& option) {
    return std::visit([](const auto& v) { return QVariant::fromValue(v.defaultValue); },
                      option.value);
}

// Gives the option a value of its kind that is not its default (and, for a
// choice, still one of the choices).
void setOtherThanDefault(Settings& settings, const OptionSetting& option) {
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v.defaultValue)>;
            if constexpr (std::is_same_v<T, bool>)
                settings.*v.member = !v.defaultValue;
            else if constexpr (std::is_same_v<T, qint32>)
                settings.*v.member = v.defaultValue == option.highestChoice ? v.defaultValue - 1
                                                                            : v.defaultValue + 1;
            else
                settings.*v.member = v.defaultValue + QStringLiteral("/other");
        },
        option.value);
}

// Counts the flushes that have writes to make durable: each is a rewrite of
// the settings file, synced to the disk (the file store, like QSettings,
// rewrites nothing when nothing was written).
class FlushCountingStore : public MemoryKeyStore {
public:
    int flushes = 0;
    bool writeInt(const QString& key, const QString& name, qint32 value) override {
        written_ = true;
        return MemoryKeyStore::writeInt(key, name, value);
    }
    bool writeText(const QString& key, const QString& name, const QString& value) override {
        written_ = true;
        return MemoryKeyStore::writeText(key, name, value);
    }
    bool flush() override {
        flushes += written_ ? 1 : 0;
        written_ = false;
        return true;
    }

private:
    bool written_ = false;
};

bool isText(const OptionSetting& option) {
    return std::holds_alternative<OptionValue<QString>>(option.value);
}

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
    StoreFactory factory;

    // The store of the current row, holding a freshly written default tree.
    std::unique_ptr<KeyStore> treeWithDefaults() {
        QFETCH(QString, store);
        auto s = factory.make(store);
        WriteDefaultSettings(*s, Defaults);
        return s;
    }

private slots:
    void defaultsReachTheDiskOnce() {
        // A first start writes a dozen keys; each closing key used to rewrite
        // and sync the file, which made the first window wait for the disk.
        FlushCountingStore store;
        WriteDefaultSettings(store, Defaults);
        QCOMPARE(store.flushes, 1);
        Settings settings;
        WindowPlacement placement = Defaults;
        QVERIFY(ReadSettings(store, settings, placement));

        // Outside a batch every written key is still made durable as it
        // closes; a batch inside another flushes with the outer one.
        store.flushes = 0;
        RegKey(store, "Options", true).writeInt("MakeBAK", 1);
        QCOMPARE(store.flushes, 1);
        {
            KeyBatch outer(store);
            {
                KeyBatch inner(store);
                RegKey(store, "Options", true).writeInt("MakeBAK", 0);
            }
            RegKey(store, "Options", true).writeInt("WordWrap", 1);
            QCOMPARE(store.flushes, 1);
        }
        QCOMPARE(store.flushes, 2);
        // A batch in which no key closed has nothing to flush.
        { KeyBatch idle(store); }
        QCOMPARE(store.flushes, 2);
    }

    void anUnchangedRecentListIsNotRewritten() {
        FlushCountingStore store;
        WriteDefaultSettings(store, Defaults);
        const QStringList list{"/src/a.asm", "/src/b.asm"};
        QVERIFY(SaveRecentFiles(store, list));
        const int afterFirst = store.flushes;
        // What every start does with the list it has just read.
        QVERIFY(SaveRecentFiles(store, list));
        QCOMPARE(store.flushes, afterFirst);
        // A changed order is a change.
        QVERIFY(SaveRecentFiles(store, {"/src/b.asm", "/src/a.asm"}));
        QVERIFY(store.flushes > afterFirst);
        QStringList stored;
        QVERIFY(ReadRecentFiles(store, stored));
        QCOMPARE(stored, (QStringList{"/src/b.asm", "/src/a.asm"}));
    }

    void defaultPlacementCentresTowardZero_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("left");
        QTest::newRow("odd margins drop the half pixel")
            << QSize(1025, 769) << QSize(640, 480) << 144 << 192;
        QTest::newRow("window larger than screen")
            << QSize(800, 600) << QSize(1025, 603) << -1 << -112;
    }
    void defaultPlacementCentresTowardZero() {
        QFETCH(QSize, screen);
        QFETCH(QSize, window);
        QFETCH(int, top);
        QFETCH(int, left);
        const WindowPlacement p = defaultWindowPlacement(screen, window);
        QCOMPARE(p, (WindowPlacement{top, left, window.width(), window.height(), 2}));
    }

    void firstStartWritesDefaults_data() {
        addStoreColumn();
        addPerStore("missing tree");
    }
    void firstStartWritesDefaults() {
        QFETCH(QString, store);
        auto s = factory.make(store);
        Settings settings;
        WindowPlacement placement = Defaults;
        QVERIFY(!ReadSettings(*s, settings, placement));
        QVERIFY(!CheckFirstLaunch(*s)); // nothing to mark without a tree
        WriteDefaultSettings(*s, Defaults);
        QVERIFY(ReadSettings(*s, settings, placement));
        QCOMPARE(placement, Defaults);
        QCOMPARE(settings.UsePredef, 1);
        QVERIFY(settings.MakeBAK);
        QVERIFY(!settings.WordWrap && !settings.Associate && !settings.EditExplorator);
        QCOMPARE(settings.CompilatorPath, QString("[COMPILATOR PATH]"));
        QCOMPARE(settings.includeFolder(), QString("[COMPILATOR PATH]asm/include/"));
        QCOMPARE(settings.libraryFolder(), QString("[COMPILATOR PATH]asm/lib/"));
        QCOMPARE(settings.EditorFont, QString("Courier New"));
        QCOMPARE(settings.EditorFontSize, 9);
        QVERIFY(settings.DefaultDir.isEmpty());
        QVERIFY(settings.RecentFiles.isEmpty() && settings.UserPrograms.isEmpty() &&
                settings.UserFiles.isEmpty());

        ToolchainPaths paths;
        ReadToolchainPaths(*s, paths);
        for (std::size_t c = 0; c < paths.size(); ++c)
            QCOMPARE(paths[c], toolchainConfigs()[c].defaults);
        QCOMPARE(paths[2].IncludePath, QString("include/"));

        QVERIFY(CheckFirstLaunch(*s));
        QVERIFY(!CheckFirstLaunch(*s)); // runs once only
    }

    void staleVersionResetsButKeepsOldEntries_data() {
        QTest::addColumn<QString>("store");
        QTest::addColumn<QString>("version");
        for (const char* kind : {"memory", "ini"}) {
            QTest::addRow("%s: newer layout", kind) << QString(kind) << "2";
            QTest::addRow("%s: layout zero", kind) << QString(kind) << "0";
            QTest::addRow("%s: unreadable layout", kind) << QString(kind) << "one";
        }
    }
    void staleVersionResetsButKeepsOldEntries() {
        QFETCH(QString, store);
        QFETCH(QString, version);
        auto s = factory.make(store);
        WriteDefaultSettings(*s, Defaults);
        Settings settings;
        QVERIFY(SaveRecentFiles(*s, {"/src/a.asm", "/src/b.asm"}));
        QVERIFY(SaveUserPrograms(*s, {{"Emu", "tiemu", 2, 3}}));
        settings.UsePredef = 3;
        settings.CompilatorPath = "/opt/doors/";
        QVERIFY(SaveOptions(*s, settings, ToolchainPaths{}));
        QVERIFY(CheckFirstLaunch(*s));
        QVERIFY(s->writeText("", "MinVersion", version));

        Settings fresh;
        WindowPlacement placement = Defaults;
        QVERIFY(!ReadSettings(*s, fresh, placement));
        WriteDefaultSettings(*s, Defaults);
        QVERIFY(ReadSettings(*s, fresh, placement));
        QCOMPARE(fresh.UsePredef, 1);
        QCOMPARE(fresh.CompilatorPath, QString("[COMPILATOR PATH]"));
        QVERIFY(fresh.RecentFiles.isEmpty());
        QVERIFY(fresh.UserPrograms.isEmpty());
        // hidden by the counts, not erased
        QCOMPARE(s->readText("OldFiles", "Name1"), QString("/src/b.asm"));
        QCOMPARE(s->readText("UserPrgm", "CmdName0"), QString("tiemu"));
        QVERIFY(CheckFirstLaunch(*s)); // the welcome runs again
    }

    void listsRoundTripAndShrink_data() {
        addStoreColumn();
        addPerStore("user programs 5 then 3");
    }
    void listsRoundTripAndShrink() {
        auto s = treeWithDefaults();
        QVector<UserProgram> programs;
        for (int i = 0; i < 5; ++i)
            programs.append({QString("Prog %1").arg(i), QString("/bin/p%1 -x").arg(i), i % 3, i});
        QVERIFY(SaveUserPrograms(*s, programs));
        QCOMPARE(readBack(*s).UserPrograms, programs);

        programs.resize(3);
        QVERIFY(SaveUserPrograms(*s, programs));
        QCOMPARE(readBack(*s).UserPrograms, programs);
        QCOMPARE(s->readInt("UserPrgm", "Nb"), 3);
        for (const char* name : {"MnuName3", "CmdName3", "WinState3", "Arg3", "MnuName4", "Arg4"})
            QVERIFY2(s->readText("UserPrgm", name).has_value(), name);

        const QVector<UserFile> files{{"/home/u/notes.txt", "Notes"}, {"/x/y.h", "Y"}};
        QVERIFY(SaveUserFiles(*s, files));
        QStringList recent;
        for (int i = 0; i < 12; ++i)
            recent << QString("/src/f%1.asm").arg(i);
        QVERIFY(SaveRecentFiles(*s, recent));
        const Settings back = readBack(*s);
        QCOMPARE(back.UserFiles, files);
        QCOMPARE(back.RecentFiles, recent.mid(0, MaxRecentFiles)); // never more than ten stored
        QVERIFY(!s->readText("OldFiles", "Name10").has_value());
    }

    void handEditedValuesFallBack_data() {
        QTest::addColumn<QString>("store");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        for (const char* kind : {"memory", "ini"}) {
            const auto row = [&](const char* behaviour, const char* key, const char* name,
                                 const char* stored) {
                QTest::addRow("%s: %s", kind, behaviour)
                    << QString(kind) << QString(key) << QString(name) << QString(stored);
            };
            row("Nb above ten reads ten", "OldFiles", "Nb", "11");
            row("negative Nb reads none", "OldFiles", "Nb", "-3");
            row("non-numeric Nb reads none", "OldFiles", "Nb", "x");
            row("unreadable WinTop keeps the default", "", "WinTop", "abc");
            row("WinTop with trailing junk", "", "WinTop", "12abc");
            row("WinTop past 32 bits", "", "WinTop", "99999999999");
            row("UsePredef outside the four", "Options", "UsePredef", "9");
            row("negative UsePredef", "Options", "UsePredef", "-1");
            row("unreadable flag keeps its default", "Options", "MakeBAK", "yes");
            row("any non-zero flag is true", "Options", "WordWrap", "7");
            row("unreadable font size", "Options", "EditorFontSize", "");
            row("unknown window state", "", "WinState", "5");
            row("unknown program argument mode", "UserPrgm", "Arg0", "12");
        }
    }
    void handEditedValuesFallBack() {
        QFETCH(QString, store);
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(QString, stored);
        auto s = factory.make(store);
        WriteDefaultSettings(*s, Defaults);
        QStringList recent;
        for (int i = 0; i < 12; ++i) {
            recent << QString("/f%1").arg(i);
            QVERIFY(s->writeText("OldFiles", QString("Name%1").arg(i), recent.last()));
        }
        QVERIFY(SaveUserPrograms(*s, {{"A", "a", 1, 2}}));
        QVERIFY(s->writeText(key, name, stored));

        WindowPlacement placement = Defaults;
        Settings settings;
        QVERIFY(ReadSettings(*s, settings, placement));
        const int nb = name == "Nb" ? (stored == "11" ? 10 : 0) : 0;
        QCOMPARE(settings.RecentFiles, recent.mid(0, nb));
        QCOMPARE(placement, Defaults);
        QCOMPARE(settings.UsePredef, 1);
        QVERIFY(settings.MakeBAK);
        QCOMPARE(settings.WordWrap, name == "WordWrap");
        QCOMPARE(settings.EditorFontSize, 9);
        QCOMPARE(settings.UserPrograms.size(), 1);
        QCOMPARE(settings.UserPrograms[0].Arg, name == "Arg0" ? 0 : 2);
    }

    void firstLaunchMark_data() {
        QTest::addColumn<QString>("store");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("runs");
        for (const char* kind : {"memory", "ini"}) {
            QTest::addRow("%s: never run", kind) << QString(kind) << "0" << true;
            QTest::addRow("%s: already run", kind) << QString(kind) << "1" << false;
            QTest::addRow("%s: other number", kind) << QString(kind) << "2" << true;
            QTest::addRow("%s: not a number", kind) << QString(kind) << "abc" << true;
        }
    }
    void firstLaunchMark() {
        QFETCH(QString, store);
        QFETCH(QString, stored);
        QFETCH(bool, runs);
        auto s = factory.make(store);
        WriteDefaultSettings(*s, Defaults);
        QVERIFY(s->writeText("", "FirstLaunch", stored));
        QCOMPARE(CheckFirstLaunch(*s), runs);
        QCOMPARE(s->readInt("", "FirstLaunch"), runs ? 1 : stored.toInt());
    }

    void windowPlacementOnClose_data() {
        QTest::addColumn<QString>("store");
        QTest::addColumn<int>("state");
        for (const char* kind : {"memory", "ini"}) {
            QTest::addRow("%s: normal window stores its placement", kind) << QString(kind) << 0;
            QTest::addRow("%s: minimised keeps the last normal one", kind) << QString(kind) << 1;
            QTest::addRow("%s: maximised keeps the last normal one", kind) << QString(kind) << 2;
        }
    }
    void windowPlacementOnClose() {
        QFETCH(QString, store);
        QFETCH(int, state);
        auto s = factory.make(store);
        WriteDefaultSettings(*s, Defaults);
        SaveWindowPlacement(*s, {10, 20, 300, 200, 0});
        const WindowPlacement closing{-4, -4, 1032, 776, state};
        SaveWindowPlacement(*s, closing);
        WindowPlacement placement = Defaults;
        readBack(*s, &placement);
        const WindowPlacement expected =
            state == 0 ? closing : WindowPlacement{10, 20, 300, 200, state};
        QCOMPARE(placement, expected);
    }

    // Wayland does not tell a window where it is (it reads 0,0): closing
    // there stores the size and the state and keeps the position an X11
    // session stored, so the next X11 start is not put in the corner.
    void positionKeptWhereTheDesktopHidesIt_data() {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<bool>("positionStored");
        QTest::newRow("X11") << "xcb" << true;
        QTest::newRow("Wayland") << "wayland" << false;
        QTest::newRow("Wayland with EGL") << "wayland-egl" << false;
        QTest::newRow("offscreen") << "offscreen" << true;
    }
    void positionKeptWhereTheDesktopHidesIt() {
        QFETCH(QString, platform);
        QFETCH(bool, positionStored);
        QCOMPARE(windowPositionKnown(platform), positionStored);
        MemoryKeyStore s;
        WriteDefaultSettings(s, Defaults);
        SaveWindowPlacement(s, {120, 80, 900, 700, 0});
        SaveWindowPlacement(s, {0, 0, 640, 500, 0}, windowPositionKnown(platform));
        WindowPlacement placement = Defaults;
        readBack(s, &placement);
        const WindowPlacement expected = positionStored ? WindowPlacement{0, 0, 640, 500, 0}
                                                        : WindowPlacement{120, 80, 640, 500, 0};
        QCOMPARE(placement, expected);
    }

    void optionsRoundTrip_data() {
        addStoreColumn();
        addPerStore("every option and configuration");
    }
    void optionsRoundTrip() {
        auto s = treeWithDefaults();
        Settings settings = readBack(*s);
        settings.MakeBAK = false;
        settings.WordWrap = true;
        settings.Associate = true;
        settings.EditExplorator = true;
        settings.UsePredef = 2;
        settings.CompilatorPath = "/opt/plus shell/";
        settings.IncludePath = "include/";
        settings.LibPath = "lib/";
        settings.DefaultDir = "/home/u/asm";
        settings.EditorFont = "DejaVu Sans Mono";
        settings.EditorFontSize = 12;
        ToolchainPaths paths;
        for (std::size_t c = 0; c < paths.size(); ++c)
            paths[c] = {QString("/tc%1/").arg(c), QString("inc%1/").arg(c),
                        QString("lib%1/").arg(c)};
        QVERIFY(SaveOptions(*s, settings, paths));

        const Settings back = readBack(*s);
        QCOMPARE(back.MakeBAK, false);
        QCOMPARE(back.WordWrap, true);
        QCOMPARE(back.Associate, true);
        QCOMPARE(back.EditExplorator, true);
        QCOMPARE(back.UsePredef, 2);
        QCOMPARE(back.includeFolder(), QString("/opt/plus shell/include/"));
        QCOMPARE(back.DefaultDir, settings.DefaultDir);
        QCOMPARE(back.EditorFont, settings.EditorFont);
        QCOMPARE(back.EditorFontSize, 12);
        ToolchainPaths readPaths;
        ReadToolchainPaths(*s, readPaths);
        QCOMPARE(readPaths, paths);
    }

    // The option values as users' settings files hold them: every name, its
    // kind and its default, as the defaults write them.
    void optionsAreStoredAsBefore_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("number"); // a flag or a number, else a text
        QTest::addColumn<QString>("stored");
        const auto row = [](const char* name, bool number, const char* stored) {
            QTest::newRow(name) << QString(name) << number << QString(stored);
        };
        row("MakeBAK", true, "1");
        row("WordWrap", true, "0");
        row("Associate", true, "0");
        row("EditExplorator", true, "0");
        row("DefaultDir", false, "");
        row("UsePredef", true, "1");
        row("CompilatorPath", false, "[COMPILATOR PATH]");
        row("IncludePath", false, "asm/include/");
        row("LibPath", false, "asm/lib/");
        row("EditorFont", false, "Courier New");
        row("EditorFontSize", true, "9");
        row("SyntaxColours", true, "1");
        row("LineNumbers", true, "1");
        row("CurrentLine", true, "1");
        row("ColourScheme", true, "0");
        row("CheckInstructions", true, "1");
    }
    void optionsAreStoredAsBefore() {
        QFETCH(QString, name);
        QFETCH(bool, number);
        QFETCH(QString, stored);
        const auto options = optionSettings();
        const auto declared = std::find_if(options.begin(), options.end(), [&](const auto& o) {
            return name == QLatin1String(o.name);
        });
        QVERIFY(declared != options.end());
        QCOMPARE(isText(*declared), !number);
        QTemporaryDir dir;
        {
            IniKeyStore store(dir.filePath("alpha5.ini"));
            WriteDefaultSettings(store, Defaults);
        }
        const QSettings file(dir.filePath("alpha5.ini"), QSettings::IniFormat);
        QCOMPARE(file.value("Options/" + name).toString(), stored);
    }

    void everyStoredOptionIsDeclared() {
        QStringList names;
        for (const OptionSetting& option : optionSettings())
            names << QLatin1String(option.name);
        QCOMPARE(names,
                 (QStringList{"MakeBAK", "WordWrap", "Associate", "EditExplorator", "DefaultDir",
                              "UsePredef", "CompilatorPath", "IncludePath", "LibPath", "EditorFont",
                              "EditorFontSize", "SyntaxColours", "LineNumbers", "CurrentLine",
                              "AutoIndent", "ColourScheme", "CheckInstructions"}));
    }

    void everyOptionFollowsTheTable_data() {
        addStoreColumn();
        addPerStore("defaults, other values, missing and unreadable values");
    }
    void everyOptionFollowsTheTable() {
        auto s = treeWithDefaults();
        const Settings defaults = readBack(*s);
        for (const OptionSetting& option : optionSettings())
            QVERIFY2(valueOf(defaults, option) == defaultOf(option), option.name);

        // Every option away from its default, stored and read back.
        Settings changed = defaults;
        for (const OptionSetting& option : optionSettings())
            setOtherThanDefault(changed, option);
        QVERIFY(SaveOptions(*s, changed, ToolchainPaths{}));
        const Settings back = readBack(*s);
        for (const OptionSetting& option : optionSettings()) {
            QVERIFY2(valueOf(back, option) != defaultOf(option), option.name);
            QVERIFY2(valueOf(back, option) == valueOf(changed, option), option.name);
        }

        // A hand-typed word where a number belongs reads as the default.
        for (const OptionSetting& option : optionSettings()) {
            if (isText(option))
                continue;
            QVERIFY(s->writeText("Options", QLatin1String(option.name), "many"));
            QVERIFY2(valueOf(readBack(*s), option) == defaultOf(option), option.name);
            QVERIFY(SaveOptions(*s, changed, ToolchainPaths{}));
        }
    }

    void olderFileMissingOptionsReadsTheirDefaults() {
        MemoryKeyStore store;
        RegKey(store, QString(), true).writeInt("MinVersion", 1);
        QVERIFY(RegKey(store, "Options", true).isOpen());
        Settings settings;
        for (const OptionSetting& option : optionSettings())
            setOtherThanDefault(settings, option);
        WindowPlacement placement = Defaults;
        QVERIFY(ReadSettings(store, settings, placement));
        for (const OptionSetting& option : optionSettings()) {
            // A missing text reads as the empty text, as every text of the tree.
            const QVariant expected = isText(option) ? QVariant(QString()) : defaultOf(option);
            QVERIFY2(valueOf(settings, option) == expected, option.name);
        }
    }

    void copyOptionsLeavesTheLists() {
        Settings from;
        for (const OptionSetting& option : optionSettings())
            setOtherThanDefault(from, option);
        from.RecentFiles = {"/stale.asm"};
        from.UserFiles = {{"/stale.txt", "Stale"}};
        Settings to;
        to.RecentFiles = {"/opened/meanwhile.asm"};
        to.UserPrograms = {{"Emu", "tiemu", 0, 0}};
        copyOptions(from, to);
        for (const OptionSetting& option : optionSettings())
            QVERIFY2(valueOf(to, option) == valueOf(from, option), option.name);
        QCOMPARE(to.RecentFiles, QStringList{"/opened/meanwhile.asm"});
        QCOMPARE(to.UserPrograms.size(), 1);
        QVERIFY(to.UserFiles.isEmpty());
    }

    void missingGroupsAreSkipped_data() {
        addStoreColumn();
        addPerStore("lists and configurations deleted");
    }
    void missingGroupsAreSkipped() {
        auto s = treeWithDefaults();
        QVERIFY(s->deleteKey("Options\\PlusShell"));
        QVERIFY(s->deleteKey("OldFiles"));
        QVERIFY(s->deleteKey("UserFiles"));
        QVERIFY(s->keyExists("Options\\User") && s->keyExists("Options"));

        // Groups that are gone leave what the caller held before.
        Settings settings;
        settings.RecentFiles = {"/kept.asm"};
        settings.UserFiles = {{"/kept.txt", "Kept"}};
        WindowPlacement placement = Defaults;
        QVERIFY(ReadSettings(*s, settings, placement));
        QCOMPARE(settings.RecentFiles, QStringList{"/kept.asm"});
        QCOMPARE(settings.UserFiles.size(), 1);
        ToolchainPaths paths;
        paths[2].CompilPath = "/untouched/";
        ReadToolchainPaths(*s, paths);
        QCOMPARE(paths[2].CompilPath, QString("/untouched/"));
        QCOMPARE(paths[1], toolchainConfigs()[1].defaults);

        // Saving never recreates a missing group.
        QVERIFY(!SaveRecentFiles(*s, {"/a.asm"}));
        QVERIFY(!SaveUserFiles(*s, {{"/a", "A"}}));
        QVERIFY(SaveOptions(*s, settings, paths));
        QVERIFY(!s->keyExists("OldFiles"));
        QVERIFY(!s->keyExists("Options\\PlusShell"));
    }

    void refusingStoreWritesNothing() {
        MemoryKeyStore s;
        s.setRefuseWrites(true);
        WriteDefaultSettings(s, Defaults);
        QVERIFY(s.keys().isEmpty());
        Settings settings;
        WindowPlacement placement = Defaults;
        QVERIFY(!ReadSettings(s, settings, placement));
        QVERIFY(!CheckFirstLaunch(s));
        QVERIFY(!SaveRecentFiles(s, {"/a.asm"}));

        s.setRefuseWrites(false);
        WriteDefaultSettings(s, Defaults);
        QVERIFY(SaveRecentFiles(s, {"/a.asm"}));
        s.setRefuseWrites(true);
        SaveWindowPlacement(s, {1, 2, 3, 4, 0});
        SaveRecentFiles(s, {"/b.asm", "/c.asm"});
        QVERIFY(ReadSettings(s, settings, placement));
        QCOMPARE(placement, Defaults);
        QCOMPARE(settings.RecentFiles, QStringList{"/a.asm"});
    }

    void unwritableFileStoresNothing() {
        QTemporaryDir dir;
        // A regular file where the settings folder should be: no user, not
        // even root, can create the settings file below it.
        QFile blocker(dir.filePath("Quaredit"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        IniKeyStore s(dir.filePath("Quaredit/alpha5.ini"));
        WriteDefaultSettings(s, Defaults);
        Settings settings;
        WindowPlacement placement = Defaults;
        QVERIFY(!ReadSettings(s, settings, placement));
        QVERIFY(!CheckFirstLaunch(s));
        QVERIFY(!SaveUserPrograms(s, {}));
        QCOMPARE(placement, Defaults);
    }
};

QTEST_APPLESS_MAIN(TestSettings)
#include "tst_settings.moc"
