#include "platform/settings/IniKeyStore.h"

#include "core/settings/MemoryKeyStore.h"

#include <QStringList>

namespace quaredit {

namespace {

QString groupOf(const QString& key) {
    QString group = key;
    group.replace('\\', '/');
    return group;
}

QString valuePath(const QString& key, const QString& name) {
    return key.isEmpty() ? name : groupOf(key) + '/' + name;
}

} // namespace

IniKeyStore::IniKeyStore(const QString& filePath) : settings_(filePath, QSettings::IniFormat) {}

bool IniKeyStore::keyExists(const QString& key) const {
    // QSettings keeps no empty group: a key exists through its values and sub-keys.
    if (key.isEmpty())
        return !settings_.allKeys().isEmpty();
    settings_.beginGroup(groupOf(key));
    const bool exists = !settings_.allKeys().isEmpty();
    settings_.endGroup();
    return exists;
}

bool IniKeyStore::createKey(const QString&) {
    return settings_.isWritable();
}

bool IniKeyStore::deleteKey(const QString& key) {
    if (!settings_.isWritable() || !keyExists(key))
        return false;
    if (key.isEmpty())
        settings_.clear();
    else
        settings_.remove(groupOf(key));
    return true;
}

std::optional<QString> IniKeyStore::readText(const QString& key, const QString& name) const {
    const QVariant value = settings_.value(valuePath(key, name));
    if (!value.isValid())
        return std::nullopt;
    // QSettings splits an unquoted value at its commas (a hand-edited
    // "a, b"); joining with ", " gives the text back instead of losing it.
    // Only the blanks around the commas can differ from the file.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    if (!value.canConvert<QString>())
        return std::nullopt;
    return value.toString();
}

std::optional<qint32> IniKeyStore::readInt(const QString& key, const QString& name) const {
    const auto text = readText(key, name);
    return text ? parseStoredInt(*text) : std::nullopt;
}

bool IniKeyStore::writeInt(const QString& key, const QString& name, qint32 value) {
    if (!settings_.isWritable())
        return false;
    settings_.setValue(valuePath(key, name), value);
    return true;
}

bool IniKeyStore::writeText(const QString& key, const QString& name, const QString& value) {
    if (!settings_.isWritable())
        return false;
    settings_.setValue(valuePath(key, name), value);
    return true;
}

bool IniKeyStore::flush() {
    settings_.sync();
    // A format error only says that lines of a hand-edited file were skipped
    // when it was read; the file is still rewritten, with what could be read.
    return settings_.status() != QSettings::AccessError;
}

} // namespace quaredit
