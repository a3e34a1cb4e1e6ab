#pragma once

#include <QByteArray>
#include <QString>
#include <array>

namespace quaredit {

// Layout of "keycodes.lst": a 40-byte info text, 6 unused bytes, a 16-bit
// version (1, little-endian) at 46, then 76 records of 32 bytes.
constexpr qsizetype KeyInfoSize = 40;
constexpr qsizetype KeyVersionOffset = 46;
constexpr qsizetype KeyRecordsOffset = 48;
constexpr qsizetype KeyNameSize = 12;
constexpr qsizetype KeyRecordSize = 32;
constexpr int KeyRecordCount = 76;
constexpr qsizetype KeyCodesFileSize = KeyRecordsOffset + KeyRecordCount * KeyRecordSize;

inline const QString KeyCodesFileName = QStringLiteral("keycodes.lst");

// The modifier held with a key, in the order of the codes in a record.
enum class KeyModifier : int { None, Maj, Second, Diamond, Lock };
constexpr int KeyModifierCount = 5;

struct KeyRecord {
    QByteArray name; // 8-bit text, at most KeyNameSize - 1 bytes
    std::array<qint32, KeyModifierCount> codes{};

    qint32 code(KeyModifier modifier) const { return codes[size_t(modifier)]; }
    bool operator==(const KeyRecord&) const = default;
};

struct KeyCodeTable {
    QByteArray info; // at most KeyInfoSize bytes
    std::array<KeyRecord, KeyRecordCount> records{};
    bool operator==(const KeyCodeTable&) const = default;
};

// The four groups of keys, one per tab of the key codes window, by their
// place in the file.
enum class KeyGroup : int { Keys, Function, Pad, Special };
constexpr int KeyGroupCount = 4;
struct KeyRange {
    int first = 0;
    int count = 0;
};
KeyRange keyGroupRange(KeyGroup group);
QString keyGroupName(KeyGroup group); // "Keys", "Function", ...

// The code of line `line` of `group` with `modifier`; 0 (no such
// combination) for a line outside the group.
qint32 keyCode(const KeyCodeTable& table, KeyGroup group, int line, KeyModifier modifier);

// What the window shows for a code: the number, or "doesn't exist" for 0.
QString keyCodeText(qint32 code);

// The immediate operand a reference tool inserts: "#" and the value in decimal.
QString immediateOperand(qint32 value);

enum class KeyCodesError { None, CannotOpen, NotRegularFile, InvalidVersion };

struct KeyCodesLoad {
    KeyCodesError error = KeyCodesError::None;
    KeyCodeTable table; // all zero unless error is None
    bool ok() const { return error == KeyCodesError::None; }
};

// Decodes the file's bytes. Anything past the 76th record is ignored; a file
// too short to hold the version counts as a wrong version, and a short file
// fills only the records it holds completely.
KeyCodesLoad parseKeyCodes(const QByteArray& bytes);

// Reads and decodes the file; a missing or unreadable file is CannotOpen.
KeyCodesLoad readKeyCodesFile(const QString& path);

// The message shown when the file cannot be used (empty for None).
QString keyCodesErrorText(KeyCodesError error);

// The file's bytes for a table: the inverse of parseKeyCodes. Names longer
// than 11 bytes and info texts longer than 40 bytes are cut.
QByteArray encodeKeyCodes(const KeyCodeTable& table);

} // namespace quaredit
