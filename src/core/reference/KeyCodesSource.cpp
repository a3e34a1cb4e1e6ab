#include "core/reference/KeyCodesSource.h"

#include <QList>

namespace quaredit {

namespace {

constexpr int FirstCodeColumn = 2;

// The group that owns record `index`, by the fixed ranges of the file.
KeyGroup groupOfRecord(int index) {
    for (int g = KeyGroupCount - 1; g > 0; --g)
        if (index >= keyGroupRange(KeyGroup(g)).first)
            return KeyGroup(g);
    return KeyGroup::Keys;
}

bool isPrintableText(const QByteArray& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    return true;
}

} // namespace

KeyCodesSource parseKeyCodesSource(const QByteArray& text) {
    KeyCodesSource result;
    int count = 0;
    bool haveInfo = false;
    const QList<QByteArray> lines = text.split('\n');
    auto fail = [&](int lineIndex, const QString& reason) {
        result.error = QStringLiteral("line %1: %2").arg(lineIndex + 1).arg(reason);
        result.table = {};
        return result;
    };
    for (int n = 0; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split('\t');
        if (fields[0] == "group")
            continue;
        if (fields[0] == "info") {
            if (haveInfo)
                return fail(n, QStringLiteral("a second info line"));
            if (fields.size() != 2 || fields[1].size() > KeyInfoSize || !isPrintableText(fields[1]))
                return fail(n, QStringLiteral("the info text must be one field of at most %1 "
                                              "printable characters")
                                   .arg(KeyInfoSize));
            result.table.info = fields[1];
            haveInfo = true;
            continue;
        }
        if (fields.size() < FirstCodeColumn + KeyModifierCount)
            return fail(
                n,
                QStringLiteral("a key needs a group, a name and %1 codes").arg(KeyModifierCount));
        if (count == KeyRecordCount)
            return fail(n, QStringLiteral("more than %1 keys").arg(KeyRecordCount));
        const KeyGroup expected = groupOfRecord(count);
        if (fields[0] != keyGroupName(expected).toLatin1())
            return fail(n, QStringLiteral("key %1 belongs to the group \"%2\", not \"%3\"")
                               .arg(count)
                               .arg(keyGroupName(expected), QString::fromLatin1(fields[0])));
        KeyRecord& record = result.table.records[size_t(count)];
        record.name = fields[1];
        if (record.name.isEmpty() || record.name.size() > KeyNameSize - 1 ||
            !isPrintableText(record.name))
            return fail(
                n,
                QStringLiteral("a key name has 1 to %1 printable characters").arg(KeyNameSize - 1));
        for (int m = 0; m < KeyModifierCount; ++m) {
            bool ok = false;
            const QByteArray field = fields[FirstCodeColumn + m].trimmed();
            record.codes[size_t(m)] = field.toInt(&ok);
            if (!ok)
                return fail(
                    n,
                    QStringLiteral("\"%1\" is not a 32-bit code").arg(QString::fromLatin1(field)));
        }
        ++count;
    }
    if (!haveInfo)
        return fail(int(lines.size()) - 1, QStringLiteral("no info line"));
    if (count != KeyRecordCount)
        return fail(int(lines.size()) - 1,
                    QStringLiteral("%1 keys instead of %2").arg(count).arg(KeyRecordCount));
    return result;
}

} // namespace quaredit
