#include "core/documents/AsmTokenizer.h"

#include "core/documents/AsmWords.h"
#include "core/project/DirectiveScan.h"
#include "core/tools/Labels.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

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

bool isRegister(const uchar* s, qsizetype n) {
    if (n == 2) {
        const uchar a = lower(s[0]), b = s[1];
        if ((a == 'd' || a == 'a') && b >= '0' && b <= '7')
            return true;
        const uchar l = lower(b);
        return (a == 's' && (l == 'p' || l == 'r')) || (a == 'p' && l == 'c');
    }
    if (n == 3) {
        const uchar a = lower(s[0]), b = lower(s[1]), c = lower(s[2]);
        return (a == 'c' && b == 'c' && c == 'r') || (a == 'u' && b == 's' && c == 'p');
    }
    return false;
}

void fill(uchar* out, qsizetype from, qsizetype to, AsmClass cls) {
    std::memset(out + from, int(cls), size_t(to - from));
}

// Classifies one line. It is given the rest of the text from the line's
// start and finds the line's end itself while it reads, so that most lines
// are read once; only a comment looks ahead for the end. The classes are
// written strictly from left to right, a short run as whole eight-byte words
// whose tails the next runs overwrite.
class LineClassifier {
public:
    LineClassifier(const uchar* s, qsizetype rest, uchar* out) : s_(s), n_(rest), out_(out) {}

    // Classifies the line and returns its length (without the break);
    // `end` tells whether it holds the `end` directive.
    qsizetype run(bool& end) {
        classify(end);
        const qsizetype length = lineEnd();
        mark(length, AsmClass::Default);
        return length;
    }

private:
    void classify(bool& end) {
        if (n_ == 0)
            return;
        qsizetype i = 0;
        const uchar first = s_[0];
        if (first == '*' || first == ';') {
            mark(lineEnd(), AsmClass::Comment);
            return;
        }
        if (kinds[first] != Blank && kinds[first] != LineBreak)
            i = label();
        i = skipBlanks(i);
        if (i >= n_ || kinds[s_[i]] == LineBreak) {
            end_ = i;
            return;
        }
        i = operation(i, end);
        operands(i);
    }

    qsizetype lineEnd() {
        if (end_ < 0)
            end_ = lineBreak(QByteArrayView(reinterpret_cast<const char*>(s_), n_), 0);
        return end_;
    }

    // Classes [done_, to) as `cls`.
    void mark(qsizetype to, AsmClass cls) {
        const qsizetype length = to - done_;
        if (length <= 0)
            return;
        uchar* p = out_ + done_;
        if (length <= 32 && done_ + 32 <= n_) {
            // Four stores without a branch beat a call for the short runs
            // that make up a line.
            const std::uint64_t word = 0x0101010101010101ull * uchar(cls);
            std::memcpy(p, &word, 8);
            std::memcpy(p + 8, &word, 8);
            std::memcpy(p + 16, &word, 8);
            std::memcpy(p + 24, &word, 8);
        } else {
            std::memset(p, int(cls), size_t(length));
        }
        done_ = to;
    }

    void token(qsizetype from, qsizetype to, AsmClass cls) {
        mark(from, AsmClass::Default);
        mark(to, cls);
    }

    void commentFrom(qsizetype i) { token(i, lineEnd(), AsmClass::Comment); }

    qsizetype skipBlanks(qsizetype i) const {
        while (i < n_ && kinds[s_[i]] == Blank)
            ++i;
        return i;
    }

    qsizetype nameEnd(qsizetype i) const {
        while (i < n_ && namePart[s_[i]])
            ++i;
        return i;
    }

