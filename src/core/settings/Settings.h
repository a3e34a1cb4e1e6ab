#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <span>
#include <variant>

namespace quaredit {

class KeyStore;

constexpr int MaxRecentFiles = 10;
constexpr int MaxUserPrograms = 10;
constexpr int MaxUserFiles = 10;

struct UserProgram {
    QString MnuName;
    QString CmdName;
    qint32 WinState = 0; // 0 normal, 1 minimised, 2 maximised
    qint32 Arg = 0;      // 0 none, 1 inline, 2 current file, 3 the 92p file, 4 selection
    bool operator==(const UserProgram&) const = default;
};

struct UserFile {
    QString FileName;
    QString ShortName;
    bool operator==(const UserFile&) const = default;
};

// The in-memory copy of every setting; before the first read every text is
// empty, every integer 0 and every flag false, except the options that a
// settings file from before them reads as their default (the editor's look):
// those hold their default from the start, taken from the option table.
struct Settings {
    Settings();

    bool MakeBAK = false;
    bool WordWrap = false;
    bool Associate = false;
    bool EditExplorator = false;
    qint32 UsePredef = 0;
    QString CompilatorPath;
    QString IncludePath;
    QString LibPath;
    QString DefaultDir;
    QString EditorFont;
    qint32 EditorFontSize = 0;
    // What the editor shows beside the text.
    bool SyntaxColours = false;
    bool LineNumbers = false;
    bool CurrentLine = false;
    // Enter keeps the indent of the line before; Backspace takes one level.
    bool AutoIndent = false;
    qint32 ColourScheme = 0; // 0 follow the desktop, 1 light, 2 dark
    // Marks the instructions the 68000 cannot encode as they are typed.
    bool CheckInstructions = false;
    QStringList RecentFiles;           // entry 0 the most recent, at most 10
    QVector<UserProgram> UserPrograms; // at most 10
    QVector<UserFile> UserFiles;       // at most 10

    // The include folder and the library folder: plain concatenation, the
    // stored texts carry their own separators.
    QString includeFolder() const { return CompilatorPath + IncludePath; }
    QString libraryFolder() const { return CompilatorPath + LibPath; }
};

// One value under the key "Options", declared once for reading, writing,
// the defaults and copying: its stored name, its default, and the member of
// `Settings` that holds it. The member's type is the stored kind: a flag
// (stored as 1 or 0, any other number reads as true), a 32-bit number, or a
// text.
template <typename T> struct OptionValue {
    T Settings::*member;
    T defaultValue;
};

// Where the options dialog shows a flag as a check box, in table order
// within each place.
enum class OptionPlace {
    None,       // not a check box: the dialog has its own control, or none
    Compilator, // the "Compilator" page, below the folders
    EditorTop,  // the "Editor" page, above the font
    Editor,     // the "Editor" page, below the font's example
    Misc,       // the "MISC..." page, above the default folder
};

struct OptionSetting {
    const char* name;
    std::variant<OptionValue<bool>, OptionValue<qint32>, OptionValue<QString>> value;
    // A number that picks one of a fixed set of choices reads as its default
    // outside 0 to this; -1 for a number that may be anything.
    qint32 highestChoice = -1;
    // An option added after settings files were first written: such a file,
    // even one without any options at all, reads it as its default, and so
    // does a Settings never read.
    bool defaultWhenAbsent = false;
    // A flag's check box in the options dialog: caption, object name, place.
    const char* caption = nullptr;
    const char* objectName = nullptr;
    OptionPlace place = OptionPlace::None;
};

// Every option, in the order the defaults are written. A flag or number that
// is missing or cannot be read as a number reads as its default; a missing
// text reads as the empty text, as every text of the tree does.
std::span<const OptionSetting> optionSettings();

// Copies the option values only; the lists stay as `to` has them.
void copyOptions(const Settings& from, Settings& to);

// One toolchain configuration's folders, as the options dialog edits them.
struct ToolchainRow {
    QString CompilPath;
    QString IncludePath;
    QString LibPath;
    bool operator==(const ToolchainRow&) const = default;
};
using ToolchainPaths = std::array<ToolchainRow, 4>;

// The four configurations, by index: 0 "(none)", 1 "Quaro II", 2 "PlusShell", 3 "DoorsOS".
struct ToolchainConfig {
    const char* caption;
    const char* key;
    ToolchainRow defaults;
};
const std::array<ToolchainConfig, 4>& toolchainConfigs();

// Main window placement as stored: state 0 normal, 1 minimised, 2 maximised.
struct WindowPlacement {
    qint32 top = 0;
    qint32 left = 0;
    qint32 width = 0;
    qint32 height = 0;
    qint32 state = 2;
    bool operator==(const WindowPlacement&) const = default;
};

// The stored defaults: the window centred on the screen, maximised.
WindowPlacement defaultWindowPlacement(QSize screen, QSize window);

// Reads the whole tree. False when the root is missing or its MinVersion is
// not 1. `placement` starts as the defaults and receives the stored values.
bool ReadSettings(KeyStore& store, Settings& settings, WindowPlacement& placement);
void WriteDefaultSettings(KeyStore& store, const WindowPlacement& defaults);
// True when the first-launch sequence must run (FirstLaunch is then set to 1).
bool CheckFirstLaunch(KeyStore& store);
// Without `withPosition` (a desktop that does not tell a window where it
// is) the stored left and top stay as they are.
void SaveWindowPlacement(KeyStore& store, const WindowPlacement& placement,
                         bool withPosition = true);
void ReadToolchainPaths(KeyStore& store, ToolchainPaths& paths);
// The list and option writers give false when their key could not be opened.
bool SaveOptions(KeyStore& store, const Settings& settings, const ToolchainPaths& paths);
// The list as stored; false (and `recentFiles` untouched) without its key.
bool ReadRecentFiles(KeyStore& store, QStringList& recentFiles);
bool SaveRecentFiles(KeyStore& store, const QStringList& recentFiles);
bool SaveUserPrograms(KeyStore& store, const QVector<UserProgram>& programs);
bool SaveUserFiles(KeyStore& store, const QVector<UserFile>& files);

} // namespace quaredit
