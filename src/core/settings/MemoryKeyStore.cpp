#include "core/settings/MemoryKeyStore.h"

#include <QStringList>

namespace quaredit {

std::optional<qint32> parseStoredInt(const QString& text) {
    bool ok = false;
    const qint32 value = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

bool MemoryKeyStore::keyExists(const QString& key) const {
    return keys_.contains(key);
}

bool MemoryKeyStore::createKey(const QString& key) {
    if (refuseWrites_)
        return false;
    keys_.insert(QString()); // the root is the parent of every key
    QString path;
    for (const QString& part : key.split('\\', Qt::SkipEmptyParts)) {
        path = path.isEmpty() ? part : path + '\\' + part;
        keys_.insert(path);
    }
    return true;
}

bool MemoryKeyStore::deleteKey(const QString& key) {
    if (refuseWrites_ || !keys_.contains(key))
        return false;
    const QString prefix = key + '\\';
    const auto inSubtree = [&](const QString& k) {
        return key.isEmpty() || k == key || k.startsWith(prefix);
    };
    for (auto it = keys_.begin(); it != keys_.end();)
        it = inSubtree(*it) ? keys_.erase(it) : std::next(it);
    for (auto it = values_.begin(); it != values_.end();)
        it = inSubtree(it.key()) ? values_.erase(it) : std::next(it);
    return true;
}

std::optional<QString> MemoryKeyStore::readText(const QString& key, const QString& name) const {
    const auto valuesOfKey = values_.constFind(key);
    if (valuesOfKey == values_.constEnd())
        return std::nullopt;
    const auto value = valuesOfKey->constFind(name);
    if (value == valuesOfKey->constEnd())
        return std::nullopt;
    return *value;
}

std::optional<qint32> MemoryKeyStore::readInt(const QString& key, const QString& name) const {
    const auto text = readText(key, name);
    return text ? parseStoredInt(*text) : std::nullopt;
}

bool MemoryKeyStore::writeText(const QString& key, const QString& name, const QString& value) {
    if (refuseWrites_ || !keys_.contains(key))
        return false;
    values_[key][name] = value;
    return true;
}

bool MemoryKeyStore::writeInt(const QString& key, const QString& name, qint32 value) {
    return writeText(key, name, QString::number(value));
}

} // namespace quaredit
