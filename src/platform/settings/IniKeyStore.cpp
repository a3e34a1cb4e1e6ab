#include "platform/settings/IniKeyStore.h"

#include "core/documents/FileSafety.h"
#include "core/settings/MemoryKeyStore.h"

#include <QFile>
#include <QLockFile>
#include <QStringList>
#include <QUrl>

#include <cstring>

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

const QString NotSaved = QStringLiteral("The settings are not saved during this run.");

// Another editor holds the lock for the few milliseconds of its own write;
// past this, its lock is taken for one left by a crash.
constexpr int SharedLockWaitMs = 2000;

// Far more than any settings file; what is past it is not looked at.
constexpr qint64 MaxSettingsBytes = 16 * 1024 * 1024;

// Whether an unquoted value holds a backslash the settings writer never
// writes: one before a character that is no escape ("C:\Tools"), or at the
// end. The reader would drop it with the character after it.
bool holdsTypedBackslash(const QByteArray& value) {
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != '\\')
            continue;
        if (i + 1 == value.size() || !std::strchr("abfnrtv\"?'\\x01234567", value[i + 1]))
            return true;
        ++i;
    }
    return false;
}

} // namespace

QHash<QString, QString> handTypedValues(const QByteArray& iniText) {
    // Section and key names as the settings writer encodes them: "%20" for
    // a blank, "\" between a group and its sub-group.
    const auto decoded = [](const QByteArray& name) {
        QString text = QUrl::fromPercentEncoding(name);
        text.replace(QLatin1Char('\\'), QLatin1Char('/'));
        return text;
    };
    QHash<QString, QString> values;
    QString group;
    for (const QByteArray& raw : iniText.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            const QString section = decoded(line.mid(1, line.size() - 2));
            group = section == QLatin1String("General") ? QString() : section + QLatin1Char('/');
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals <= 0)
            continue;
        const QByteArray value = line.mid(equals + 1).trimmed();
        if (value.startsWith('"') ||
            (!value.contains(',') && !value.contains(';') && !holdsTypedBackslash(value)))
            continue;
        values.insert(group + decoded(line.left(equals).trimmed()), QString::fromUtf8(value));
    }
    return values;
}

int lineWithUnbalancedQuote(const QByteArray& iniText) {
    const QList<QByteArray> lines = iniText.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        // Section headers and comments hold no values.
        if (line.isEmpty() || line.startsWith('[') || line.startsWith(';') || line.startsWith('#'))
            continue;
        bool open = false;
        for (qsizetype c = 0; c < line.size(); ++c) {
            if (line[c] == '\\')
                ++c; // an escaped character, quote included
            else if (line[c] == '"')
                open = !open;
        }
        // On the last line, the quote hides nothing.
        if (open) {
            for (int later = i + 1; later < lines.size(); ++later) {
                if (!lines[later].trimmed().isEmpty())
                    return i + 1;
            }
            return 0;
        }
    }
    return 0;
}

IniKeyStore::IniKeyStore(const QString& filePath) : path_(filePath) {
    // Opened once and judged as opened: a FIFO swapped in after a look
    // would block the start.
    const FileRead read = readRegularFile(path_, MaxSettingsBytes);
    if (read.nature == FileNature::Folder || read.nature == FileNature::Special) {
        refuseWrites(QStringLiteral("The settings file <%1> cannot be read: %2. %3")
                         .arg(path_, notRegularFileReason(), NotSaved));
        return;
    }
    if (read.ok()) {
        const QByteArray& text = read.bytes;
        literal_ = handTypedValues(text);
        if (const int line = lineWithUnbalancedQuote(text)) {
            // Written back, the file would lose every line after the quote:
            // it stays as it is, and a copy keeps the user's text in any case.
            const QString copy = path_ + QStringLiteral(".broken");
            const bool kept = !copyFileAtomically(path_, copy).has_value();
            refuseWrites(
                QStringLiteral("The settings file <%1> cannot be read whole: line %2 "
                               "opens a quote that is never closed, which hides the "
                               "lines after it. The file is left as it is%3; mend it "
                               "to get those lines back. %4")
                    .arg(path_, QString::number(line),
                         kept ? QStringLiteral(" (a copy is kept as <%1>)").arg(copy) : QString(),
                         NotSaved));
        }
    }
    settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
    if (refusal_.isEmpty() && !settings_->isWritable())
        refuseWrites(
            QStringLiteral("The settings file <%1> cannot be written. %2").arg(path_, NotSaved));
    // Kept as typed when the file is next written (quoted, as the settings
    // writer stores such values).
    if (refusal_.isEmpty()) {
        for (auto it = literal_.cbegin(); it != literal_.cend(); ++it)
            settings_->setValue(it.key(), it.value());
    }
}

