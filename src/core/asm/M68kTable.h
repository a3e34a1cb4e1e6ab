#pragma once

// The MC68000 instruction set as data the compiler lays out: every form with
// its sizes, the addressing modes of each operand, the immediate ranges, the
// X N Z V C line and the base times of the processor's timing tables. The
// checker (M68kCheck.cpp) reads it; nothing here runs at start-up.

#include "core/asm/M68kOperand.h"

#include <cstdint>

namespace quaredit::m68k::table {

enum SizeBit : std::uint8_t { B = 1, W = 2, L = 4, S = 8 };

// Operand classes as masks of Mode bits.
constexpr std::uint32_t Dn = bit(Mode::DataReg), An = bit(Mode::AddrReg), Ind = bit(Mode::Indirect),
                        Inc = bit(Mode::PostInc), Dec = bit(Mode::PreDec), Dsp = bit(Mode::Disp),
                        Idx = bit(Mode::Index), AbW = bit(Mode::AbsShort), AbL = bit(Mode::AbsLong),
                        PcD = bit(Mode::PcDisp), PcI = bit(Mode::PcIndex),
                        Imm = bit(Mode::Immediate), Ccr = bit(Mode::Ccr), Sr = bit(Mode::Sr),
                        Usp = bit(Mode::Usp), List = bit(Mode::RegList);
// Not a mode of its own: a branch destination, any address expression.
constexpr std::uint32_t Target = 1u << 20;

constexpr std::uint32_t All = Dn | An | Ind | Inc | Dec | Dsp | Idx | AbW | AbL | PcD | PcI | Imm;
constexpr std::uint32_t Data = All & ~An;
constexpr std::uint32_t Memory = All & ~(Dn | An);
constexpr std::uint32_t Control = Ind | Dsp | Idx | AbW | AbL | PcD | PcI;
constexpr std::uint32_t Alterable = Dn | An | Ind | Inc | Dec | Dsp | Idx | AbW | AbL;
constexpr std::uint32_t DataAlt = Alterable & ~An;
constexpr std::uint32_t MemAlt = Alterable & ~(Dn | An);

// What an immediate operand may hold beyond what its size allows.
enum class ImmRange : std::uint8_t {
    Sized, // fits the operation's size
    Quick, // ADDQ, SUBQ: 1 to 8
    Moveq, // -128 to 127
    Trap,  // 0 to 15
    Shift, // 1 to 8
    BitReg,
    BitMem, // a bit number: 0 to 31 in a register, 0 to 7 in memory
};

// How the time of a form is worked out from its base costs.
enum class Rule : std::uint8_t {
    Standard, // base (register or memory column) plus the operand's address time
    Move,     // 4 plus the source's read and the destination's write
    Fixed,    // the base alone
    ShiftReg, // base plus 2 per bit shifted
    Multiply, // 38 plus 2 per bit of the source, plus its address time
    DivideU,
    DivideS,
    Movem,
    Jump, // JMP, JSR, LEA, PEA: one time per addressing mode
    Bcc,
    Bra,
    Bsr,
    DBcc,
    Trapv,
};

// Extras on a Standard rule.
enum Extra : std::uint8_t {
    None = 0,
    LongRegBoost = 1, // long: +2 when the address is a register or an immediate
    DataDecides2 = 2, // the register column is a maximum, 2 less for some data
    LowBitFaster = 4, // static bit on a register: 2 less for bits 0 to 15
};

struct C {
    std::uint8_t cycles, reads, writes;
};

struct Form {
    std::uint8_t sizes;
    std::uint8_t count; // operands
    std::uint32_t ops[2];
    ImmRange imm;
    Rule rule;
    std::int8_t ea; // the operand whose address time is added, -1 none
    std::uint8_t extra;
    C bwReg, bwMem, lReg, lMem; // byte/word and long, register and memory columns
    const char* flags;          // X N Z V C: '-', '*', '0', '1', 'U'
    const char* syntax;
};

struct Group {
    const char* title;   // "ADD", "Bcc"
    const char* purpose; // one line
    std::uint16_t first;
    std::uint8_t count;
};

struct Name {
    const char* name; // lower case, no size
    std::uint8_t group;
    const char* purpose; // for the condition variants; nullptr: the group's
};

} // namespace quaredit::m68k::table
