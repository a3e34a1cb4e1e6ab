#include "core/reference/KeyCodes.h"

#include "core/documents/FileSafety.h"

#include <QFile>
#include <QtEndian>
#include <cstring>

namespace quaredit {

namespace {

// Text in a fixed-size field ends at the first NUL or at the field's end.
QByteArray fieldText(const char* data, qsizetype size) {
    const void* nul = std::memchr(data, 0, size_t(size));
    return QByteArray(data, nul ? static_cast<const char*>(nul) - data : size);
}

KeyRecord decodeRecord(const char* data) {
    KeyRecord record;
    // A name that fills all 12 bytes has no terminator; keep 11 characters so
    // that a damaged record never reads into the codes that follow.
    record.name = fieldText(data, KeyNameSize - 1);
    for (int i = 0; i < KeyModifierCount; ++i)
        record.codes[size_t(i)] = qFromLittleEndian<qint32>(data + KeyNameSize + 4 * i);
    return record;
}

} // namespace

KeyRange keyGroupRange(KeyGroup group) {
    switch (group) {
    case KeyGroup::Keys:
        return {0, 36};
    case KeyGroup::Function:
        return {36, 8};
    case KeyGroup::Pad:
        return {44, 8};
    case KeyGroup::Special:
        return {52, 24};
    }
    return {};
}

QString keyGroupName(KeyGroup group) {
    switch (group) {
    case KeyGroup::Keys:
        return QStringLiteral("Keys");
    case KeyGroup::Function:
        return QStringLiteral("Function");
    case KeyGroup::Pad:
        return QStringLiteral("Pad");
    case KeyGroup::Special:
        return QStringLiteral("Special");
    }
    return {};
}

qint32 keyCode(const KeyCodeTable& table, KeyGroup group, int line, KeyModifier modifier) {
    const KeyRange range = keyGroupRange(group);
    if (line < 0 || line >= range.count)
        return 0;
    return table.records[size_t(range.first + line)].code(modifier);
}

QString keyCodeText(qint32 code) {
    return code == 0 ? QStringLiteral("doesn't exist") : QString::number(code);
}

QString immediateOperand(qint32 value) {
    return QLatin1Char('#') + QString::number(value);
}

KeyCodesLoad parseKeyCodes(const QByteArray& bytes) {
    KeyCodesLoad result;
    const char* data = bytes.constData();
    if (bytes.size() < KeyRecordsOffset || data[KeyVersionOffset] != 0x01 ||
        data[KeyVersionOffset + 1] != 0x00) {
        result.error = KeyCodesError::InvalidVersion;
        return result;
    }
    result.table.info = fieldText(data, KeyInfoSize);
    const qsizetype available = qMin(bytes.size(), KeyCodesFileSize) - KeyRecordsOffset;
    const int whole = int(available / KeyRecordSize);
    for (int i = 0; i < whole; ++i)
        result.table.records[size_t(i)] = decodeRecord(data + KeyRecordsOffset + i * KeyRecordSize);
    return result;
}

KeyCodesLoad readKeyCodesFile(const QString& path) {
    // Opened once, without blocking, and judged as opened: a FIFO in its
    // place would block the start-up. (A folder fails to read like a
    // missing file.) Nothing past the last record matters, however long
    // the file is.
    const FileRead read = readRegularFile(path, KeyCodesFileSize);
    if (read.nature == FileNature::Special)
        return {KeyCodesError::NotRegularFile, {}};
    if (!read.ok())
        return {KeyCodesError::CannotOpen, {}};
    return parseKeyCodes(read.bytes);
}

QString keyCodesErrorText(KeyCodesError error) {
    switch (error) {
    case KeyCodesError::None:
        return {};
    case KeyCodesError::CannotOpen:
        return QStringLiteral(
            "Cannot find the file 'keycodes.lst'. The KeyCode tool will be disabled.");
    case KeyCodesError::NotRegularFile:
        return QStringLiteral("Cannot read the file 'keycodes.lst': %1. The KeyCode tool will "
                              "be disabled.")
            .arg(notRegularFileReason());
    case KeyCodesError::InvalidVersion:
        return QStringLiteral(
            "Invalid version of 'keycodes.lst'. The KeyCode tool will be disabled.");
    }
    return {};
}

QByteArray encodeKeyCodes(const KeyCodeTable& table) {
    QByteArray bytes(KeyCodesFileSize, '\0');
    char* data = bytes.data();
    std::memcpy(data, table.info.constData(), size_t(qMin(table.info.size(), KeyInfoSize)));
    data[KeyVersionOffset] = 0x01;
    for (int i = 0; i < KeyRecordCount; ++i) {
        const KeyRecord& record = table.records[size_t(i)];
        char* at = data + KeyRecordsOffset + i * KeyRecordSize;
        std::memcpy(at, record.name.constData(), size_t(qMin(record.name.size(), KeyNameSize - 1)));
        for (int m = 0; m < KeyModifierCount; ++m)
            qToLittleEndian<qint32>(record.codes[size_t(m)], at + KeyNameSize + 4 * m);
    }
    return bytes;
}

} // namespace quaredit
