#include "core/asm/AsmTokenizer.h"

#include "core/asm/AsmWords.h"
#include "core/asm/DirectiveScan.h"
#include "core/asm/Labels.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace quaredit {

namespace {

using uchar = unsigned char;

// What each byte can start or continue. Bytes above 127 are letters of
// Latin-1 and belong to names.
enum Kind : uchar {
    Other,
    Blank,  // space, tab and the other control characters
    Letter, // letters, "_", Latin-1 letters
    Digit,
    Quote, // ' or "
    Semicolon,
    Hash,
    Dollar,
    Percent,
    At,
    Backslash,
    Dot,
    LineBreak, // CR or LF
};

constexpr std::array<uchar, 256> kinds = [] {
    std::array<uchar, 256> k{};
    for (int c = 0; c < 256; ++c) {
        if (c <= 32)
            k[c] = Blank;
        else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 128)
            k[c] = Letter;
        else if (c >= '0' && c <= '9')
            k[c] = Digit;
        else
            k[c] = Other;
    }
    k[127] = Blank;
    k['\r'] = LineBreak;
    k['\n'] = LineBreak;
    k['\''] = Quote;
    k['"'] = Quote;
    k[';'] = Semicolon;
    k['#'] = Hash;
    k['$'] = Dollar;
    k['%'] = Percent;
    k['@'] = At;
    k['\\'] = Backslash;
    k['.'] = Dot;
    return k;
}();

// A name goes on with letters, digits, "_" and "@" (library@0001).
constexpr std::array<bool, 256> namePart = [] {
    std::array<bool, 256> p{};
    for (int c = 0; c < 256; ++c)
        p[c] = kinds[c] == Letter || kinds[c] == Digit || c == '@';
    return p;
}();

constexpr std::array<uchar, 256> hexDigit = [] {
    std::array<uchar, 256> h{};
    for (int c = 0; c < 256; ++c)
        h[c] = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    return h;
}();

uchar lower(uchar c) {
    return c | 0x20;
}

bool isSizeSuffix(uchar c) {
    const uchar l = lower(c);
    return l == 'b' || l == 'w' || l == 'l' || l == 's';
}

// Eight bytes from `p`, the first in the lowest bits.
std::uint64_t load8(const uchar* p) {
    std::uint64_t raw = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&raw, p, 8);
    } else {
        for (int k = 0; k < 8; ++k)
            raw |= std::uint64_t(p[k]) << (8 * k);
    }
    return raw;
}

// The low `length` bytes (at most eight) of a word.
std::uint64_t lowBytes(qsizetype length) {
    return length >= 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * length)) - 1;
}

// The key of the word of `length` (at most eight) bytes at `p`, which has
// eight readable bytes.
std::uint64_t wordKey(const uchar* p, qsizetype length) {
    return (load8(p) | 0x2020202020202020ull) & lowBytes(length);
}

constexpr std::uint64_t keyOf(const char* word) {
    std::uint64_t key = 0;
    for (int k = 0; word[k] != 0; ++k)
        key |= std::uint64_t(uchar(word[k])) << (8 * k);
    return key;
}

// Whether the name of `length` bytes at `p` (eight readable) is a register.
// A name is letters, digits, "_", "@" and Latin-1 bytes, none of which the
// lower-case bit turns into a digit or a letter it is not.
bool isRegister(const uchar* p, qsizetype length) {
    if (length != 2 && length != 3)
        return false;
    const std::uint64_t key = wordKey(p, length);
    if (length == 3)
        return key == keyOf("ccr") || key == keyOf("usp");
    const unsigned first = unsigned(key & 0xff);
    const unsigned second = unsigned(key >> 8);
    return ((first == 'd' || first == 'a') && second - '0' < 8) || key == keyOf("sp") ||
           key == keyOf("sr") || key == keyOf("pc");
}