    // The name that the labels window lists for this line, cut at a comment.
    qsizetype label() {
        const QByteArrayView line(reinterpret_cast<const char*>(s_), lineEnd());
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
            commentFrom(i);
            return end_;
        }
        if (c == '=') { // name = value, the short form of equ
            token(i, i + 1, AsmClass::Directive);
            return i + 1;
        }
        if (kinds[c] != Letter)
            return i;
        const qsizetype wordEnd = nameEnd(i);
        const AsmWordKind kind =
            asmWordKind(QByteArrayView(reinterpret_cast<const char*>(s_ + i), wordEnd - i));
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
        if (i + 1 < n_ && s_[i] == '.' && isSizeSuffix(s_[i + 1]) &&
            (i + 2 == n_ || !namePart[s_[i + 2]]))
            return i + 2;
        return i;
    }

    void operands(qsizetype i) {
        while (i < n_) {
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
                end_ = i;
                return;
            case Semicolon:
                commentFrom(i);
                return;
            case Quote: {
                qsizetype j = i + 1;
                while (j < n_ && s_[j] != c && kinds[s_[j]] != LineBreak)
                    ++j;
                if (j < n_ && s_[j] == c)
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
        end_ = n_;
    }

    // A prefix and at least one digit of its base; a lone prefix is punctuation.
    template <typename IsDigit> qsizetype number(qsizetype i, IsDigit isDigit) {
        qsizetype j = i + 1;
        while (j < n_ && isDigit(s_[j]))
            ++j;
        if (j == i + 1)
            return j;
        token(i, j, AsmClass::Number);
        return j;
    }

    // "12" is a number, "1$" a local label.
    qsizetype decimal(qsizetype i) {
        qsizetype j = i;
        while (j < n_ && kinds[s_[j]] == Digit)
            ++j;
        if (j < n_ && s_[j] == '$') {
            token(i, j + 1, AsmClass::LocalLabel);
            return j + 1;
        }
        if (j < n_ && namePart[s_[j]]) // "1st": neither a number nor a register
            return nameEnd(j);
        token(i, j, AsmClass::Number);
        return j;
    }

    qsizetype name(qsizetype i) {
        qsizetype j = nameEnd(i);
        // library::function, as the kernels' headers name their entries.
        if (j + 2 < n_ && s_[j] == ':' && s_[j + 1] == ':' && kinds[s_[j + 2]] == Letter) {
            j = nameEnd(j + 2);
            token(i, j, AsmClass::LibraryCall);
            return j;
        }
        if (std::find(s_ + i + 1, s_ + j, uchar('@')) != s_ + j) {
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
        if (i + 1 < n_ && kinds[s_[i + 1]] == Digit)
            return nameEnd(i + 1);
        if (i + 1 >= n_ || kinds[s_[i + 1]] != Letter)
            return i + 1;
        const qsizetype j = nameEnd(i + 1);
        token(i, j, AsmClass::LocalLabel);
        return j;
    }

    // ".loop" is a local label unless the dot follows a name or a bracket,
    // where it starts a size (label.w, ($FF).w).
    qsizetype dot(qsizetype i) {
        const bool afterName = i > 0 && (namePart[s_[i - 1]] || s_[i - 1] == ')');
        if (afterName || i + 1 >= n_ || kinds[s_[i + 1]] != Letter)
            return afterName ? nameEnd(i + 1) : i + 1;
        const qsizetype j = nameEnd(i + 1);
        token(i, j, AsmClass::LocalLabel);
        return j;
    }

    const uchar* s_;
    qsizetype n_; // what is left of the text from the line's start
    uchar* out_;
    qsizetype done_ = 0;
    qsizetype end_ = -1; // the line's length, once known
};

} // namespace

AsmState classifyAsm(QByteArrayView text, AsmState state, unsigned char* classes) {
    const auto* s = reinterpret_cast<const uchar*>(text.data());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        qsizetype e;
        if (state.afterEnd) {
            e = lineBreak(text, i);
            fill(classes, i, e, AsmClass::Comment);
        } else {
            bool end = false;
            e = i + LineClassifier(s + i, n - i, classes + i).run(end);
            state.afterEnd = end;
        }
        if (e >= n)
            break;
        const qsizetype next = s[e] == '\r' && e + 1 < n && s[e + 1] == '\n' ? e + 2 : e + 1;
        fill(classes, e, next, state.afterEnd ? AsmClass::Comment : AsmClass::Default);
        i = next;
    }
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
