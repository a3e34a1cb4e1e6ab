#pragma once

// What every target shares: the fuzzer's bytes as the program would see
// them, and a small reader that takes numbers off the front.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstddef>
#include <cstdint>

struct FuzzInput {
    const uint8_t* data;
    size_t size;

    QByteArrayView bytes() const { return {reinterpret_cast<const char*>(data), qsizetype(size)}; }
    QByteArray copy() const { return bytes().toByteArray(); }
    // Takes one byte off the front (0 when none is left).
    uint8_t take() {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }
};

// The editor's bytes are Latin-1: one byte one character.
inline QString latin1(QByteArrayView bytes) {
    return QString::fromLatin1(bytes);
}
