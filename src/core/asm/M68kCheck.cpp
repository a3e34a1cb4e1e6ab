#include "core/asm/M68kCheck.h"

#include "core/asm/Labels.h"
#include "core/asm/M68kTableData.h"

#include <algorithm>
#include <array>
#include <bit>

namespace quaredit::m68k {

using namespace table;

namespace {

using uchar = unsigned char;

constexpr int MaxOperands = 2;

constexpr std::array<bool, 256> wordParts = [] {
    std::array<bool, 256> p{};
    for (int c = 0; c < 256; ++c)
        p[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '@' || c >= 128;
    return p;
}();

bool blank(uchar c) {
    return c <= 32;
}

// The size written after the mnemonic.
enum class Written : std::uint8_t { None, B, W, L, S, Other };

std::uint8_t sizeBit(Written w) {
    switch (w) {
    case Written::B:
        return B;
    case Written::W:
        return W;
    case Written::L:
        return L;
    case Written::S:
        return S;
    default:
        return 0;
    }
}

// The line cut into its parts, as views and offsets into the line.
struct Parsed {
    qsizetype wordStart = 0, wordEnd = 0, mnemonicEnd = 0;
    Written size = Written::None;
    char sizeLetter = 0;
    int count = 0;
    bool tooMany = false;
    Operand ops[MaxOperands];
};

// Reads the operand field from `i`: operands split at commas outside
// brackets and quotes, blanks allowed after a comma and inside brackets; a
// blank elsewhere or ";" ends the field.
bool readOperands(QByteArrayView line, qsizetype i, Parsed& p) {
    const qsizetype n = line.size();
    while (i < n && blank(uchar(line[i])))
        ++i;
    if (i >= n || line[i] == ';')
        return true;
    qsizetype start = i;
    int depth = 0;
    auto finish = [&](qsizetype end) {
        qsizetype e = end;
        while (e > start && blank(uchar(line[e - 1])))
            --e;
        if (e == start)
            return false;
        if (p.count == MaxOperands) {
            p.tooMany = true;
            return true;
        }
        Operand& op = p.ops[p.count++];
        op.start = start;
        op.length = e - start;
        return parseOperand(line.sliced(start, e - start), op);
    };
    while (i < n) {
        const uchar c = uchar(line[i]);
        if (c == '\'' || c == '"') {
            qsizetype j = i + 1;
            while (j < n && uchar(line[j]) != c)
                ++j;
            if (j >= n)
                return false;
            i = j + 1;
            continue;
        }
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (depth == 0 && c == ',') {
            if (!finish(i))
                return false;
            ++i;
            while (i < n && blank(uchar(line[i])))
                ++i;
            start = i;
            continue;
        } else if (depth == 0 && (c == ';' || blank(c))) {
            break;
        }
        ++i;
    }
    if (depth != 0)
        return false;
    return finish(i);
}

// The operation word and its operands; false when the line holds no
// instruction of the 68000 or cannot be read.
bool readLine(QByteArrayView line, Parsed& p, int& name) {
    const qsizetype n = line.size();
    if (n == 0 || line[0] == '*' || line[0] == ';')
        return false;
    qsizetype i = 0;
    if (!blank(uchar(line[0]))) {
        const auto label = labelName(line);
        if (!label || label->indexOf(';') >= 0)
            return false;
        i = label->data() - line.data() + label->size();
    }
    while (i < n && blank(uchar(line[i])))
        ++i;
    if (i >= n)
        return false;
    p.wordStart = i;
    while (i < n && wordParts[uchar(line[i])])
        ++i;
    p.wordEnd = i;
    const qsizetype length = p.wordEnd - p.wordStart;
    if (length == 0 || length > 8)
        return false;
    std::uint64_t key = 0;
    for (qsizetype k = 0; k < length; ++k)
        key |= std::uint64_t(uchar(line[p.wordStart + k]) | 0x20u) << (8 * k);
    name = nameOfKey(key);
    if (name < 0)
        return false;
    p.mnemonicEnd = i;
    if (i < n && line[i] == '.') {
        if (i + 1 >= n || !wordParts[uchar(line[i + 1])])
            return false;
        if (i + 2 < n && !blank(uchar(line[i + 2])) && line[i + 2] != ';')
            return false; // "move.foo": a macro's name, not a size
        const char s = char(uchar(line[i + 1]) | 0x20);
        p.sizeLetter = char(line[i + 1]);
        p.size = s == 'b'   ? Written::B
                 : s == 'w' ? Written::W
                 : s == 'l' ? Written::L
                 : s == 's' ? Written::S
                            : Written::Other;
        i += 2;
        p.mnemonicEnd = i;
    }
    if (i < n && !blank(uchar(line[i])) && line[i] != ';')
        return false;
    return readOperands(line, i, p);
}

bool isRegister(const Operand& op) {
    return op.mode == Mode::DataReg || op.mode == Mode::AddrReg;
}

// Whether `op` can stand where `allowed` says, with the register list and
// branch destination readings.
bool fits(const Operand& op, std::uint32_t allowed) {
    if (allowed & bit(op.mode))
        return true;
    const bool address = op.mode == Mode::AbsLong || op.mode == Mode::AbsShort;
    if ((allowed & Target) && address)
        return true;
    // A lone register is a list of one, an immediate the mask itself; a
    // symbol may name a list (reg).
    if (allowed & List)
        return isRegister(op) || op.mode == Mode::Immediate ||
               (address && !op.valueKnown && !op.explicitSize);
    return false;
}

struct Range {
    std::int64_t low, high;
};

// The range an immediate must fall in, for a form and size.
Range immediateRange(ImmRange imm, std::uint8_t size) {
    switch (imm) {
    case ImmRange::Quick:
    case ImmRange::Shift:
        return {1, 8};
    case ImmRange::Moveq:
        return {-128, 127};
    case ImmRange::Trap:
        return {0, 15};
    case ImmRange::BitReg:
        return {0, 31};
    case ImmRange::BitMem:
        return {0, 7};
    case ImmRange::Sized:
        break;
    }
    if (size == B)
        return {-128, 255};
    if (size == L)
        return {-2147483648LL, 4294967295LL};
    return {-32768, 65535};
}

enum class Fault : std::uint8_t { None, Count, Size, Mode, Immediate, Displacement, ByteAddress };

struct Match {
    int score = -1;
    Fault fault = Fault::None;
    int operand = -1; // the operand at fault
};

std::uint8_t defaultSize(const Form& f) {
    if (f.sizes & W)
        return W;
    if (f.sizes & L)
        return L;
    if (f.sizes & B)
        return B;
    return 0;
}

// Whether the 68000's displacement fields hold a known value.
bool displacementFits(const Operand& op) {
    if (!op.valueKnown)
        return true;
    switch (op.mode) {
    case Mode::Disp:
    case Mode::PcDisp:
    case Mode::AbsShort:
        return op.value >= -32768 && op.value <= 32767;
    case Mode::Index:
    case Mode::PcIndex:
        return op.value >= -128 && op.value <= 127;
    default:
        return true;
    }
}

Match match(const Form& f, const Parsed& p) {
    Match m;
    if (p.count != f.count || p.tooMany) {
        m.score = 0;
        m.fault = Fault::Count;
        return m;
    }
    const std::uint8_t written = sizeBit(p.size);
    const bool sizeOk =
        p.size == Written::None || (written != 0 && (f.sizes & written) != 0) ||
        (p.size == Written::B && (f.sizes & S) && f.rule != Rule::Jump); // .b: a short branch
    m.score = 10 + (sizeOk ? 2 : 0);
    const std::uint8_t size =
        written && sizeOk ? (written == S ? std::uint8_t(B) : written) : defaultSize(f);
    Fault first = sizeOk ? Fault::None : Fault::Size;
    int firstOperand = -1;
    for (int k = 0; k < f.count; ++k) {
        const Operand& op = p.ops[k];
        Fault fault = Fault::None;
        if (!fits(op, f.ops[k])) {
            fault = Fault::Mode;
        } else if (op.mode == Mode::Immediate && op.valueKnown) {
            // A register mask is a word of its own, whatever the size.
            const Range r = (f.ops[k] & List) ? Range{-32768, 65535} : immediateRange(f.imm, size);
            if (op.value < r.low || op.value > r.high)
                fault = Fault::Immediate;
        } else if (!displacementFits(op) && !(f.ops[k] & Target)) {
            fault = Fault::Displacement;
        }
        // An operand of the right kind whose value is out of range is
        // nearer than one of the wrong kind: its form gives the reason.
        m.score += fault == Fault::None ? 3 : fault == Fault::Mode ? 0 : 2;
        if (fault != Fault::None && first == Fault::None) {
            first = fault;
            firstOperand = k;
        }
    }
    m.fault = first;
    m.operand = firstOperand;
    return m;
}

// The address times of the processor's effective address table, for byte
// and word, then long.
constexpr C EaTimes[ModeCount][2] = {
    {{0, 0, 0}, {0, 0, 0}},   // Dn
    {{0, 0, 0}, {0, 0, 0}},   // An
    {{4, 1, 0}, {8, 2, 0}},   // (An)
    {{4, 1, 0}, {8, 2, 0}},   // (An)+
    {{6, 1, 0}, {10, 2, 0}},  // -(An)
    {{8, 2, 0}, {12, 3, 0}},  // d16(An)
    {{10, 2, 0}, {14, 3, 0}}, // d8(An,Xn)
    {{8, 2, 0}, {12, 3, 0}},  // abs.w
    {{12, 3, 0}, {16, 4, 0}}, // abs.l
    {{8, 2, 0}, {12, 3, 0}},  // d16(PC)
    {{10, 2, 0}, {14, 3, 0}}, // d8(PC,Xn)
    {{4, 1, 0}, {8, 2, 0}},   // #
    {{0, 0, 0}, {0, 0, 0}},   {{0, 0, 0}, {0, 0, 0}},
    {{0, 0, 0}, {0, 0, 0}},   {{0, 0, 0}, {0, 0, 0}},
};

// What a MOVE adds for writing its destination: the move tables less the
// opcode fetch and the source.
constexpr C MoveWrites[ModeCount][2] = {
    {{0, 0, 0}, {0, 0, 0}},   {{0, 0, 0}, {0, 0, 0}},  {{4, 0, 1}, {8, 0, 2}},
    {{4, 0, 1}, {8, 0, 2}},   {{4, 0, 1}, {8, 0, 2}},  {{8, 1, 1}, {12, 1, 2}},
    {{10, 1, 1}, {14, 1, 2}}, {{8, 1, 1}, {12, 1, 2}}, {{12, 2, 1}, {16, 2, 2}},
    {{0, 0, 0}, {0, 0, 0}},   {{0, 0, 0}, {0, 0, 0}},  {{0, 0, 0}, {0, 0, 0}},
    {{0, 0, 0}, {0, 0, 0}},   {{0, 0, 0}, {0, 0, 0}},  {{0, 0, 0}, {0, 0, 0}},
    {{0, 0, 0}, {0, 0, 0}},
};

// JMP, JSR, LEA, PEA by mode: (An), d16(An), d8(An,Xn), abs.w, abs.l,
// d16(PC), d8(PC,Xn).
constexpr C JumpTimes[4][7] = {
    {{8, 2, 0}, {10, 2, 0}, {14, 3, 0}, {10, 2, 0}, {12, 3, 0}, {10, 2, 0}, {14, 3, 0}},
    {{16, 2, 2}, {18, 2, 2}, {22, 2, 2}, {18, 2, 2}, {20, 3, 2}, {18, 2, 2}, {22, 2, 2}},
    {{4, 1, 0}, {8, 2, 0}, {12, 2, 0}, {8, 2, 0}, {12, 3, 0}, {8, 2, 0}, {12, 2, 0}},
    {{12, 1, 2}, {16, 2, 2}, {20, 2, 2}, {16, 2, 2}, {20, 3, 2}, {16, 2, 2}, {20, 2, 2}},
};

int controlColumn(Mode m) {
    switch (m) {
    case Mode::Indirect:
    case Mode::PostInc:
    case Mode::PreDec:
        return 0;
    case Mode::Disp:
        return 1;
    case Mode::Index:
        return 2;
    case Mode::AbsShort:
        return 3;
    case Mode::AbsLong:
        return 4;
    case Mode::PcDisp:
        return 5;
    default:
        return 6;
    }
}

// MOVEM before the registers: memory to registers, then registers to memory,
// by the same columns; each register adds 4 (word) or 8 (long) cycles and
// one or two bus cycles.
constexpr C MovemToRegisters[7] = {{12, 3, 0}, {16, 4, 0}, {18, 4, 0}, {16, 4, 0},
                                   {20, 5, 0}, {16, 4, 0}, {18, 4, 0}};
constexpr C MovemToMemory[7] = {{8, 2, 0},  {12, 3, 0}, {14, 3, 0}, {12, 3, 0},
                                {16, 4, 0}, {0, 0, 0},  {0, 0, 0}};

Cost cost(C c) {
    return Cost{c.cycles, c.cycles, c.reads, c.writes};
}

void add(Cost& to, C c) {
    to.min += c.cycles;
    to.max += c.cycles;
    to.reads += c.reads;
    to.writes += c.writes;
}

Timing timingOf(int group, const Form& f, const Parsed& p, std::uint8_t size, bool relaxed) {
    Timing t;
    const bool isLong = size == L;
    const int lw = isLong ? 1 : 0;
    switch (f.rule) {
    case Rule::Standard: {
        const Operand& op = p.ops[f.ea];
        const bool reg = isRegister(op);
        C base = isLong ? (reg ? f.lReg : f.lMem) : (reg ? f.bwReg : f.bwMem);
        t.taken = cost(base);
        add(t.taken, EaTimes[int(op.mode)][lw]);
        if ((f.extra & LongRegBoost) && isLong && (reg || op.mode == Mode::Immediate)) {
            t.taken.min += 2;
            t.taken.max += 2;
        }
        if ((f.extra & DataDecides2) && reg)
            t.taken.min -= 2;
        if ((f.extra & LowBitFaster) && reg) {
            const Operand& number = p.ops[0];
            if (!number.valueKnown)
                t.taken.min -= 2;
            else if ((number.value & 31) < 16) {
                t.taken.min -= 2;
                t.taken.max -= 2;
            }
        }
        break;
    }
    case Rule::Move:
        t.taken = Cost{4, 4, 1, 0};
        add(t.taken, EaTimes[int(p.ops[0].mode)][lw]);
        add(t.taken, MoveWrites[int(p.ops[1].mode)][lw]);
        break;
    case Rule::Fixed:
        t.taken = cost(isLong ? f.lReg : f.bwReg);
        break;
    case Rule::ShiftReg: {
        t.taken = cost(isLong ? f.lReg : f.bwReg);
        const Operand& count = p.ops[0];
        if (count.mode == Mode::Immediate && count.valueKnown) {
            t.taken.min += 2 * int(count.value);
            t.taken.max += 2 * int(count.value);
        } else if (count.mode == Mode::Immediate) {
            t.taken.min += 2;
            t.taken.max += 16;
        } else {
            t.taken.max += 2 * 63; // the register's count is taken modulo 64
        }
        break;
    }
    case Rule::Multiply:
        t.taken = Cost{38, 70, 1, 0};
        add(t.taken, EaTimes[int(p.ops[0].mode)][0]);
        break;
    case Rule::DivideU:
    case Rule::DivideS:
        // The manual gives the worst cases, 140 and 158; the best cases are
        // those of the published analysis of the divide's microcode.
        t.taken = f.rule == Rule::DivideU ? Cost{76, 140, 1, 0} : Cost{120, 158, 1, 0};
        add(t.taken, EaTimes[int(p.ops[0].mode)][0]);
        break;
    case Rule::Movem: {
        const bool toMemory = f.ea == 1;
        const Operand& list = toMemory ? p.ops[0] : p.ops[1];
        const Operand& mem = toMemory ? p.ops[1] : p.ops[0];
        const int column = controlColumn(mem.mode);
        t.taken = cost(toMemory ? MovemToMemory[column] : MovemToRegisters[column]);
        int lowCount = 1, highCount = 16;
        if (list.mode == Mode::RegList) {
            lowCount = highCount = std::popcount(unsigned(list.regMask));
        } else if (list.mode == Mode::Immediate && list.valueKnown) {
            lowCount = highCount = std::popcount(unsigned(list.value & 0xffff));
        } else if (isRegister(list)) {
            lowCount = highCount = 1;
        }
        const int per = isLong ? 8 : 4;
        const int bus = isLong ? 2 : 1;
        t.taken.min += per * lowCount;
        t.taken.max += per * highCount;
        (toMemory ? t.taken.writes : t.taken.reads) += bus * highCount;
        break;
    }
    case Rule::Jump: {
        int row = 0;
        switch (group) {
        case Jsr:
            row = 1;
            break;
        case Lea:
            row = 2;
            break;
        case Pea:
            row = 3;
            break;
        default:
            break;
        }
        t.taken = cost(JumpTimes[row][controlColumn(p.ops[0].mode)]);
        break;
    }
    case Rule::Bcc:
        t.branches = true;
        t.taken = Cost{10, 10, 2, 0};
        if (relaxed)
            t.notTaken = Cost{8, 12, 2, 0};
        else
            t.notTaken = size == W ? Cost{12, 12, 2, 0} : Cost{8, 8, 1, 0};
        break;
    case Rule::Bra:
        t.taken = Cost{10, 10, 2, 0};
        break;
    case Rule::Bsr:
        t.taken = Cost{18, 18, 2, 2};
        break;
    case Rule::DBcc:
        // Loops while the condition is false and the count is not -1.
        t.branches = true;
        t.taken = Cost{10, 10, 2, 0};
        t.notTaken = Cost{12, 14, 3, 0};
        break;
    case Rule::Trapv:
        t.branches = true;
        t.taken = Cost{34, 34, 5, 3};
        t.notTaken = Cost{4, 4, 1, 0};
        break;
    }
    return t;
}

void lengthOf(const Form& f, const Parsed& p, std::uint8_t size, bool relaxed, int& low,
              int& high) {
    low = high = 2;
    for (int k = 0; k < f.count; ++k) {
        const Operand& op = p.ops[k];
        int extra = 0;
        if (f.ops[k] & List) {
            extra = 2; // the register mask
        } else if (f.ops[k] & Target) {
            if (f.rule == Rule::DBcc)
                extra = 2;
            else if (relaxed)
                high += 2;
            else if (size == W)
                extra = 2;
        } else {
            switch (op.mode) {
            case Mode::Disp:
            case Mode::Index:
            case Mode::AbsShort:
            case Mode::PcDisp:
            case Mode::PcIndex:
                extra = 2;
                break;
            case Mode::AbsLong:
                extra = 4;
                break;
            case Mode::Immediate:
                switch (f.imm) {
                case ImmRange::Sized:
                    extra = size == L ? 4 : 2;
                    break;
                case ImmRange::BitReg:
                case ImmRange::BitMem:
                    extra = 2;
                    break;
                default:
                    break; // in the instruction word
                }
                break;
            default:
                break;
            }
        }
        low += extra;
        high += extra;
    }
}

QString upper(QByteArrayView text) {
    return QString::fromLatin1(text).toUpper();
}

const char* modeName(Mode m) {
    switch (m) {
    case Mode::DataReg:
        return "a data register";
    case Mode::AddrReg:
        return "an address register";
    case Mode::Indirect:
        return "(An)";
    case Mode::PostInc:
        return "(An)+";
    case Mode::PreDec:
        return "-(An)";
    case Mode::Disp:
        return "d16(An)";
    case Mode::Index:
        return "d8(An,Xn)";
    case Mode::AbsShort:
    case Mode::AbsLong:
        return "an absolute address";
    case Mode::PcDisp:
        return "d16(PC)";
    case Mode::PcIndex:
        return "d8(PC,Xn)";
    case Mode::Immediate:
        return "an immediate";
    case Mode::Ccr:
        return "CCR";
    case Mode::Sr:
        return "SR";
    case Mode::Usp:
        return "USP";
    case Mode::RegList:
        return "a register list";
    }
    return "";
}

// What an operand position accepts across the forms that take this many
// operands, in words.
QString needs(std::uint32_t allowed) {
    if (allowed == Control)
        return QStringLiteral("a control addressing mode");
    if (allowed == Dn)
        return QStringLiteral("a data register");
    if (allowed == An)
        return QStringLiteral("an address register");
    if (allowed == Imm)
        return QStringLiteral("an immediate");
    if (allowed & Target)
        return QStringLiteral("a label");
    if (allowed == Dec)
        return QStringLiteral("-(An)");
    if (allowed == Inc)
        return QStringLiteral("(An)+");
    return {};
}

QString sizesText(std::uint8_t sizes) {
    QStringList parts;
    if (sizes & (B | S))
        parts << (sizes & S ? QStringLiteral(".S") : QStringLiteral(".B"));
    if (sizes & W)
        parts << QStringLiteral(".W");
    if (sizes & L)
        parts << QStringLiteral(".L");
    if (parts.isEmpty())
        return {};
    if (parts.size() == 1)
        return parts.front();
    const QString last = parts.takeLast();
    return parts.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

QString countText(int n) {
    switch (n) {
    case 0:
        return QStringLiteral("no operand");
    case 1:
        return QStringLiteral("one operand");
    default:
        return QStringLiteral("two operands");
    }
}

QString reasonFor(QByteArrayView line, const Parsed& p, const Group& g, const Match& m,
                  const Form& f, int name) {
    const QString word = upper(line.sliced(p.wordStart, p.wordEnd - p.wordStart));
    const QString sized = upper(line.sliced(p.wordStart, p.mnemonicEnd - p.wordStart));
    std::uint8_t allSizes = 0;
    std::uint32_t allCounts = 0;
    for (int k = 0; k < g.count; ++k) {
        allSizes |= formAt(g.first + k).sizes;
        allCounts |= 1u << formAt(g.first + k).count;
    }
    switch (m.fault) {
    case Fault::Count: {
        QStringList counts;
        for (int n = 0; n <= 2; ++n) {
            if (allCounts & (1u << n))
                counts << countText(n);
        }
        return word + QStringLiteral(" takes ") + counts.join(QStringLiteral(" or "));
    }
    case Fault::Size:
        if (allSizes == 0)
            return word + QStringLiteral(" takes no size");
        if (!(allSizes & sizeBit(p.size)) && !(p.size == Written::B && (allSizes & S)))
            return word + QStringLiteral(" takes ") + sizesText(allSizes);
        return word + QStringLiteral(" with these operands takes ") + sizesText(f.sizes);
    case Fault::ByteAddress:
        return sized +
               (m.operand == 0 && f.count == 2 ? QStringLiteral(" cannot read")
                                               : QStringLiteral(" cannot write to")) +
               QStringLiteral(" an address register");
    case Fault::Immediate: {
        if (f.ops[m.operand] & List)
            return QStringLiteral("A register mask is one word: from -32768 to 65535");
        const Range r = immediateRange(f.imm, 0);
        switch (f.imm) {
        case ImmRange::Quick:
        case ImmRange::Moveq:
            return word +
                   QStringLiteral(" takes an immediate from %1 to %2").arg(r.low).arg(r.high);
        case ImmRange::Trap:
            return QStringLiteral("TRAP takes a vector from 0 to 15");
        case ImmRange::Shift:
            return word + QStringLiteral(" shifts by 1 to 8; a data register holds larger counts");
        case ImmRange::BitReg:
            return word + QStringLiteral(" takes a bit from 0 to 31 in a data register");
        case ImmRange::BitMem:
            return word + QStringLiteral(" takes a bit from 0 to 7 in memory");
        case ImmRange::Sized:
            break;
        }
        const std::uint8_t size = p.size == Written::None ? defaultSize(f) : sizeBit(p.size);
        const Range s = immediateRange(ImmRange::Sized, size);
        return sized + QStringLiteral(" takes an immediate from %1 to %2").arg(s.low).arg(s.high);
    }
    case Fault::Displacement: {
        const Operand& op = p.ops[m.operand];
        if (op.mode == Mode::Index || op.mode == Mode::PcIndex)
            return QStringLiteral("A displacement with an index register is from -128 to 127");
        if (op.mode == Mode::AbsShort)
            return QStringLiteral("A short absolute address is from -32768 to 32767");
        return QStringLiteral("A displacement is from -32768 to 32767");
    }
    case Fault::Mode: {
        // What this operand position takes in the forms with as many operands.
        std::uint32_t allowed = 0;
        for (int k = 0; k < g.count; ++k) {
            const Form& other = formAt(g.first + k);
            if (other.count == f.count)
                allowed |= other.ops[m.operand];
        }
        const QString need = needs(allowed);
        if (!need.isEmpty())
            return word + QStringLiteral(" needs ") + need;
        const char* mode = modeName(p.ops[m.operand].mode);
        if (f.count == 2 && m.operand == 0)
            return sized + QStringLiteral(" cannot read ") + QLatin1String(mode);
        if (f.count == 2)
            return sized + QStringLiteral(" cannot write to ") + QLatin1String(mode);
        return sized + QStringLiteral(" cannot use ") + QLatin1String(mode);
    }
    case Fault::None:
        break;
    }
    Q_UNUSED(name);
    return {};
}

} // namespace

LineCheck checkLine(QByteArrayView line, bool wantReason) {
    LineCheck result;
    Parsed p;
    int name = -1;
    if (!readLine(line, p, name))
        return result;
    const Name& n = nameAt(name);
    const Group& g = groupAt(n.group);
    result.instruction = name;
    result.mnemonicStart = p.wordStart;
    result.mnemonicLength = p.mnemonicEnd - p.wordStart;
    auto fail = [&](const Match& m, const Form& f) {
        result.verdict = Verdict::Fault;
        if (m.operand >= 0 && (m.fault == Fault::Mode || m.fault == Fault::Immediate ||
                               m.fault == Fault::Displacement || m.fault == Fault::ByteAddress)) {
            result.faultStart = p.ops[m.operand].start;
            result.faultLength = p.ops[m.operand].length;
        } else {
            result.faultStart = result.mnemonicStart;
            result.faultLength = result.mnemonicLength;
        }
        if (wantReason)
            result.reason = reasonFor(line, p, g, m, f, name);
        return result;
    };
    if (p.size == Written::Other) {
        Match m;
        m.fault = Fault::Size;
        return fail(m, formAt(g.first));
    }
    // A byte never comes from or goes to an address register, whatever the
    // instruction; this says so before the forms' own reasons.
    if (p.size == Written::B && !p.tooMany) {
        for (int k = 0; k < p.count; ++k) {
            if (p.ops[k].mode != Mode::AddrReg)
                continue;
            for (int i = 0; i < g.count; ++i) {
                const Form& f = formAt(g.first + i);
                if (f.count == p.count && (f.ops[k] & An) && !(f.ops[k] & List)) {
                    Match m;
                    m.fault = Fault::ByteAddress;
                    m.operand = k;
                    return fail(m, f);
                }
            }
        }
    }
    Match best;
    int bestForm = g.first;
    for (int i = 0; i < g.count; ++i) {
        const Form& f = formAt(g.first + i);
        const Match m = match(f, p);
        if (m.fault == Fault::None) {
            const std::uint8_t written = sizeBit(p.size);
            const bool relaxed =
                p.size == Written::None &&
                (f.rule == Rule::Bcc || f.rule == Rule::Bra || f.rule == Rule::Bsr);
            const std::uint8_t size = written == 0   ? defaultSize(f)
                                      : written == S ? std::uint8_t(B)
                                                     : written;
            result.verdict = Verdict::Encodable;
            result.form = g.first + i;
            lengthOf(f, p, size, relaxed, result.minBytes, result.maxBytes);
            result.timing = timingOf(n.group, f, p, size, relaxed);
            return result;
        }
        if (m.score > best.score) {
            best = m;
            bestForm = g.first + i;
        }
    }
    return fail(best, formAt(bestForm));
}

int instructionOf(QByteArrayView word) {
    const qsizetype dot = word.indexOf('.');
    if (dot >= 0)
        word = word.first(dot);
    if (word.isEmpty() || word.size() > 8)
        return -1;
    std::uint64_t key = 0;
    for (qsizetype k = 0; k < word.size(); ++k)
        key |= std::uint64_t(uchar(word[k]) | 0x20u) << (8 * k);
    return nameOfKey(key);
}

int instructionCount() {
    return NameCount;
}

QByteArrayView instructionName(int instruction) {
    return QByteArrayView(nameAt(instruction).name);
}

namespace {

QString cyclesText(const Cost& c) {
    if (c.min == c.max)
        return QString::number(c.max);
    return QStringLiteral("%1\u2013%2").arg(c.min).arg(c.max);
}

QString flagsLine(const char* flags) {
    QString s = QStringLiteral("X N Z V C:");
    for (int i = 0; i < 5; ++i) {
        s += QLatin1Char(' ');
        s += QLatin1Char(flags[i]);
    }
    return s;
}

QString busText(const Cost& c) {
    return QStringLiteral("%1 read%2, %3 write%4")
        .arg(c.reads)
        .arg(c.reads == 1 ? "" : "s")
        .arg(c.writes)
        .arg(c.writes == 1 ? "" : "s");
}

} // namespace

QString costText(const LineCheck& line) {
    if (line.verdict != Verdict::Encodable)
        return {};
    QString bytes = line.minBytes == line.maxBytes
                        ? QString::number(line.minBytes)
                        : QStringLiteral("%1\u2013%2").arg(line.minBytes).arg(line.maxBytes);
    bytes += QStringLiteral(" bytes, ");
    const Timing& t = line.timing;
    if (t.branches)
        return bytes + cyclesText(t.taken) + QStringLiteral(" taken / ") + cyclesText(t.notTaken) +
               QStringLiteral(" not taken");
    return bytes + cyclesText(t.taken) + QStringLiteral(" cycles");
}

QString instructionHelp(int instruction, const LineCheck* line) {
    if (instruction < 0 || instruction >= NameCount)
        return {};
    const Name& n = nameAt(instruction);
    const Group& g = groupAt(n.group);
    const QString name = QString::fromLatin1(n.name).toUpper();
    QString text = name + QStringLiteral(" \u2014 ");
    text += QLatin1String(g.purpose);
    if (n.purpose)
        text += QStringLiteral(": ") + QLatin1String(n.purpose);
    std::uint8_t sizes = 0;
    for (int k = 0; k < g.count; ++k) {
        const Form& f = formAt(g.first + k);
        // JMP and JSR take a size only to ignore it: none is shown.
        if (f.rule != Rule::Jump || !(f.sizes & S))
            sizes |= f.sizes;
        text += QStringLiteral("\n    ") + name;
        if (f.count > 0)
            text += QLatin1Char(' ') + QLatin1String(f.syntax);
    }
    text += QStringLiteral("\nSizes: ");
    text += sizes ? sizesText(sizes) : QStringLiteral("none");
    const bool known = line && line->verdict == Verdict::Encodable;
    const Form& shown = formAt(known ? line->form : g.first);
    text += QLatin1Char('\n') + flagsLine(shown.flags);
    if (known) {
        text += QStringLiteral("\nThis line: ") + costText(*line);
        text += QStringLiteral(" (") + busText(line->timing.taken) + QLatin1Char(')');
    } else if (line && line->verdict == Verdict::Fault && !line->reason.isEmpty()) {
        text += QStringLiteral("\nThis line: ") + line->reason;
    }
    return text;
}

void Total::add(const LineCheck& line) {
    if (line.verdict != Verdict::Encodable)
        return;
    ++lines;
    bytes += line.minBytes;
    bytesUncertain |= line.maxBytes > line.minBytes;
    const Timing& t = line.timing;
    int low = t.taken.min, high = t.taken.max;
    if (t.branches) {
        low = std::min(low, t.notTaken.min);
        high = std::max(high, t.notTaken.max);
    }
    cycles += low;
    cyclesUncertain |= high > low;
}

QString totalText(const Total& total) {
    return QStringLiteral("%1%2 bytes, %3%4 cycles")
        .arg(total.bytes)
        .arg(total.bytesUncertain ? "+" : "")
        .arg(total.cycles)
        .arg(total.cyclesUncertain ? "+" : "");
}

} // namespace quaredit::m68k
