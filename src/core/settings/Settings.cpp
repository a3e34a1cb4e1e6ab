#include "core/settings/Settings.h"

#include "core/settings/KeyStore.h"

#include <algorithm>
#include <type_traits>

namespace quaredit {

namespace {

const QString RootKey;
const QString OptionsKey = QStringLiteral("Options");
const QString OldFilesKey = QStringLiteral("OldFiles");
const QString UserPrgmKey = QStringLiteral("UserPrgm");
const QString UserFilesKey = QStringLiteral("UserFiles");

constexpr qint32 LayoutVersion = 1;
const QString CompilatorPlaceholder = QStringLiteral("[COMPILATOR PATH]");

QString numbered(const char* prefix, int i) {
    return QLatin1String(prefix) + QString::number(i);
}

bool readFlag(const RegKey& key, const QString& name, bool fallback) {
    return key.readInt(name, fallback ? 1 : 0) != 0;
}

bool writeValue(RegKey& key, const QString& name, bool value) {
    return key.writeInt(name, value ? 1 : 0);
}

bool writeValue(RegKey& key, const QString& name, qint32 value) {
    return key.writeInt(name, value);
}

bool writeValue(RegKey& key, const QString& name, const QString& value) {
    return key.writeText(name, value);
}

// A hand-edited count must never make a reader walk past the fixed-size
// lists; a negative or unreadable count means an empty list.
int readCount(const RegKey& key, int maximum) {
    return std::clamp(key.readInt(QStringLiteral("Nb"), 0), 0, maximum);
}

// Keeps an index-like value inside its choices: these values pick a radio
// button or a table row, so an out-of-range number would index past them.
qint32 inRange(qint32 value, qint32 last, qint32 fallback) {
    return value >= 0 && value <= last ? value : fallback;
}

std::span<const OptionSetting> optionTable() {
    // UsePredef indexes the four toolchain configurations; anything else
    // would select a configuration that does not exist.
    static const OptionSetting options[] = {
        {.name = "MakeBAK",
         .value = OptionValue<bool>{&Settings::MakeBAK, true},
         .caption = "Make a BAK file before saving",
         .objectName = "BAKOpt",
         .place = OptionPlace::Misc},
        {.name = "WordWrap",
         .value = OptionValue<bool>{&Settings::WordWrap, false},
         .caption = "Word Wrap",
         .objectName = "WWrapOpt",
         .place = OptionPlace::EditorTop},
        {.name = "Associate",
         .value = OptionValue<bool>{&Settings::Associate, false},
         .caption = "Associate *.asm files with Quaredit v2.0",
         .objectName = "AssOpt",
         .place = OptionPlace::Misc},
        {.name = "EditExplorator",
         .value = OptionValue<bool>{&Settings::EditExplorator, false},
         .caption = "Add 'Edit with Quaredit v2.0' in the Explorator for *.asm files",
         .objectName = "EditExplOpt",
         .place = OptionPlace::Misc},
        {.name = "DefaultDir", .value = OptionValue<QString>{&Settings::DefaultDir, QString()}},
        {.name = "UsePredef",
         .value = OptionValue<qint32>{&Settings::UsePredef, 1},
         .highestChoice = 3},
        {.name = "CompilatorPath",
         .value = OptionValue<QString>{&Settings::CompilatorPath, CompilatorPlaceholder}},
        {.name = "IncludePath",
         .value = OptionValue<QString>{&Settings::IncludePath, QStringLiteral("asm/include/")}},
        {.name = "LibPath",
         .value = OptionValue<QString>{&Settings::LibPath, QStringLiteral("asm/lib/")}},
        {.name = "EditorFont",
         .value = OptionValue<QString>{&Settings::EditorFont, QStringLiteral("Courier New")}},
        {.name = "EditorFontSize", .value = OptionValue<qint32>{&Settings::EditorFontSize, 9}},
        {.name = "SyntaxColours",
         .value = OptionValue<bool>{&Settings::SyntaxColours, true},
         .defaultWhenAbsent = true,
         .caption = "Syntax Colours",
         .objectName = "SyntaxOpt",
         .place = OptionPlace::Editor},
        {.name = "LineNumbers",
         .value = OptionValue<bool>{&Settings::LineNumbers, true},
         .defaultWhenAbsent = true,
         .caption = "Line Numbers",
         .objectName = "LineNumOpt",
         .place = OptionPlace::Editor},
        {.name = "CurrentLine",
         .value = OptionValue<bool>{&Settings::CurrentLine, true},
         .defaultWhenAbsent = true,
         .caption = "Highlight Current Line",
         .objectName = "CurLineOpt",
         .place = OptionPlace::Editor},
        {.name = "AutoIndent",
         .value = OptionValue<bool>{&Settings::AutoIndent, true},
         .defaultWhenAbsent = true,
         .caption = "Auto Indent",
         .objectName = "AutoIndentOpt",
         .place = OptionPlace::Editor},
        // The editor's colour set: the desktop's choice, light or dark (a
        // combo box of its own on the "Editor" page).
        {.name = "ColourScheme",
         .value = OptionValue<qint32>{&Settings::ColourScheme, 0},
         .highestChoice = 2},
        {.name = "CheckInstructions",
         .value = OptionValue<bool>{&Settings::CheckInstructions, true},
         .defaultWhenAbsent = true,
         .caption = "Check Instructions",
         .objectName = "CheckInstrOpt",
         .place = OptionPlace::Editor},
    };
    return options;
}

void readOption(const RegKey& key, const OptionSetting& option, Settings& settings) {
    const QString name = QLatin1String(option.name);
    std::visit(
        [&](const auto& value) {
            using T = std::decay_t<decltype(value.defaultValue)>;
            if constexpr (std::is_same_v<T, bool>) {
                settings.*value.member = readFlag(key, name, value.defaultValue);
            } else if constexpr (std::is_same_v<T, qint32>) {
                const qint32 number = key.readInt(name, value.defaultValue);
                settings.*value.member =
                    option.highestChoice < 0
                        ? number
                        : inRange(number, option.highestChoice, value.defaultValue);
            } else {
                settings.*value.member = key.readText(name);
            }
        },
        option.value);
}

void applyDefault(const OptionSetting& option, Settings& settings) {
    std::visit([&](const auto& value) { settings.*value.member = value.defaultValue; },
               option.value);
}

bool writeCount(RegKey& key, qsizetype count) {
    return key.writeInt(QStringLiteral("Nb"), static_cast<qint32>(count));
}

// Writes a numbered list into its existing key. Entries past the maximum are
// not stored: every reader stops at the maximum anyway.
template <typename List, typename WriteEntry>
bool saveList(KeyStore& store, const QString& keyName, const List& items, int maximum,
              WriteEntry writeEntry) {
    RegKey key(store, keyName, false);
    if (!key.isOpen())
        return false;
    const int count = static_cast<int>(std::min<qsizetype>(items.size(), maximum));
    writeCount(key, count);
    for (int i = 0; i < count; ++i)
        writeEntry(key, i, items[i]);
    return true;
}

} // namespace

std::span<const OptionSetting> optionSettings() {
    return optionTable();
}

Settings::Settings() {
    for (const OptionSetting& option : optionTable()) {
        if (option.defaultWhenAbsent)
            applyDefault(option, *this);
    }
}

void copyOptions(const Settings& from, Settings& to) {
    for (const OptionSetting& option : optionTable())
        std::visit([&](const auto& value) { to.*value.member = from.*value.member; }, option.value);
}

const std::array<ToolchainConfig, 4>& toolchainConfigs() {
    static const std::array<ToolchainConfig, 4> configs{{
        {"(none)", "Options\\User", {CompilatorPlaceholder, QString(), QString()}},
        {"Quaro II",
         "Options\\Quaro2",
         {CompilatorPlaceholder, QStringLiteral("asm/include/"), QStringLiteral("asm/lib/")}},
        {"PlusShell",
         "Options\\PlusShell",
         {CompilatorPlaceholder, QStringLiteral("include/"), QStringLiteral("lib/")}},
        {"DoorsOS", "Options\\DoorsOS", {CompilatorPlaceholder, QString(), QString()}},
    }};
    return configs;
}

WindowPlacement defaultWindowPlacement(QSize screen, QSize window) {
    WindowPlacement placement;
    // Built-in integer division truncates toward zero, as the stored layout
    // expects for a window larger than the screen.
    placement.top = (screen.height() - window.height()) / 2;
    placement.left = (screen.width() - window.width()) / 2;
    placement.width = window.width();
    placement.height = window.height();
    placement.state = 2;
    return placement;
}

bool ReadSettings(KeyStore& store, Settings& settings, WindowPlacement& placement) {
    {
        RegKey root(store, RootKey, false);
        if (!root.isOpen())
            return false;
        if (root.readInt(QStringLiteral("MinVersion")) != LayoutVersion)
            return false;
        placement.top = root.readInt(QStringLiteral("WinTop"), placement.top);
        placement.left = root.readInt(QStringLiteral("WinLeft"), placement.left);
        placement.width = root.readInt(QStringLiteral("WinWidth"), placement.width);
        placement.height = root.readInt(QStringLiteral("WinHeight"), placement.height);
        placement.state =
            inRange(root.readInt(QStringLiteral("WinState"), placement.state), 2, placement.state);
    }
    {
        RegKey options(store, OptionsKey, false);
        for (const OptionSetting& option : optionTable()) {
            if (options.isOpen())
                readOption(options, option, settings);
            else if (option.defaultWhenAbsent)
                applyDefault(option, settings);
        }
    }
    ReadRecentFiles(store, settings.RecentFiles);
    {
        RegKey userPrgm(store, UserPrgmKey, false);
        if (userPrgm.isOpen()) {
            const int count = readCount(userPrgm, MaxUserPrograms);
            settings.UserPrograms.clear();
            for (int i = 0; i < count; ++i) {
                UserProgram program;
                program.MnuName = userPrgm.readText(numbered("MnuName", i));
                program.CmdName = userPrgm.readText(numbered("CmdName", i));
                // Both pick one of a fixed set of choices in the User Programs
                // dialog; an unknown number falls back to the first choice.
                program.WinState = inRange(userPrgm.readInt(numbered("WinState", i), 0), 2, 0);
                program.Arg = inRange(userPrgm.readInt(numbered("Arg", i), 0), 4, 0);
                settings.UserPrograms.append(program);
            }
        }
    }
    {
        RegKey userFiles(store, UserFilesKey, false);
        if (userFiles.isOpen()) {
            const int count = readCount(userFiles, MaxUserFiles);
            settings.UserFiles.clear();
            for (int i = 0; i < count; ++i) {
                UserFile file;
                file.FileName = userFiles.readText(numbered("FileName", i));
                file.ShortName = userFiles.readText(numbered("ShortName", i));
                settings.UserFiles.append(file);
            }
        }
    }
    return true;
}

void WriteDefaultSettings(KeyStore& store, const WindowPlacement& defaults) {
    // A first start writes the whole tree: once, not once per key.
    KeyBatch batch(store);
    {
        RegKey root(store, RootKey, true);
        if (root.isOpen()) {
            root.writeInt(QStringLiteral("MinVersion"), LayoutVersion);
            root.writeInt(QStringLiteral("FirstLaunch"), 0);
            root.writeInt(QStringLiteral("WinTop"), defaults.top);
            root.writeInt(QStringLiteral("WinLeft"), defaults.left);
            root.writeInt(QStringLiteral("WinWidth"), defaults.width);
            root.writeInt(QStringLiteral("WinHeight"), defaults.height);
            root.writeInt(QStringLiteral("WinState"), 2);
        }
    }
    {
        RegKey oldFiles(store, OldFilesKey, true);
        writeCount(oldFiles, 0);
    }
    {
        RegKey options(store, OptionsKey, true);
        for (const OptionSetting& option : optionTable()) {
            std::visit(
                [&](const auto& value) {
                    writeValue(options, QLatin1String(option.name), value.defaultValue);
                },
                option.value);
        }
    }
    for (const ToolchainConfig& config : toolchainConfigs()) {
        RegKey key(store, QLatin1String(config.key), true);
        key.writeText(QStringLiteral("CompilPath"), config.defaults.CompilPath);
        key.writeText(QStringLiteral("IncludePath"), config.defaults.IncludePath);
        key.writeText(QStringLiteral("LibPath"), config.defaults.LibPath);
    }
    {
        RegKey userPrgm(store, UserPrgmKey, true);
        writeCount(userPrgm, 0);
    }
    {
        RegKey userFiles(store, UserFilesKey, true);
        writeCount(userFiles, 0);
    }
}

bool CheckFirstLaunch(KeyStore& store) {
    RegKey root(store, RootKey, false);
    if (!root.isOpen())
        return false;
    if (root.readInt(QStringLiteral("FirstLaunch")) == 1)
        return false;
    // Marked before the sequence starts, so an interrupted sequence is not
    // repeated at the next start.
    root.writeInt(QStringLiteral("FirstLaunch"), 1);
    return true;
}

void SaveWindowPlacement(KeyStore& store, const WindowPlacement& placement, bool withPosition) {
    RegKey root(store, RootKey, false);
    if (!root.isOpen())
        return;
    root.writeInt(QStringLiteral("WinState"), placement.state);
    // Only a normal window has a placement worth keeping; minimised or
    // maximised, the last normal one stays for the next start.
    if (placement.state != 0)
        return;
    if (withPosition) {
        root.writeInt(QStringLiteral("WinLeft"), placement.left);
        root.writeInt(QStringLiteral("WinTop"), placement.top);
    }
    root.writeInt(QStringLiteral("WinWidth"), placement.width);
    root.writeInt(QStringLiteral("WinHeight"), placement.height);
}

void ReadToolchainPaths(KeyStore& store, ToolchainPaths& paths) {
    for (std::size_t c = 0; c < paths.size(); ++c) {
        RegKey key(store, QLatin1String(toolchainConfigs()[c].key), false);
        if (!key.isOpen())
            continue;
        paths[c].CompilPath = key.readText(QStringLiteral("CompilPath"));
        paths[c].IncludePath = key.readText(QStringLiteral("IncludePath"));
        paths[c].LibPath = key.readText(QStringLiteral("LibPath"));
    }
}

bool SaveOptions(KeyStore& store, const Settings& settings, const ToolchainPaths& paths) {
    bool opened = false;
    {
        RegKey options(store, OptionsKey, false);
        if (options.isOpen()) {
            opened = true;
            for (const OptionSetting& option : optionTable()) {
                std::visit(
                    [&](const auto& value) {
                        writeValue(options, QLatin1String(option.name), settings.*value.member);
                    },
                    option.value);
            }
        }
    }
    for (std::size_t c = 0; c < paths.size(); ++c) {
        RegKey key(store, QLatin1String(toolchainConfigs()[c].key), false);
        if (!key.isOpen())
            continue;
        key.writeText(QStringLiteral("CompilPath"), paths[c].CompilPath);
        key.writeText(QStringLiteral("IncludePath"), paths[c].IncludePath);
        key.writeText(QStringLiteral("LibPath"), paths[c].LibPath);
    }
    return opened;
}

bool ReadRecentFiles(KeyStore& store, QStringList& recentFiles) {
    RegKey oldFiles(store, OldFilesKey, false);
    if (!oldFiles.isOpen())
        return false;
    const int count = readCount(oldFiles, MaxRecentFiles);
    recentFiles.clear();
    for (int i = 0; i < count; ++i)
        recentFiles.append(oldFiles.readText(numbered("Name", i)));
    return true;
}

bool SaveRecentFiles(KeyStore& store, const QStringList& recentFiles) {
    // Every start saves the list it has just read: a list that is stored
    // already is not written again, which would rewrite the file and wait
    // for the disk before the window shows.
    QStringList stored;
    if (ReadRecentFiles(store, stored) && stored == recentFiles.mid(0, MaxRecentFiles))
        return true;
    return saveList(
        store, OldFilesKey, recentFiles, MaxRecentFiles,
        [](RegKey& key, int i, const QString& path) { key.writeText(numbered("Name", i), path); });
}

bool SaveUserPrograms(KeyStore& store, const QVector<UserProgram>& programs) {
    return saveList(store, UserPrgmKey, programs, MaxUserPrograms,
                    [](RegKey& key, int i, const UserProgram& program) {
                        key.writeText(numbered("MnuName", i), program.MnuName);
                        key.writeText(numbered("CmdName", i), program.CmdName);
                        key.writeInt(numbered("WinState", i), program.WinState);
                        key.writeInt(numbered("Arg", i), program.Arg);
                    });
}

bool SaveUserFiles(KeyStore& store, const QVector<UserFile>& files) {
    return saveList(store, UserFilesKey, files, MaxUserFiles,
                    [](RegKey& key, int i, const UserFile& file) {
                        key.writeText(numbered("FileName", i), file.FileName);
                        key.writeText(numbered("ShortName", i), file.ShortName);
                    });
}

} // namespace quaredit
