#include "core/text/Latin1Search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quaredit {

namespace {

// What the searches need to know of each Latin-1 character, taken from Qt's
// own Unicode tables once, so that the answers stay those of QString.
struct Latin1Tables {
    std::array<char16_t, 256> unicodeFold; // QChar::toCaseFolded
    std::array<uchar, 256> fold;           // the same, or the byte itself when it leaves Latin-1
    std::array<uchar, 256> partner;        // the other byte of the same fold, or the byte itself
    std::array<uchar, 256> caseBit;        // the bit in which the byte and its partner differ
    std::array<bool, 256> word;            // letter, digit or underscore
};

const Latin1Tables& latin1() {
    static const Latin1Tables tables = [] {
        Latin1Tables t{};
        for (int b = 0; b < 256; ++b) {
            const QChar c{char16_t(b)};
            t.unicodeFold[b] = c.toCaseFolded().unicode();
            t.fold[b] = uchar(t.unicodeFold[b] < 256 ? t.unicodeFold[b] : b);
            t.partner[b] = uchar(b);
            t.word[b] = c.isLetterOrNumber() || b == '_';
        }
        // Latin-1 has at most two characters of one fold (a letter and its
        // capital), which is what lets a search look for just two bytes.
        for (int b = 0; b < 256; ++b) {
            for (int c = 0; c < 256; ++c) {
                if (c != b && t.fold[c] == t.fold[b]) {
                    Q_ASSERT(t.partner[b] == b);
                    t.partner[b] = uchar(c);
                }
            }
            // And the two differ in one bit (0x20), so one OR and one
            // comparison test a byte for both.
            t.caseBit[b] = uchar(b ^ t.partner[b]);
            Q_ASSERT(std::has_single_bit(unsigned(t.caseBit[b])) || t.caseBit[b] == 0);
        }
        return t;
    }();
    return tables;
}

// One needle prepared for repeated searches of one text. Candidates are the
// places whose first and last characters match, sixteen at a time where the
// processor allows; only those are compared in full.
class Searcher {
public:
    Searcher(QByteArrayView text, QByteArrayView needle, Qt::CaseSensitivity cs)
        : t_(reinterpret_cast<const uchar*>(text.data())), n_(text.size()),
          p_(reinterpret_cast<const uchar*>(needle.data())), m_(needle.size()),
          fold_(cs == Qt::CaseInsensitive), tables_(latin1()) {
        Q_ASSERT(m_ > 0);
        // A byte x is one of the pair {c, c ^ bit} exactly when x | bit == c | bit.
        firstBit_ = fold_ ? tables_.caseBit[p_[0]] : 0;
        lastBit_ = fold_ ? tables_.caseBit[p_[m_ - 1]] : 0;
        first_ = p_[0] | firstBit_;
        last_ = p_[m_ - 1] | lastBit_;
    }

    qsizetype find(qsizetype from) const {
        const qsizetype lastStart = n_ - m_;
        qsizetype i = std::max(from, qsizetype(0));
        if (i > lastStart)
            return -1;
#ifdef __SSE2__
        const __m128i first = _mm_set1_epi8(char(first_));
        const __m128i firstBit = _mm_set1_epi8(char(firstBit_));
        const __m128i last = _mm_set1_epi8(char(last_));
        const __m128i lastBit = _mm_set1_epi8(char(lastBit_));
        // Both loads of a block stay inside the text: the last one ends at
        // i + 15 + m - 1 <= lastStart + m - 1 = n - 1.
        for (; i + 15 <= lastStart; i += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t_ + i));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t_ + i + m_ - 1));
            const __m128i firsts = _mm_cmpeq_epi8(_mm_or_si128(a, firstBit), first);
            const __m128i lasts = _mm_cmpeq_epi8(_mm_or_si128(b, lastBit), last);
            unsigned mask = unsigned(_mm_movemask_epi8(_mm_and_si128(firsts, lasts)));
            while (mask != 0) {
                const qsizetype at = i + std::countr_zero(mask);
                if (middleMatches(at))
                    return at;
                mask &= mask - 1;
            }
        }
#endif
        for (; i <= lastStart; ++i) {
            if ((t_[i] | firstBit_) == first_ && (t_[i + m_ - 1] | lastBit_) == last_ &&
                middleMatches(i))
                return i;
        }
        return -1;
    }

private:
    // The first and last characters are known to match already.
    bool middleMatches(qsizetype at) const {
        const uchar* s = t_ + at;
        if (!fold_)
            return m_ <= 2 || std::memcmp(s + 1, p_ + 1, size_t(m_ - 2)) == 0;
        for (qsizetype j = 1; j + 1 < m_; ++j) {
            if (tables_.fold[s[j]] != tables_.fold[p_[j]])
                return false;
        }
        return true;
    }

    const uchar* t_;
    qsizetype n_;
    const uchar* p_;
    qsizetype m_;
    bool fold_;
    const Latin1Tables& tables_;
    uchar first_;
    uchar firstBit_;
    uchar last_;
    uchar lastBit_;
};

} // namespace

std::optional<qsizetype> findPlain(QByteArrayView text, QByteArrayView needle, qsizetype from,
                                   Qt::CaseSensitivity cs) {
    if (from < 0)
        from = 0;
    if (needle.isEmpty())
        return from <= text.size() ? std::optional<qsizetype>(from) : std::nullopt;
    const qsizetype at = Searcher(text, needle, cs).find(from);
    return at < 0 ? std::nullopt : std::optional<qsizetype>(at);
}

std::optional<qsizetype> findWord(QByteArrayView text, QByteArrayView word, qsizetype from,
                                  Qt::CaseSensitivity cs) {
    if (word.isEmpty())
        return std::nullopt;
    const Latin1Tables& tables = latin1();
    const auto isWordChar = [&](qsizetype i) { return tables.word[uchar(text[i])]; };
    const Searcher searcher(text, word, cs);
    qsizetype pos = from;
    while (true) {
        const qsizetype at = searcher.find(pos);
        if (at < 0)
            return std::nullopt;
        const qsizetype end = at + word.size();
        const bool startsWord = at == 0 || !isWordChar(at - 1);
        const bool endsWord = end >= text.size() || !isWordChar(end);
        if (startsWord && endsWord)
            return at;
        pos = at + 1;
    }
}

std::optional<QByteArray> latin1Needle(QStringView needle, Qt::CaseSensitivity cs) {
    const Latin1Tables& tables = latin1();
    QByteArray bytes(needle.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < needle.size(); ++i) {
        const char16_t c = needle[i].unicode();
        if (c < 256) {
            bytes[i] = char(c);
            continue;
        }
        if (cs == Qt::CaseSensitive)
            return std::nullopt;
        const char16_t folded = QChar(c).toCaseFolded().unicode();
        const auto same = std::find(tables.unicodeFold.cbegin(), tables.unicodeFold.cend(), folded);
        if (same == tables.unicodeFold.cend())
            return std::nullopt;
        bytes[i] = char(same - tables.unicodeFold.cbegin());
    }
    return bytes;
}

int compareIgnoringCase(QByteArrayView a, QByteArrayView b) {
    const auto& fold = latin1().unicodeFold;
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        // Names sorted side by side mostly share a head; equal bytes fold alike.
        if (a[i] == b[i])
            continue;
        if (const int d = int(fold[uchar(a[i])]) - int(fold[uchar(b[i])]))
            return d;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

} // namespace quaredit
