#pragma once

#include "core/settings/KeyStore.h"

#include <QSettings>

namespace quaredit {

// The key tree in an INI file: key "Options\User" is the group "Options/User",
// the empty key (the settings root) holds its values in [General].
class IniKeyStore : public KeyStore {
public:
    explicit IniKeyStore(const QString& filePath);

    bool keyExists(const QString& key) const override;
    bool createKey(const QString& key) override;
    bool deleteKey(const QString& key) override;

    std::optional<qint32> readInt(const QString& key, const QString& name) const override;
    std::optional<QString> readText(const QString& key, const QString& name) const override;
    bool writeInt(const QString& key, const QString& name, qint32 value) override;
    bool writeText(const QString& key, const QString& name, const QString& value) override;

    bool flush() override;

private:
    mutable QSettings settings_;
};

} // namespace quaredit
