#pragma once

#include "core/settings/KeyStore.h"

#include <QHash>
#include <QSet>

namespace quaredit {

// Parses a stored integer: the whole text must be a 32-bit signed decimal
// number (surrounding blanks allowed), so a hand-edited "12abc" or a value too
// large for 32 bits reads as missing instead of as a truncated number.
std::optional<qint32> parseStoredInt(const QString& text);

// The key tree in memory, for tests. Every value is kept as its text, as the
// settings file keeps it, so both stores read hand-edited values the same way.
class MemoryKeyStore : public KeyStore {
public:
    bool keyExists(const QString& key) const override;
    bool createKey(const QString& key) override;
    bool deleteKey(const QString& key) override;

    std::optional<qint32> readInt(const QString& key, const QString& name) const override;
    std::optional<QString> readText(const QString& key, const QString& name) const override;
    bool writeInt(const QString& key, const QString& name, qint32 value) override;
    bool writeText(const QString& key, const QString& name, const QString& value) override;

    // While set, every create, delete and write fails, as for a user without
    // the rights to change the tree; existing keys still open for reading.
    // With `told`, as a store that has told the user why.
    void setRefuseWrites(bool refuse, bool told = false) {
        refuseWrites_ = refuse;
        refusalTold_ = refuse && told;
    }
    bool refusalTold() const override { return refusalTold_; }

    // Every key path, for tests.
    QSet<QString> keys() const { return keys_; }

private:
    QSet<QString> keys_;
    QHash<QString, QHash<QString, QString>> values_;
    bool refuseWrites_ = false;
    bool refusalTold_ = false;
};

} // namespace quaredit