// Whether the name of `length` bytes at `p` (eight readable) has an "@"
// after its first byte, as library@0001 has.
bool hasAtAfterFirst(const uchar* p, qsizetype length) {
    if (length > 8)
        return std::find(p + 1, p + length, uchar('@')) != p + length;
    const std::uint64_t inside = lowBytes(length) & ~std::uint64_t(0xff);
    // Bytes equal to "@" become zero, bytes outside the name 0xff.
    const std::uint64_t v = (load8(p) ^ 0x4040404040404040ull) | ~inside;
    return ((v - 0x0101010101010101ull) & ~v & 0x8080808080808080ull) != 0;
}

// Every line is read with its line break as a sentinel and at least
// `Slack` readable and writable bytes after it, so that the loops over a line
// need no bounds check and a short token is stored as one or two 16-byte
// words.
constexpr qsizetype Slack = 32;

#ifdef __SSE2__
// 16 bytes of 0xff, then 16 of zero: a load at (16 - n) is a mask of n bytes.
alignas(16) constexpr uchar headMasks[32] = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff,
                                             0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff};
#endif

// Classifies one line [0, e) of a text whose byte at e is a line break. The
// output is Default (zero) from the line's start on when it begins, and
// tokens are written from left to right: a short token's store may spill
// zeros past its end, which is what is there already.
class LineClassifier {
public:
    LineClassifier(const uchar* s, qsizetype e, uchar* out) : s_(s), e_(e), out_(out) {}

    // Returns whether the line holds the `end` directive.
    bool run() {
        const uchar first = s_[0];
        if (first == '*' || first == ';') {
            token(0, e_, AsmClass::Comment);
            return false;
        }
        qsizetype i = kinds[first] == Blank || kinds[first] == LineBreak ? 0 : label();
        i = skipBlanks(i);
        if (i >= e_)
            return false;
        bool end = false;
        i = operation(i, end);
        operands(i);
        return end;
    }

private:
    void fill(qsizetype from, qsizetype to, AsmClass cls) {
        std::memset(out_ + from, int(cls), size_t(to - from));
    }

