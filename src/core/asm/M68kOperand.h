#pragma once

#include <QByteArrayView>
#include <cstdint>

namespace quaredit::m68k {

// The addressing modes of the 68000, and the special operands some
// instructions name. Each is one bit of a mask of what an operand may be.
enum class Mode : std::uint8_t {
    DataReg,   // Dn
    AddrReg,   // An
    Indirect,  // (An)
    PostInc,   // (An)+
    PreDec,    // -(An)
    Disp,      // d16(An)
    Index,     // d8(An,Xn)
    AbsShort,  // addr.w
    AbsLong,   // addr, addr.l
    PcDisp,    // d16(pc)
    PcIndex,   // d8(pc,Xn)
    Immediate, // #value
    Ccr,
    Sr,
    Usp,
    RegList, // d0-d3/a0
};
constexpr int ModeCount = 16;

constexpr std::uint32_t bit(Mode m) {
    return std::uint32_t(1) << unsigned(m);
}

// An operand as read from a source line. Values that depend on symbols are
// decided at assembly and are not known here.
struct Operand {
    Mode mode = Mode::AbsLong;
    std::uint8_t reg = 0;      // register number of Dn, An and the base of (An) modes
    bool valueKnown = false;   // value below is the immediate, displacement or address
    bool explicitSize = false; // an absolute address written with .w or .l
    std::int64_t value = 0;
    std::uint16_t regMask = 0; // register list: d0 is bit 0, a7 bit 15
    bool listKnown = false;    // false for a list named by a symbol (reg, equr)
    qsizetype start = 0;       // offset of the operand in the line
    qsizetype length = 0;
};

// Reads one operand (blanks around it already cut), as the calculator
// assemblers read Motorola syntax: d16(An) and (d16,An), d8(An,Xn.w),
// -(sp), (sp)+, sp as a7, #expression, absolute addresses with .w or .l,
// register lists d0-d3/a0. Returns false when the text is not an operand
// this reader knows (such a line is not judged).
bool parseOperand(QByteArrayView text, Operand& out);

// The value of a constant expression of numbers ($hex, %binary, @octal,
// decimal, 'c'), unary and binary operators and brackets. False when it
// names a symbol, whose value the assembler decides, or cannot be read;
// `readable` tells the two apart.
bool evaluate(QByteArrayView text, std::int64_t& value, bool* readable = nullptr);

} // namespace quaredit::m68k
