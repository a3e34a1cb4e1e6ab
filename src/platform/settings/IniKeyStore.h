#pragma once

#include "core/settings/KeyStore.h"

#include <QHash>
#include <QSettings>
#include <functional>
#include <memory>

namespace quaredit {

// The key tree in an INI file: key "Options\User" is the group "Options/User",
// the empty key (the settings root) holds its values in [General].
//
// A settings file that cannot be used as it should (not a regular file, not
// writable, or hand-edited so that it cannot be read whole) is told to the
// user once per run, naming the file, and the run goes on: what could be
// read is used, and nothing is written over a file that was not read whole.
class IniKeyStore : public KeyStore {
public:
    explicit IniKeyStore(const QString& filePath);
    ~IniKeyStore() override;

    const QString& filePath() const { return path_; }
    // Where the problems go; one found before a reporter is set waits for it.
    void setProblemReporter(std::function<void(const QString&)> report);

    bool keyExists(const QString& key) const override;
    bool createKey(const QString& key) override;
    bool deleteKey(const QString& key) override;

    std::optional<qint32> readInt(const QString& key, const QString& name) const override;
    std::optional<QString> readText(const QString& key, const QString& name) const override;
    bool writeInt(const QString& key, const QString& name, qint32 value) override;
    bool writeText(const QString& key, const QString& name, const QString& value) override;

    bool flush() override;
    bool refusalTold() const override { return !refusal_.isEmpty(); }
    void updateShared(const std::function<void()>& update) override;

private:
    bool canWrite();
    void refuseWrites(const QString& problem);
    void tell(const QString& problem);

    QString path_;
    // Null when the file must not even be opened (a FIFO would block).
    std::unique_ptr<QSettings> settings_;
    QString refusal_; // why nothing is written during this run, once known
    QString pending_; // a problem found before the reporter was set
    bool told_ = false;
    std::function<void(const QString&)> report_;
    // Hand-typed values the settings reader would mangle, by QSettings key,
    // as typed (see handTypedValues).
    QHash<QString, QString> literal_;
};

// The values typed into the file by hand, without quotes, holding "," or
// ";", or a backslash that is no escape ("C:\Tools"), by QSettings key ("Options/DefaultDir"), as
// typed. The settings reader would split them at the commas, cut them at the semicolon and take
// their backslashes for escapes, and the next write would store what is
// left. It quotes every such value it writes itself, so an unquoted one was
// typed by hand, and is taken as it stands.
QHash<QString, QString> handTypedValues(const QByteArray& iniText);

// The first line (counted from 1) that leaves a quote open, which makes the
// settings reader take every line after it as part of one value; 0 when
// every quote is closed on its own line, or the open one hides no line.
int lineWithUnbalancedQuote(const QByteArray& iniText);

} // namespace quaredit