    void token(qsizetype from, qsizetype to, AsmClass cls) {
        const qsizetype length = to - from;
#ifdef __SSE2__
        // Most tokens, and most comments, are shorter than 32 bytes.
        if (length <= 32) {
            const __m128i word = _mm_set1_epi8(char(cls));
            auto* p = reinterpret_cast<__m128i*>(out_ + from);
            if (length > 16) {
                _mm_storeu_si128(p, word);
                ++p;
            }
            const qsizetype rest = length > 16 ? length - 16 : length;
            const __m128i mask =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(headMasks + 16 - rest));
            _mm_storeu_si128(p, _mm_and_si128(word, mask));
            return;
        }
#endif
        fill(from, to, cls);
    }

    qsizetype skipBlanks(qsizetype i) const {
        while (kinds[s_[i]] == Blank)
            ++i;
        return i;
    }

    qsizetype nameEnd(qsizetype i) const {
        while (namePart[s_[i]])
            ++i;
        return i;
    }

    // The name that the labels window lists for this line, cut at a comment.
    qsizetype label() {
        const QByteArrayView line(reinterpret_cast<const char*>(s_), e_);
        const auto name = labelName(line);
        if (!name)
            return 0;
        const qsizetype start = name->data() - line.data();
        qsizetype end = start + name->size();
        if (const void* semicolon = std::memchr(name->data(), ';', size_t(name->size())))
            end = static_cast<const char*>(semicolon) - line.data();
        if (end > start) {
            const uchar c = s_[start];
            const bool local = c == '\\' || c == '.' || s_[end - 1] == '$' ||
                               (end - start >= 2 && s_[end - 1] == ':' && s_[end - 2] == '$');
            token(start, end, local ? AsmClass::LocalLabel : AsmClass::Label);
        }
        return end;
    }

    // The first word after the label: an instruction, a directive or a macro.
    qsizetype operation(qsizetype i, bool& end) {
        const uchar c = s_[i];
        if (c == ';') {
            token(i, e_, AsmClass::Comment);
            return e_;
        }
        if (c == '=') { // name = value, the short form of equ
            token(i, i + 1, AsmClass::Directive);
            return i + 1;
        }
        if (kinds[c] != Letter)
            return i;
        const qsizetype wordEnd = nameEnd(i);
        const qsizetype length = wordEnd - i;
        const AsmWordKind kind = length <= AsmWordKeyLength
                                     ? asmWordKindOfKey(wordKey(s_ + i, length))
                                     : AsmWordKind::None;
        if (kind == AsmWordKind::None)
            return wordEnd;
        const qsizetype tokenEnd = withSize(wordEnd);
        token(i, tokenEnd,
              kind == AsmWordKind::Mnemonic ? AsmClass::Mnemonic : AsmClass::Directive);
        end = kind == AsmWordKind::End;
        return tokenEnd;
    }

    // Past a size suffix (".b", ".w", ".l", ".s") at `i`, when there is one.
    qsizetype withSize(qsizetype i) const {
        if (s_[i] == '.' && isSizeSuffix(s_[i + 1]) && !namePart[s_[i + 2]])
            return i + 2;
        return i;
    }

    void operands(qsizetype i) {
        while (true) {
            const uchar c = s_[i];
            const uchar kind = kinds[c];
            // Names, punctuation and blanks make most of an operand field.
            if (kind == Letter) {
                i = name(i);
                continue;
            }
            if (kind == Other || kind == Blank) {
                ++i;
                continue;
            }
            switch (kind) {
            case LineBreak:
                return;
            case Semicolon:
                token(i, e_, AsmClass::Comment);
                return;
            case Quote: {
                qsizetype j = i + 1;
                while (s_[j] != c && kinds[s_[j]] != LineBreak)
                    ++j;
                if (s_[j] == c)
                    ++j; // the closing quote; without one the string ends with the line
                token(i, j, AsmClass::String);
                i = j;
                break;
            }
            case Hash:
                token(i, i + 1, AsmClass::Immediate);
                ++i;
                break;
            case Dollar:
                i = number(i, [](uchar d) { return hexDigit[d] != 0; });
                break;
            case Percent:
                i = number(i, [](uchar d) { return d == '0' || d == '1'; });
                break;
            case At:
                i = number(i, [](uchar d) { return d >= '0' && d <= '7'; });
                break;
            case Digit:
                i = decimal(i);
                break;
            case Backslash:
                i = localName(i);
                break;
            case Dot:
                i = dot(i);
                break;
            default:
                ++i;
                break;
            }
        }
    }

    // A prefix and at least one digit of its base; a lone prefix is punctuation.
    template <typename IsDigit> qsizetype number(qsizetype i, IsDigit isDigit) {
        qsizetype j = i + 1;
        while (isDigit(s_[j]))
            ++j;
        if (j == i + 1)
            return j;
        token(i, j, AsmClass::Number);
        return j;
    }

    // "12" is a number, "1$" a local label.
    qsizetype decimal(qsizetype i) {
        qsizetype j = i;
        while (kinds[s_[j]] == Digit)
            ++j;
        if (s_[j] == '$') {
            token(i, j + 1, AsmClass::LocalLabel);
            return j + 1;
        }
        if (namePart[s_[j]]) // "1st": neither a number nor a register
            return nameEnd(j);
        token(i, j, AsmClass::Number);
        return j;
    }

    qsizetype name(qsizetype i) {
        qsizetype j = nameEnd(i);
        // library::function, as the kernels' headers name their entries.
        if (s_[j] == ':' && s_[j + 1] == ':' && kinds[s_[j + 2]] == Letter) {
            j = nameEnd(j + 2);
            token(i, j, AsmClass::LibraryCall);
            return j;
        }
        if (hasAtAfterFirst(s_ + i, j - i)) {
            token(i, j, AsmClass::LibraryCall);
            return j;
        }
        if (isRegister(s_ + i, j - i)) {
            // An index register's size, as in (a0,d0.w), belongs to it.
            j = withSize(j);
            token(i, j, AsmClass::Register);
        }
        return j;
    }

    // "\loop" is a local label; "\1" a macro's argument, left plain.
    qsizetype localName(qsizetype i) {
        if (kinds[s_[i + 1]] == Digit)
            return nameEnd(i + 1);
        if (kinds[s_[i + 1]] != Letter)
            return i + 1;
        const qsizetype j = nameEnd(i + 1);
        token(i, j, AsmClass::LocalLabel);
        return j;
    }

    // ".loop" is a local label unless the dot follows a name or a bracket,
    // where it starts a size (label.w, ($FF).w).
    qsizetype dot(qsizetype i) {
        const bool afterName = i > 0 && (namePart[s_[i - 1]] || s_[i - 1] == ')');
        if (afterName || kinds[s_[i + 1]] != Letter)
            return afterName ? nameEnd(i + 1) : i + 1;
        const qsizetype j = nameEnd(i + 1);
        token(i, j, AsmClass::LocalLabel);
        return j;
    }

    const uchar* s_;
    qsizetype e_; // the line's length; s_[e_] is its break
    uchar* out_;
};

