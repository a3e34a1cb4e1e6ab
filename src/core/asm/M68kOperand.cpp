#include "core/asm/M68kOperand.h"

#include <array>

namespace quaredit::m68k {

namespace {

using uchar = unsigned char;

constexpr std::array<bool, 256> symbolStarts = [] {
    std::array<bool, 256> s{};
    for (int c = 0; c < 256; ++c)
        s[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '.' ||
               c == '\\' || c == '@' || c >= 128;
    return s;
}();

constexpr std::array<bool, 256> symbolParts = [] {
    std::array<bool, 256> s = symbolStarts;
    for (int c = '0'; c <= '9'; ++c)
        s[c] = true;
    s['$'] = true; // local labels: 1$
    return s;
}();

int digitValue(uchar c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c |= 0x20;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 99;
}

// Reads an expression by precedence climbing. A symbol makes the value
// unknown but the text may still be well formed.
class Expression {
public:
    explicit Expression(QByteArrayView t) : t_(t) {}

    bool read(std::int64_t& value, bool& known) {
        known = true;
        if (!binary(0, value, known))
            return false;
        skip();
        return i_ == t_.size();
    }

private:
    uchar at(qsizetype i) const { return i < t_.size() ? uchar(t_[i]) : 0; }
    void skip() {
        while (i_ < t_.size() && (t_[i_] == ' ' || t_[i_] == '\t'))
            ++i_;
    }

    // The operator at the cursor and its precedence (higher binds tighter).
    int op(int& length) const {
        const uchar c = at(i_), d = at(i_ + 1);
        length = 1;
        switch (c) {
        case '*':
        case '/':
            return 5;
        case '+':
        case '-':
            return 4;
        case '<':
        case '>':
            if (d == c) {
                length = 2;
                return 3;
            }
            return -1;
        case '&':
            return 2;
        case '|':
        case '!':
        case '^':
            return 1;
        default:
            return -1;
        }
    }

    bool binary(int minPrecedence, std::int64_t& value, bool& known) {
        if (!unary(value, known))
            return false;
        while (true) {
            skip();
            int length = 0;
            const int precedence = op(length);
            if (precedence < 0 || precedence < minPrecedence)
                return true;
            const uchar c = at(i_);
            i_ += length;
            std::int64_t right = 0;
            if (!binary(precedence + 1, right, known))
                return false;
            switch (c) {
            // The sums wrap around as the assembler's do, never overflow.
            case '*':
                value = std::int64_t(std::uint64_t(value) * std::uint64_t(right));
                break;
            case '/':
                if (right == 0)
                    known = false;
                else if (right == -1)
                    value = std::int64_t(0 - std::uint64_t(value));
                else
                    value /= right;
                break;
            case '+':
                value = std::int64_t(std::uint64_t(value) + std::uint64_t(right));
                break;
            case '-':
                value = std::int64_t(std::uint64_t(value) - std::uint64_t(right));
                break;
            case '<':
                value = right >= 0 && right < 64 ? std::int64_t(std::uint64_t(value) << right) : 0;
                break;
            case '>':
                value = right >= 0 && right < 64 ? value >> right : 0;
                break;
            case '&':
                value &= right;
                break;
            case '^':
                value ^= right;
                break;
            default:
                value |= right;
                break;
            }
        }
    }

    bool unary(std::int64_t& value, bool& known) {
        skip();
        const uchar c = at(i_);
        if (c == '-' || c == '~' || c == '+') {
            ++i_;
            if (!unary(value, known))
                return false;
            value = c == '-' ? std::int64_t(0 - std::uint64_t(value)) : c == '~' ? ~value : value;
            return true;
        }
        if (c == '(') {
            ++i_;
            if (!binary(0, value, known))
                return false;
            skip();
            if (at(i_) != ')')
                return false;
            ++i_;
            return true;
        }
        return term(value, known);
    }

    bool number(int base, std::int64_t& value) {
        const qsizetype first = i_;
        value = 0;
        while (digitValue(at(i_)) < base) {
            value = std::int64_t(std::uint64_t(value) * std::uint64_t(base) +
                                 std::uint64_t(digitValue(at(i_))));
            ++i_;
        }
        return i_ > first;
    }

    bool term(std::int64_t& value, bool& known) {
        const uchar c = at(i_);
        if (c == '$' && digitValue(at(i_ + 1)) < 16) {
            ++i_;
            return number(16, value);
        }
        if (c == '%' && digitValue(at(i_ + 1)) < 2) {
            ++i_;
            return number(2, value);
        }
        if (c == '@' && digitValue(at(i_ + 1)) < 8) {
            ++i_;
            return number(8, value);
        }
        if (c >= '0' && c <= '9') {
            const qsizetype start = i_;
            number(10, value);
            // 1$ and the like are local labels, 0x1F a C-style number.
            if (symbolParts[at(i_)]) {
                if ((at(start + 1) | 0x20) == 'x' && at(start) == '0' && i_ == start + 1) {
                    ++i_;
                    return number(16, value);
                }
                while (symbolParts[at(i_)])
                    ++i_;
                known = false;
            }
            return true;
        }
        if (c == '\'' || c == '"') {
            value = 0;
            ++i_;
            int count = 0;
            while (i_ < t_.size() && at(i_) != c) {
                value = std::int64_t(std::uint64_t(value) << 8 | at(i_));
                ++i_;
                ++count;
            }
            if (at(i_) != c || count == 0 || count > 4)
                return false;
            ++i_;
            return true;
        }
        if (c == '*') { // the location counter
            ++i_;
            known = false;
            return true;
        }
        if (symbolStarts[c]) {
            while (true) {
                while (symbolParts[at(i_)])
                    ++i_;
                // library::function
                if (at(i_) == ':' && at(i_ + 1) == ':' && symbolStarts[at(i_ + 2)]) {
                    i_ += 2;
                    continue;
                }
                break;
            }
            known = false;
            return true;
        }
        return false;
    }

    QByteArrayView t_;
    qsizetype i_ = 0;
};

// Register names: d0-d7 are 0-7, a0-a7 8-15 (sp is a7); -1 for none.
int registerNumber(QByteArrayView t) {
    if (t.size() == 2) {
        const uchar a = uchar(t[0]) | 0x20, b = uchar(t[1]);
        if (b >= '0' && b <= '7') {
            if (a == 'd')
                return b - '0';
            if (a == 'a')
                return 8 + b - '0';
        }
        if (a == 's' && (b | 0x20) == 'p')
            return 15;
    }
    return -1;
}

bool equalsIgnoringCase(QByteArrayView t, const char* word) {
    qsizetype i = 0;
    for (; word[i] != 0; ++i) {
        if (i >= t.size() || (uchar(t[i]) | 0x20) != uchar(word[i]))
            return false;
    }
    return i == t.size();
}

QByteArrayView trimmed(QByteArrayView t) {
    qsizetype b = 0, e = t.size();
    while (b < e && (t[b] == ' ' || t[b] == '\t'))
        ++b;
    while (e > b && (t[e - 1] == ' ' || t[e - 1] == '\t'))
        --e;
    return t.sliced(b, e - b);
}

// A size suffix ".w" or ".l" at the end of `t`: 'w', 'l' or 0.
char sizeSuffix(QByteArrayView t) {
    if (t.size() >= 3 && t[t.size() - 2] == '.') {
        const char s = char(uchar(t.back()) | 0x20);
        if (s == 'w' || s == 'l')
            return s;
    }
    return 0;
}

// d0-d3/a0/a2-a4. A lone register is not a list here.
bool registerList(QByteArrayView t, std::uint16_t& mask) {
    if (t.indexOf('/') < 0 && t.indexOf('-') < 0)
        return false;
    mask = 0;
    qsizetype i = 0;
    while (i <= t.size()) {
        qsizetype j = i;
        while (j < t.size() && t[j] != '/')
            ++j;
        const QByteArrayView part = trimmed(t.sliced(i, j - i));
        const qsizetype dash = part.indexOf('-');
        if (dash < 0) {
            const int r = registerNumber(part);
            if (r < 0)
                return false;
            mask |= std::uint16_t(1u << r);
        } else {
            const int first = registerNumber(trimmed(part.first(dash)));
            const int last = registerNumber(trimmed(part.sliced(dash + 1)));
            if (first < 0 || last < 0 || last < first)
                return false;
            for (int r = first; r <= last; ++r)
                mask |= std::uint16_t(1u << r);
        }
        i = j + 1;
    }
    return true;
}

// The index register of d8(An,Xn): "d1", "a2.w", "d0.l".
bool indexRegister(QByteArrayView t) {
    t = trimmed(t);
    if (const char s = sizeSuffix(t))
        t = t.first(t.size() - 2);
    return registerNumber(t) >= 0;
}

// The inside of a bracket: "An", "An,Xn", "pc", "pc,Xn", or with a leading
// displacement "d,An", "d,An,Xn" (then `disp` is set).
bool bracketModes(QByteArrayView inside, QByteArrayView outsideDisp, Operand& out) {
    QByteArrayView parts[4];
    int count = 0;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= inside.size(); ++i) {
        if (i == inside.size() || inside[i] == ',') {
            if (count == 4)
                return false;
            parts[count++] = trimmed(inside.sliced(from, i - from));
            from = i + 1;
        }
    }
    QByteArrayView disp = outsideDisp;
    int base = 0;
    auto isBase = [](QByteArrayView p) {
        const int r = registerNumber(p);
        return r >= 8 || equalsIgnoringCase(p, "pc");
    };
    if (!isBase(parts[0])) {
        if (!disp.isEmpty() || count < 2 || !isBase(parts[1]))
            return false;
        disp = parts[0];
        base = 1;
    }
    const bool pc = equalsIgnoringCase(parts[base], "pc");
    const int rest = count - base - 1;
    if (rest > 1 || (rest == 1 && !indexRegister(parts[base + 1])))
        return false;
    out.reg = pc ? 0 : std::uint8_t(registerNumber(parts[base]) - 8);
    out.valueKnown = true;
    out.value = 0;
    if (!disp.isEmpty()) {
        bool readable = false;
        out.valueKnown = evaluate(disp, out.value, &readable);
        if (!readable)
            return false;
    }
    if (rest == 1)
        out.mode = pc ? Mode::PcIndex : Mode::Index;
    else if (pc)
        out.mode = Mode::PcDisp;
    else
        out.mode = disp.isEmpty() ? Mode::Indirect : Mode::Disp;
    return true;
}

// The bracket that closes at `close`, searched backwards; -1 when unbalanced.
qsizetype openingBracket(QByteArrayView t, qsizetype close) {
    int depth = 0;
    for (qsizetype i = close; i >= 0; --i) {
        if (t[i] == ')')
            ++depth;
        else if (t[i] == '(' && --depth == 0)
            return i;
    }
    return -1;
}

} // namespace

bool evaluate(QByteArrayView text, std::int64_t& value, bool* readable) {
    bool known = false;
    Expression e(text);
    const bool ok = e.read(value, known);
    if (readable)
        *readable = ok;
    return ok && known;
}

bool parseOperand(QByteArrayView t, Operand& out) {
    out.valueKnown = false;
    out.explicitSize = false;
    out.value = 0;
    out.reg = 0;
    if (t.isEmpty())
        return false;
    const uchar first = uchar(t[0]);
    if (first == '#') {
        out.mode = Mode::Immediate;
        bool readable = false;
        out.valueKnown = evaluate(t.sliced(1), out.value, &readable);
        return readable;
    }
    if (const int r = registerNumber(t); r >= 0) {
        out.mode = r < 8 ? Mode::DataReg : Mode::AddrReg;
        out.reg = std::uint8_t(r & 7);
        return true;
    }
    if (t.size() <= 3) {
        if (equalsIgnoringCase(t, "ccr")) {
            out.mode = Mode::Ccr;
            return true;
        }
        if (equalsIgnoringCase(t, "sr")) {
            out.mode = Mode::Sr;
            return true;
        }
        if (equalsIgnoringCase(t, "usp")) {
            out.mode = Mode::Usp;
            return true;
        }
    }
    if (symbolStarts[first] && registerList(t, out.regMask)) {
        out.mode = Mode::RegList;
        out.listKnown = true;
        return true;
    }
    // -(An) and (An)+
    if (first == '-' && t.size() >= 4 && t[1] == '(' && t.back() == ')') {
        const int r = registerNumber(trimmed(t.sliced(2, t.size() - 3)));
        if (r >= 8) {
            out.mode = Mode::PreDec;
            out.reg = std::uint8_t(r - 8);
            return true;
        }
    }
    if (first == '(' && t.size() >= 4 && t.back() == '+' && t[t.size() - 2] == ')') {
        const int r = registerNumber(trimmed(t.sliced(1, t.size() - 3)));
        if (r >= 8) {
            out.mode = Mode::PostInc;
            out.reg = std::uint8_t(r - 8);
            return true;
        }
    }
    // d(An), d(An,Xn), (d,An), (An), d(pc), (d,pc,Xn)...
    if (t.back() == ')') {
        const qsizetype open = openingBracket(t, t.size() - 1);
        if (open >= 0) {
            const QByteArrayView inside = t.sliced(open + 1, t.size() - open - 2);
            if (bracketModes(inside, trimmed(t.first(open)), out))
                return true;
        }
    }
    // An absolute address, with or without its size.
    QByteArrayView address = t;
    if (const char s = sizeSuffix(t)) {
        address = t.first(t.size() - 2);
        out.explicitSize = true;
        out.mode = s == 'w' ? Mode::AbsShort : Mode::AbsLong;
    } else {
        out.mode = Mode::AbsLong;
    }
    bool readable = false;
    out.valueKnown = evaluate(address, out.value, &readable);
    return readable;
}

} // namespace quaredit::m68k