IniKeyStore::~IniKeyStore() = default;

void IniKeyStore::setProblemReporter(std::function<void(const QString&)> report) {
    report_ = std::move(report);
    if (!pending_.isEmpty())
        tell(std::exchange(pending_, QString()));
}

void IniKeyStore::tell(const QString& problem) {
    if (told_)
        return;
    if (!report_) {
        if (pending_.isEmpty())
            pending_ = problem;
        return;
    }
    told_ = true;
    report_(problem);
}

void IniKeyStore::refuseWrites(const QString& problem) {
    if (refusal_.isEmpty())
        refusal_ = problem;
    tell(problem);
}

bool IniKeyStore::canWrite() {
    if (!settings_ || !refusal_.isEmpty())
        return false;
    if (!settings_->isWritable()) {
        refuseWrites(
            QStringLiteral("The settings file <%1> cannot be written. %2").arg(path_, NotSaved));
        return false;
    }
    return true;
}

bool IniKeyStore::keyExists(const QString& key) const {
    if (!settings_)
        return false;
    // QSettings keeps no empty group: a key exists through its values and sub-keys.
    if (key.isEmpty())
        return !settings_->allKeys().isEmpty();
    settings_->beginGroup(groupOf(key));
    const bool exists = !settings_->allKeys().isEmpty();
    settings_->endGroup();
    return exists;
}

bool IniKeyStore::createKey(const QString&) {
    return canWrite();
}

bool IniKeyStore::deleteKey(const QString& key) {
    if (!keyExists(key) || !canWrite())
        return false;
    const QString prefix = key.isEmpty() ? QString() : groupOf(key) + QLatin1Char('/');
    for (auto it = literal_.begin(); it != literal_.end();)
        it = it.key().startsWith(prefix) ? literal_.erase(it) : std::next(it);
    if (key.isEmpty())
        settings_->clear();
    else
        settings_->remove(groupOf(key));
    return true;
}

std::optional<QString> IniKeyStore::readText(const QString& key, const QString& name) const {
    if (!settings_)
        return std::nullopt;
    const QString path = valuePath(key, name);
    if (const auto typed = literal_.constFind(path); typed != literal_.cend())
        return *typed;
    const QVariant value = settings_->value(path);
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
    if (!canWrite())
        return false;
    literal_.remove(valuePath(key, name));
    settings_->setValue(valuePath(key, name), value);
    return true;
}

bool IniKeyStore::writeText(const QString& key, const QString& name, const QString& value) {
    if (!canWrite())
        return false;
    literal_.remove(valuePath(key, name));
    settings_->setValue(valuePath(key, name), value);
    return true;
}

bool IniKeyStore::flush() {
    if (!settings_)
        return false;
    settings_->sync();
    // A format error only says that lines of a hand-edited file were skipped
    // when it was read; the file is still rewritten, with what could be read.
    if (settings_->status() == QSettings::AccessError) {
        refuseWrites(
            QStringLiteral("The settings file <%1> cannot be written. %2").arg(path_, NotSaved));
        return false;
    }
    return true;
}

void IniKeyStore::updateShared(const std::function<void()>& update) {
    if (!settings_ || !refusal_.isEmpty()) {
        update();
        return;
    }
    // Without the lock (a folder that cannot hold it) the update still runs:
    // an editor that freezes is worse than one entry lost.
    QLockFile lock(path_ + QStringLiteral(".quaredit-lock"));
    lock.tryLock(SharedLockWaitMs);
    settings_->sync(); // reads in what the other editors wrote
    update();
    flush();
}

} // namespace quaredit
