#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace quaredit {

// A tree of keys holding named integer and text values, below the settings
// root. Key paths use "\" between keys ("Options\User"); the empty path is the
// settings root itself. Implementations: MemoryKeyStore (tests) and the INI
// file store of the platform layer.
class KeyStore {
public:
    virtual ~KeyStore() = default;

    virtual bool keyExists(const QString& key) const = 0;
    // Creates the key (and its parents) if needed; false when that is not possible.
    virtual bool createKey(const QString& key) = 0;
    // Deletes the key with every value and key below it.
    virtual bool deleteKey(const QString& key) = 0;

    // nullopt when the value is missing, or for readInt when it is not a 32-bit number.
    virtual std::optional<qint32> readInt(const QString& key, const QString& name) const = 0;
    virtual std::optional<QString> readText(const QString& key, const QString& name) const = 0;
    virtual bool writeInt(const QString& key, const QString& name, qint32 value) = 0;
    virtual bool writeText(const QString& key, const QString& name, const QString& value) = 0;

    // Makes the writes so far durable; false when they could not be stored.
    virtual bool flush() { return true; }

    // True when the store refuses every write during this run and has
    // already told the user why: a failed write need not be told again.
    virtual bool refusalTold() const { return false; }

    // Runs `update` on values that other editors running at the same time
    // also change (the recent files): first what they wrote is read in, and
    // none of them writes until `update` is done.
    virtual void updateShared(const std::function<void()>& update) { update(); }

    // What a closing key asks for: a flush, or within a batch (below) a
    // flush at the batch's end.
    void flushOrDefer() {
        if (batchDepth_ > 0)
            flushDeferred_ = true;
        else
            flush();
    }

private:
    friend class KeyBatch;
    int batchDepth_ = 0;
    bool flushDeferred_ = false;
};

// Writes through several keys that reach the disk together: the keys closed
// while a batch lives are flushed once, when it ends, instead of one file
// rewrite (and one wait for the disk) each.
class KeyBatch {
public:
    explicit KeyBatch(KeyStore& store) : store_(store) { ++store_.batchDepth_; }
    ~KeyBatch() {
        if (--store_.batchDepth_ == 0 && store_.flushDeferred_) {
            store_.flushDeferred_ = false;
            store_.flush();
        }
    }
    KeyBatch(const KeyBatch&) = delete;
    KeyBatch& operator=(const KeyBatch&) = delete;

private:
    KeyStore& store_;
};

// One opened key, as the registry model has it: open with or without creating,
// read and write values, close when it goes out of scope.
class RegKey {
public:
    RegKey(KeyStore& store, const QString& key, bool create)
        : store_(store), key_(key), open_(create ? store.createKey(key) : store.keyExists(key)) {}
    ~RegKey() { close(); }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    bool isOpen() const { return open_; }
    void close() {
        if (open_) {
            store_.flushOrDefer();
            open_ = false;
        }
    }

    std::optional<qint32> readInt(const QString& name) const {
        return open_ ? store_.readInt(key_, name) : std::nullopt;
    }
    qint32 readInt(const QString& name, qint32 fallback) const {
        return readInt(name).value_or(fallback);
    }
    // A text value that does not exist reads as the empty text.
    QString readText(const QString& name) const {
        return open_ ? store_.readText(key_, name).value_or(QString()) : QString();
    }
    bool writeInt(const QString& name, qint32 value) {
        return open_ && store_.writeInt(key_, name, value);
    }
    bool writeText(const QString& name, const QString& value) {
        return open_ && store_.writeText(key_, name, value);
    }

private:
    KeyStore& store_;
    QString key_;
    bool open_;
};

} // namespace quaredit