// Classifies the lines that start before `n`, stopping at the first line
// whose end leaves fewer than `Slack` bytes before `limit`, the end of what
// may be read and written. Returns where it stopped.
qsizetype classifyLines(const uchar* s, qsizetype n, qsizetype limit, uchar* out, AsmState& state) {
    const QByteArrayView text(reinterpret_cast<const char*>(s), limit);
    qsizetype i = 0;
    while (i < n) {
        const qsizetype e = lineBreak(text, i);
        if (e + Slack > limit)
            return i;
        if (state.afterEnd)
            std::memset(out + i, int(AsmClass::Comment), size_t(e - i));
        else
            state.afterEnd = LineClassifier(s + i, e - i, out + i).run();
        const qsizetype next = s[e] == '\r' && s[e + 1] == '\n' ? e + 2 : e + 1;
        if (state.afterEnd)
            std::memset(out + e, int(AsmClass::Comment), size_t(next - e));
        i = next;
    }
    return n;
}

} // namespace

AsmState classifyAsm(QByteArrayView text, AsmState state, unsigned char* classes) {
    const auto* s = reinterpret_cast<const uchar*>(text.data());
    const qsizetype n = text.size();
    if (n == 0)
        return state;
    std::memset(classes, int(AsmClass::Default), size_t(n));
    const qsizetype done = classifyLines(s, n, n, classes, state);
    if (done == n)
        return state;
    // The last lines, copied with a line break after them and room behind.
    const qsizetype rest = n - done;
    QByteArray tail(rest + 1 + Slack, '\n');
    std::copy(s + done, s + n, tail.begin());
    QByteArray tailClasses(tail.size(), char(AsmClass::Default));
    classifyLines(reinterpret_cast<const uchar*>(tail.constData()), rest, tail.size(),
                  reinterpret_cast<uchar*>(tailClasses.data()), state);
    std::copy(tailClasses.cbegin(), tailClasses.cbegin() + rest, classes + done);
    return state;
}

QVector<AsmToken> asmTokens(QByteArrayView line, AsmState state) {
    QByteArray classes(line.size(), '\0');
    classifyAsm(line, state, reinterpret_cast<uchar*>(classes.data()));
    QVector<AsmToken> tokens;
    qsizetype i = 0;
    while (i < classes.size()) {
        qsizetype j = i + 1;
        while (j < classes.size() && classes[j] == classes[i])
            ++j;
        const auto cls = AsmClass(uchar(classes[i]));
        if (cls != AsmClass::Default)
            tokens.append({i, j - i, cls});
        i = j;
    }
    return tokens;
}

} // namespace quaredit
