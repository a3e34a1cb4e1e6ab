#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>
#include <bit>
#include <optional>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quaredit {

// Every search here reads the text as the editor holds it: Latin-1 bytes, one
// byte one character, so offsets are byte offsets. Ignoring case compares the
// Unicode case folds of the characters, as Qt does for strings ("É" matches
// "é"); a byte whose fold lies outside Latin-1 ("µ") stands for itself.

// Offset of the first case-insensitive, whole-word occurrence of `word` at or
// after `from`: the characters around the match, where there are any, are not
// letters, digits or underscores (Latin-1 letters and digits count, "é" and
// "²" among them). Comments and strings are not skipped. The find dialog's
// "match case" is the only caller that passes CaseSensitive.
std::optional<qsizetype> findWord(QByteArrayView text, QByteArrayView word, qsizetype from,
                                  Qt::CaseSensitivity cs = Qt::CaseInsensitive);

// Offset of the first case-insensitive occurrence of `needle` at or after
// `from`, anywhere in a word.
std::optional<qsizetype> findPlain(QByteArrayView text, QByteArrayView needle, qsizetype from,
                                   Qt::CaseSensitivity cs = Qt::CaseInsensitive);

// Offset of the first CR or LF at or after `from`, or the text's size.
// Inline: the colouring calls it once per line, most lines are short.
inline qsizetype lineBreak(QByteArrayView text, qsizetype from) {
    const char* t = text.data();
    const qsizetype n = text.size();
    qsizetype i = qBound(qsizetype(0), from, n);
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= n; i += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + i));
        const unsigned mask =
            unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(a, cr), _mm_cmpeq_epi8(a, lf))));
        if (mask != 0)
            return i + std::countr_zero(mask);
    }
#endif
    while (i < n && t[i] != '\n' && t[i] != '\r')
        ++i;
    return i;
}

// Orders two texts ignoring case as QString::compare does: by the Unicode case
// folds of their characters ("µ" after "ÿ"), a text before any longer one
// it begins. Negative, zero or positive.
int compareIgnoringCase(QByteArrayView a, QByteArrayView b);

// The bytes that a typed search text stands for in Latin-1 text, one byte per
// character, or nullopt when one of its characters can match no byte at all.
// A character outside Latin-1 never matches with case; without case it
// matches the Latin-1 character of the same case fold ("μ" finds "µ", the
// Kelvin sign finds "k"), when there is one.
std::optional<QByteArray> latin1Needle(QStringView needle, Qt::CaseSensitivity cs);

} // namespace quaredit
