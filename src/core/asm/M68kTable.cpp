#include "core/asm/M68kTableData.h"

#include <array>

namespace quaredit::m68k::table {

namespace {

constexpr C c(int cycles, int reads, int writes) {
    return C{std::uint8_t(cycles), std::uint8_t(reads), std::uint8_t(writes)};
}
constexpr C no = c(0, 0, 0);

constexpr Form form(std::uint8_t sizes, std::uint8_t count, std::uint32_t a, std::uint32_t b,
                    ImmRange imm, Rule rule, int ea, std::uint8_t extra, C bwReg, C bwMem, C lReg,
                    C lMem, const char* flags, const char* syntax) {
    return Form{sizes, count, {a, b}, imm,  rule,  std::int8_t(ea), extra,
                bwReg, bwMem, lReg,   lMem, flags, syntax};
}

// Shorthands for the common shapes.
constexpr Form none(C cost, const char* flags) {
    return form(0, 0, 0, 0, ImmRange::Sized, Rule::Fixed, -1, None, cost, cost, cost, cost, flags,
                "");
}

// The groups, in the order of the enum in M68kTableData.h. Times are the
// processor manual's: the columns of its standard, immediate, single
// operand, shift, bit, conditional, JMP/JSR/LEA/PEA/MOVEM, multiprecision,
// miscellaneous and exception tables, in clock cycles (bus reads/writes),
// before the address time of the operand named by `ea`.
constexpr Form Forms[] = {
    // ABCD
    form(B, 2, Dn, Dn, ImmRange::Sized, Rule::Fixed, -1, None, c(6, 1, 0), no, no, no, "*U*U*",
         "Dy,Dx"),
    form(B, 2, Dec, Dec, ImmRange::Sized, Rule::Fixed, -1, None, c(18, 3, 1), no, no, no, "*U*U*",
         "-(Ay),-(Ax)"),
    // ADD: <ea>,Dn; Dn,<ea>; and the assemblers' ADDA and ADDI spellings
    form(B | W | L, 2, All, Dn, ImmRange::Sized, Rule::Standard, 0, LongRegBoost, c(4, 1, 0),
         c(4, 1, 0), c(6, 1, 0), c(6, 1, 0), "*****", "<ea>,Dn"),
    form(B | W | L, 2, Dn, MemAlt, ImmRange::Sized, Rule::Standard, 1, None, no, c(8, 1, 1), no,
         c(12, 1, 2), "*****", "Dn,<ea>"),
    form(W | L, 2, All, An, ImmRange::Sized, Rule::Standard, 0, LongRegBoost, c(8, 1, 0),
         c(8, 1, 0), c(6, 1, 0), c(6, 1, 0), "-----", "<ea>,An"),
    form(B | W | L, 2, Imm, MemAlt, ImmRange::Sized, Rule::Standard, 1, None, no, c(12, 2, 1), no,
         c(20, 3, 2), "*****", "#<data>,<ea>"),
    // ADDA
    form(W | L, 2, All, An, ImmRange::Sized, Rule::Standard, 0, LongRegBoost, c(8, 1, 0),
         c(8, 1, 0), c(6, 1, 0), c(6, 1, 0), "-----", "<ea>,An"),
    // ADDI
    form(B | W | L, 2, Imm, DataAlt, ImmRange::Sized, Rule::Standard, 1, None, c(8, 2, 0),
         c(12, 2, 1), c(16, 3, 0), c(20, 3, 2), "*****", "#<data>,<ea>"),
    // ADDQ
    form(B | W | L, 2, Imm, DataAlt, ImmRange::Quick, Rule::Standard, 1, None, c(4, 1, 0),
         c(8, 1, 1), c(8, 1, 0), c(12, 1, 2), "*****", "#<1-8>,<ea>"),
    form(W | L, 2, Imm, An, ImmRange::Quick, Rule::Standard, 1, None, c(8, 1, 0), no, c(8, 1, 0),
         no, "-----", "#<1-8>,An"),
    // ADDX
    form(B | W | L, 2, Dn, Dn, ImmRange::Sized, Rule::Fixed, -1, None, c(4, 1, 0), no, c(8, 1, 0),
         no, "*****", "Dy,Dx"),
    form(B | W | L, 2, Dec, Dec, ImmRange::Sized, Rule::Fixed, -1, None, c(18, 3, 1), no,
         c(30, 5, 2), no, "*****", "-(Ay),-(Ax)"),
    // AND
    form(B | W | L, 2, Data, Dn, ImmRange::Sized, Rule::Standard, 0, LongRegBoost, c(4, 1, 0),
         c(4, 1, 0), c(6, 1, 0), c(6, 1, 0), "-**00", "<ea>,Dn"),
    form(B | W | L, 2, Dn, MemAlt, ImmRange::Sized, Rule::Standard, 1, None, no, c(8, 1, 1), no,
         c(12, 1, 2), "-**00", "Dn,<ea>"),
    form(B | W | L, 2, Imm, MemAlt, ImmRange::Sized, Rule::Standard, 1, None, no, c(12, 2, 1), no,
         c(20, 3, 2), "-**00", "#<data>,<ea>"),
    form(B, 2, Imm, Ccr, ImmRange::Sized, Rule::Fixed, -1, None, c(20, 3, 0), no, no, no, "*****",
         "#<data>,CCR"),
    form(W, 2, Imm, Sr, ImmRange::Sized, Rule::Fixed, -1, None, c(20, 3, 0), no, no, no, "*****",
         "#<data>,SR"),
    // ANDI
    form(B | W | L, 2, Imm, DataAlt, ImmRange::Sized, Rule::Standard, 1, None, c(8, 2, 0),
         c(12, 2, 1), c(14, 3, 0), c(20, 3, 2), "-**00", "#<data>,<ea>"),
    form(B, 2, Imm, Ccr, ImmRange::Sized, Rule::Fixed, -1, None, c(20, 3, 0), no, no, no, "*****",
         "#<data>,CCR"),
    form(W, 2, Imm, Sr, ImmRange::Sized, Rule::Fixed, -1, None, c(20, 3, 0), no, no, no, "*****",
         "#<data>,SR"),
// The shifts and rotates: Dx,Dy; #<1-8>,Dy; <ea> (a word, shifted by one)
#define SHIFTS(flags)                                                                              \
    form(B | W | L, 2, Dn, Dn, ImmRange::Sized, Rule::ShiftReg, 0, None, c(6, 1, 0), no,           \
         c(8, 1, 0), no, flags, "Dx,Dy"),                                                          \
        form(B | W | L, 2, Imm, Dn, ImmRange::Shift, Rule::ShiftReg, 0, None, c(6, 1, 0), no,      \
             c(8, 1, 0), no, flags, "#<1-8>,Dy"),                                                  \
        form(W, 1, MemAlt, 0, ImmRange::Sized, Rule::Standard, 0, None, no, c(8, 1, 1), no, no,    \
             flags, "<ea>")
    SHIFTS("*****"), // ASL
    SHIFTS("***0*"), // ASR
    // Bcc
    form(S | B | W, 1, Target, 0, ImmRange::Sized, Rule::Bcc, -1, None, no, no, no, no, "-----",
         "<label>"),
// The bit instructions: a register is long, memory a byte.
#define BITS(dynReg, dynMem, statReg, statMem, extra, mem, statExtra)                              \
    form(L, 2, Dn, Dn, ImmRange::Sized, Rule::Standard, 1, extra, dynReg, no, dynReg, no, "--*--", \
         "Dn,Dn"),                                                                                 \
        form(B, 2, Dn, mem, ImmRange::Sized, Rule::Standard, 1, None, no, dynMem, no, no, "--*--", \
             "Dn,<ea>"),                                                                           \
        form(L, 2, Imm, Dn, ImmRange::BitReg, Rule::Standard, 1, statExtra, statReg, no, statReg,  \
             no, "--*--", "#<0-31>,Dn"),                                                           \
        form(B, 2, Imm, mem & ~Imm, ImmRange::BitMem, Rule::Standard, 1, None, no, statMem, no,    \
             no, "--*--", "#<0-7>,<ea>")
    BITS(c(8, 1, 0), c(8, 1, 1), c(12, 2, 0), c(12, 2, 1), DataDecides2, MemAlt,
         LowBitFaster), // BCHG
    BITS(c(10, 1, 0), c(8, 1, 1), c(14, 2, 0), c(12, 2, 1), DataDecides2, MemAlt,
         LowBitFaster), // BCLR
    // BRA
    form(S | B | W, 1, Target, 0, ImmRange::Sized, Rule::Bra, -1, None, no, no, no, no, "-----",
         "<label>"),
    BITS(c(8, 1, 0), c(8, 1, 1), c(12, 2, 0), c(12, 2, 1), DataDecides2, MemAlt,
         LowBitFaster), // BSET
    // BSR
    form(S | B | W, 1, Target, 0, ImmRange::Sized, Rule::Bsr, -1, None, no, no, no, no, "-----",
         "<label>"),
    BITS(c(6, 1, 0), c(4, 1, 0), c(10, 2, 0), c(8, 2, 0), None, Data & ~Dn, None), // BTST
    // CHK (the time when it does not trap)
    form(W, 2, Data, Dn, ImmRange::Sized, Rule::Standard, 0, None, c(10, 1, 0), c(10, 1, 0), no, no,
         "-*UUU", "<ea>,Dn"),
    // CLR
    form(B | W | L, 1, DataAlt, 0, ImmRange::Sized, Rule::Standard, 0, None, c(4, 1, 0), c(8, 1, 1),
         c(6, 1, 0), c(12, 1, 2), "-0100", "<ea>"),
    // CMP, with the CMPA, CMPI and CMPM spellings
    form(B | W | L, 2, All, Dn, ImmRange::Sized, Rule::Standard, 0, None, c(4, 1, 0), c(4, 1, 0),
         c(6, 1, 0), c(6, 1, 0), "-****", "<ea>,Dn"),
    form(W | L, 2, All, An, ImmRange::Sized, Rule::Standard, 0, None, c(6, 1, 0), c(6, 1, 0),
         c(6, 1, 0), c(6, 1, 0), "-****", "<ea>,An"),
    form(B | W | L, 2, Imm, MemAlt, ImmRange::Sized, Rule::Standard, 1, None, no, c(8, 2, 0), no,
         c(12, 3, 0), "-****", "#<data>,<ea>"),
    form(B | W | L, 2, Inc, Inc, ImmRange::Sized, Rule::Fixed, -1, None, c(12, 3, 0), no,
         c(20, 5, 0), no, "-****", "(Ay)+,(Ax)+"),
    // CMPA
    form(W | L, 2, All, An, ImmRange::Sized, Rule::Standard, 0, None, c(6, 1, 0), c(6, 1, 0),
         c(6, 1, 0), c(6, 1, 0), "-****", "<ea>,An"),
    // CMPI
    form(B | W | L, 2, Imm, DataAlt, ImmRange::Sized, Rule::Standard, 1, None, c(8, 2, 0),
         c(8, 2, 0), c(14, 3, 0), c(12, 3, 0), "-****", "#<data>,<ea>"),
    // CMPM
    form(B | W | L, 2, Inc, Inc, ImmRange::Sized, Rule::Fixed, -1, None, c(12, 3, 0), no,
         c(20, 5, 0), no, "-****", "(Ay)+,(Ax)+"),
    // DBcc
    form(W, 2, Dn, Target, ImmRange::Sized, Rule::DBcc, -1, None, no, no, no, no, "-----",
         "Dn,<label>"),
    // DIVS, DIVU
    form(W, 2, Data, Dn, ImmRange::Sized, Rule::DivideS, 0, None, no, no, no, no, "-***0",
         "<ea>,Dn"),
    form(W, 2, Data, Dn, ImmRange::Sized, Rule::DivideU, 0, None, no, no, no, no, "-***0",
         "<ea>,Dn"),
    // EOR, with the EORI spelling
    form(B | W | L, 2, Dn, DataAlt, ImmRange::Sized, Rule::Standard, 1, None, c(4, 1, 0),
         c(8, 1, 1), c(8, 1, 0), c(12, 1, 2), "-**00", "Dn,<ea>"),
    form(B | W | L, 2, Imm, DataAlt, ImmRange::Sized, Rule::Standard, 1, None, c(8, 2, 0),
         c(12, 2, 1), c(16, 3, 0), c(20, 3, 2), "-**00", "#<data>,<ea>"),
    form(B, 2, Imm, Ccr, ImmRange::Sized, Rule::Fixed, -1, None, c(20, 3, 0), no, no, no, "*****",
         "#<data>,CCR"),
    form(W, 2, Imm, Sr, ImmRange::Sized, Rule::Fixed, -1, None, c(20, 3, 0), no, no, no, "*****",
         "#<data>,SR"),
    // EORI
    form(B | W | L, 2, Imm, DataAlt, ImmRange::Sized, Rule::Standard, 1, None, c(8, 2, 0),
         c(12, 2, 1), c(16, 3, 0), c(20, 3, 2), "-**00", "#<data>,<ea>"),
    form(B, 2, Imm, Ccr, ImmRange::Sized, Rule::Fixed, -1, None, c(20, 3, 0), no, no, no, "*****",
         "#<data>,CCR"),
    form(W, 2, Imm, Sr, ImmRange::Sized, Rule::Fixed, -1, None, c(20, 3, 0), no, no, no, "*****",
         "#<data>,SR"),
    // EXG
    form(L, 2, Dn | An, Dn | An, ImmRange::Sized, Rule::Fixed, -1, None, c(6, 1, 0), no, c(6, 1, 0),
         no, "-----", "Rx,Ry"),
    // EXT
    form(W | L, 1, Dn, 0, ImmRange::Sized, Rule::Fixed, -1, None, c(4, 1, 0), no, c(4, 1, 0), no,
         "-**00", "Dn"),
    // ILLEGAL (the exception it takes)
    none(c(34, 4, 3), "-----"),
    // JMP, JSR: a size is taken and means nothing
    form(S | L, 1, Control, 0, ImmRange::Sized, Rule::Jump, 0, None, no, no, no, no, "-----",
         "<ea>"),
    form(S | L, 1, Control, 0, ImmRange::Sized, Rule::Jump, 0, None, no, no, no, no, "-----",
         "<ea>"),
    // LEA
    form(L, 2, Control, An, ImmRange::Sized, Rule::Jump, 0, None, no, no, no, no, "-----",
         "<ea>,An"),
    // LINK
    form(W, 2, An, Imm, ImmRange::Sized, Rule::Fixed, -1, None, c(16, 2, 2), no, no, no, "-----",
         "An,#<displacement>"),
    SHIFTS("***0*"), // LSL
    SHIFTS("***0*"), // LSR
    // MOVE, with the MOVEA spelling, and the moves of CCR, SR and USP
    form(B | W | L, 2, All, DataAlt, ImmRange::Sized, Rule::Move, -1, None, no, no, no, no, "-**00",
         "<ea>,<ea>"),
    form(W | L, 2, All, An, ImmRange::Sized, Rule::Move, -1, None, no, no, no, no, "-----",
         "<ea>,An"),
    form(W, 2, Data, Ccr, ImmRange::Sized, Rule::Standard, 0, None, c(12, 2, 0), c(12, 2, 0), no,
         no, "*****", "<ea>,CCR"),
    form(W, 2, Data, Sr, ImmRange::Sized, Rule::Standard, 0, None, c(12, 2, 0), c(12, 2, 0), no, no,
         "*****", "<ea>,SR"),
    form(W, 2, Sr, DataAlt, ImmRange::Sized, Rule::Standard, 1, None, c(6, 1, 0), c(8, 1, 1), no,
         no, "-----", "SR,<ea>"),
    form(L, 2, An, Usp, ImmRange::Sized, Rule::Fixed, -1, None, no, no, c(4, 1, 0), no, "-----",
         "An,USP"),
    form(L, 2, Usp, An, ImmRange::Sized, Rule::Fixed, -1, None, no, no, c(4, 1, 0), no, "-----",
         "USP,An"),
    // MOVEA
    form(W | L, 2, All, An, ImmRange::Sized, Rule::Move, -1, None, no, no, no, no, "-----",
         "<ea>,An"),
    // MOVEM: registers to memory, memory to registers
    form(W | L, 2, List, Ind | Dec | Dsp | Idx | AbW | AbL, ImmRange::Sized, Rule::Movem, 1, None,
         no, no, no, no, "-----", "<list>,<ea>"),
    form(W | L, 2, Ind | Inc | Dsp | Idx | AbW | AbL | PcD | PcI, List, ImmRange::Sized,
         Rule::Movem, 0, None, no, no, no, no, "-----", "<ea>,<list>"),
    // MOVEP
    form(W | L, 2, Dn, Dsp, ImmRange::Sized, Rule::Fixed, -1, None, c(16, 2, 2), no, c(24, 2, 4),
         no, "-----", "Dx,d16(Ay)"),
    form(W | L, 2, Dsp, Dn, ImmRange::Sized, Rule::Fixed, -1, None, c(16, 4, 0), no, c(24, 6, 0),
         no, "-----", "d16(Ay),Dx"),
    // MOVEQ
    form(L, 2, Imm, Dn, ImmRange::Moveq, Rule::Fixed, -1, None, no, no, c(4, 1, 0), no, "-**00",
         "#<-128..127>,Dn"),
    // MULS, MULU
    form(W, 2, Data, Dn, ImmRange::Sized, Rule::Multiply, 0, None, no, no, no, no, "-**00",
         "<ea>,Dn"),
    form(W, 2, Data, Dn, ImmRange::Sized, Rule::Multiply, 0, None, no, no, no, no, "-**00",
         "<ea>,Dn"),
    // NBCD
    form(B, 1, DataAlt, 0, ImmRange::Sized, Rule::Standard, 0, None, c(6, 1, 0), c(8, 1, 1), no, no,
         "*U*U*", "<ea>"),
    // NEG, NEGX
    form(B | W | L, 1, DataAlt, 0, ImmRange::Sized, Rule::Standard, 0, None, c(4, 1, 0), c(8, 1, 1),
         c(6, 1, 0), c(12, 1, 2), "*****", "<ea>"),
    form(B | W | L, 1, DataAlt, 0, ImmRange::Sized, Rule::Standard, 0, None, c(4, 1, 0), c(8, 1, 1),
         c(6, 1, 0), c(12, 1, 2), "*****", "<ea>"),
    // NOP
    none(c(4, 1, 0), "-----"),
    // NOT
    form(B | W | L, 1, DataAlt, 0, ImmRange::Sized, Rule::Standard, 0, None, c(4, 1, 0), c(8, 1, 1),
         c(6, 1, 0), c(12, 1, 2), "-**00", "<ea>"),
    // OR, with the ORI spelling
    form(B | W | L, 2, Data, Dn, ImmRange::Sized, Rule::Standard, 0, LongRegBoost, c(4, 1, 0),
         c(4, 1, 0), c(6, 1, 0), c(6, 1, 0), "-**00", "<ea>,Dn"),
    form(B | W | L, 2, Dn, MemAlt, ImmRange::Sized, Rule::Standard, 1, None, no, c(8, 1, 1), no,
         c(12, 1, 2), "-**00", "Dn,<ea>"),
    form(B | W | L, 2, Imm, MemAlt, ImmRange::Sized, Rule::Standard, 1, None, no, c(12, 2, 1), no,
         c(20, 3, 2), "-**00", "#<data>,<ea>"),
    form(B, 2, Imm, Ccr, ImmRange::Sized, Rule::Fixed, -1, None, c(20, 3, 0), no, no, no, "*****",
         "#<data>,CCR"),
    form(W, 2, Imm, Sr, ImmRange::Sized, Rule::Fixed, -1, None, c(20, 3, 0), no, no, no, "*****",
         "#<data>,SR"),
    // ORI
    form(B | W | L, 2, Imm, DataAlt, ImmRange::Sized, Rule::Standard, 1, None, c(8, 2, 0),
         c(12, 2, 1), c(16, 3, 0), c(20, 3, 2), "-**00", "#<data>,<ea>"),
    form(B, 2, Imm, Ccr, ImmRange::Sized, Rule::Fixed, -1, None, c(20, 3, 0), no, no, no, "*****",
         "#<data>,CCR"),
    form(W, 2, Imm, Sr, ImmRange::Sized, Rule::Fixed, -1, None, c(20, 3, 0), no, no, no, "*****",
         "#<data>,SR"),
    // PEA
    form(L, 1, Control, 0, ImmRange::Sized, Rule::Jump, 0, None, no, no, no, no, "-----", "<ea>"),
    // RESET
    none(c(132, 1, 0), "-----"),
    SHIFTS("-**0*"), // ROL
    SHIFTS("-**0*"), // ROR
    SHIFTS("***0*"), // ROXL
    SHIFTS("***0*"), // ROXR
    // RTE, RTR, RTS
    none(c(20, 5, 0), "*****"),
    none(c(20, 5, 0), "*****"),
    none(c(16, 4, 0), "-----"),
    // SBCD
    form(B, 2, Dn, Dn, ImmRange::Sized, Rule::Fixed, -1, None, c(6, 1, 0), no, no, no, "*U*U*",
         "Dy,Dx"),
    form(B, 2, Dec, Dec, ImmRange::Sized, Rule::Fixed, -1, None, c(18, 3, 1), no, no, no, "*U*U*",
         "-(Ay),-(Ax)"),
    // Scc: 4 when false, 6 when true in a register
    form(B, 1, DataAlt, 0, ImmRange::Sized, Rule::Standard, 0, DataDecides2, c(6, 1, 0), c(8, 1, 1),
         no, no, "-----", "<ea>"),
    // STOP
    form(0, 1, Imm, 0, ImmRange::Sized, Rule::Fixed, -1, None, c(4, 0, 0), no, no, no, "*****",
         "#<data>"),
    // SUB, with the SUBA and SUBI spellings
    form(B | W | L, 2, All, Dn, ImmRange::Sized, Rule::Standard, 0, LongRegBoost, c(4, 1, 0),
         c(4, 1, 0), c(6, 1, 0), c(6, 1, 0), "*****", "<ea>,Dn"),
    form(B | W | L, 2, Dn, MemAlt, ImmRange::Sized, Rule::Standard, 1, None, no, c(8, 1, 1), no,
         c(12, 1, 2), "*****", "Dn,<ea>"),
    form(W | L, 2, All, An, ImmRange::Sized, Rule::Standard, 0, LongRegBoost, c(8, 1, 0),
         c(8, 1, 0), c(6, 1, 0), c(6, 1, 0), "-----", "<ea>,An"),
    form(B | W | L, 2, Imm, MemAlt, ImmRange::Sized, Rule::Standard, 1, None, no, c(12, 2, 1), no,
         c(20, 3, 2), "*****", "#<data>,<ea>"),
    // SUBA
    form(W | L, 2, All, An, ImmRange::Sized, Rule::Standard, 0, LongRegBoost, c(8, 1, 0),
         c(8, 1, 0), c(6, 1, 0), c(6, 1, 0), "-----", "<ea>,An"),
    // SUBI
    form(B | W | L, 2, Imm, DataAlt, ImmRange::Sized, Rule::Standard, 1, None, c(8, 2, 0),
         c(12, 2, 1), c(16, 3, 0), c(20, 3, 2), "*****", "#<data>,<ea>"),
    // SUBQ
    form(B | W | L, 2, Imm, DataAlt, ImmRange::Quick, Rule::Standard, 1, None, c(4, 1, 0),
         c(8, 1, 1), c(8, 1, 0), c(12, 1, 2), "*****", "#<1-8>,<ea>"),
    form(W | L, 2, Imm, An, ImmRange::Quick, Rule::Standard, 1, None, c(8, 1, 0), no, c(8, 1, 0),
         no, "-----", "#<1-8>,An"),
    // SUBX
    form(B | W | L, 2, Dn, Dn, ImmRange::Sized, Rule::Fixed, -1, None, c(4, 1, 0), no, c(8, 1, 0),
         no, "*****", "Dy,Dx"),
    form(B | W | L, 2, Dec, Dec, ImmRange::Sized, Rule::Fixed, -1, None, c(18, 3, 1), no,
         c(30, 5, 2), no, "*****", "-(Ay),-(Ax)"),
    // SWAP
    form(W, 1, Dn, 0, ImmRange::Sized, Rule::Fixed, -1, None, c(4, 1, 0), no, no, no, "-**00",
         "Dn"),
    // TAS
    form(B, 1, DataAlt, 0, ImmRange::Sized, Rule::Standard, 0, None, c(4, 1, 0), c(10, 1, 1), no,
         no, "-**00", "<ea>"),
    // TRAP
    form(0, 1, Imm, 0, ImmRange::Trap, Rule::Fixed, -1, None, c(34, 4, 3), no, no, no, "-----",
         "#<0-15>"),
    // TRAPV: 4 when V is clear, the exception's 34 when it is set
    form(0, 0, 0, 0, ImmRange::Sized, Rule::Trapv, -1, None, no, no, no, no, "-----", ""),
    // TST
    form(B | W | L, 1, DataAlt, 0, ImmRange::Sized, Rule::Standard, 0, None, c(4, 1, 0), c(4, 1, 0),
         c(4, 1, 0), c(4, 1, 0), "-**00", "<ea>"),
    // UNLK
    form(0, 1, An, 0, ImmRange::Sized, Rule::Fixed, -1, None, c(12, 3, 0), no, no, no, "-----",
         "An"),
};
#undef SHIFTS
#undef BITS

constexpr std::uint8_t formCounts[GroupCount] = {
    2, 4, 1, 1, 2, 2, 5, 3, 3, 3, 1, 4, 4, 1, 4, 1, 4, 1, 1, 4, 1, 1, 1, 1, 1,
    1, 4, 3, 1, 1, 1, 1, 1, 1, 1, 3, 3, 7, 1, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 5,
    3, 1, 1, 3, 3, 3, 3, 1, 1, 1, 2, 1, 1, 4, 1, 1, 2, 2, 1, 1, 1, 1, 1, 1,
};

struct GroupText {
    const char* title;
    const char* purpose;
};

constexpr GroupText groupTexts[GroupCount] = {
    {"ABCD", "Add decimal with extend: adds two packed BCD bytes and X"},
    {"ADD", "Add binary"},
    {"ADDA", "Add to an address register; the flags stay"},
    {"ADDI", "Add an immediate"},
    {"ADDQ", "Add quick: an immediate from 1 to 8 in the instruction word"},
    {"ADDX", "Add with extend: adds X too, for numbers of several longs"},
    {"AND", "Logical AND"},
    {"ANDI", "Logical AND with an immediate"},
    {"ASL", "Arithmetic shift left"},
    {"ASR", "Arithmetic shift right: the sign is kept"},
    {"Bcc", "Branch conditionally"},
    {"BCHG", "Test a bit and change it"},
    {"BCLR", "Test a bit and clear it"},
    {"BRA", "Branch always"},
    {"BSET", "Test a bit and set it"},
    {"BSR", "Branch to a subroutine: pushes the return address"},
    {"BTST", "Test a bit: Z is set when it is 0"},
    {"CHK", "Check a register against bounds: traps when below 0 or above the bound"},
    {"CLR", "Clear an operand"},
    {"CMP", "Compare: subtracts without storing the result"},
    {"CMPA", "Compare an address register"},
    {"CMPI", "Compare with an immediate"},
    {"CMPM", "Compare memory to memory, both post-increment"},
    {"DBcc", "Test a condition, decrement and branch: a loop on Dn.w until -1"},
    {"DIVS", "Signed divide: 32 by 16 bits, remainder in the upper word"},
    {"DIVU", "Unsigned divide: 32 by 16 bits, remainder in the upper word"},
    {"EOR", "Logical exclusive OR"},
    {"EORI", "Exclusive OR with an immediate"},
    {"EXG", "Exchange two registers"},
    {"EXT", "Sign-extend: a byte to a word, or a word to a long"},
    {"ILLEGAL", "Take the illegal instruction exception"},
    {"JMP", "Jump"},
    {"JSR", "Jump to a subroutine: pushes the return address"},
    {"LEA", "Load an effective address into an address register"},
    {"LINK", "Link and allocate: push An, An = SP, add the displacement to SP"},
    {"LSL", "Logical shift left"},
    {"LSR", "Logical shift right: zeros come in"},
    {"MOVE", "Move data from source to destination"},
    {"MOVEA", "Move to an address register; a word is sign-extended; the flags stay"},
    {"MOVEM", "Move several registers to or from memory"},
    {"MOVEP", "Move peripheral data: every other byte"},
    {"MOVEQ", "Move quick: a byte sign-extended to a long data register"},
    {"MULS", "Signed multiply: 16 by 16 bits to 32"},
    {"MULU", "Unsigned multiply: 16 by 16 bits to 32"},
    {"NBCD", "Negate decimal with extend"},
    {"NEG", "Negate"},
    {"NEGX", "Negate with extend"},
    {"NOP", "No operation"},
    {"NOT", "Logical complement"},
    {"OR", "Logical inclusive OR"},
    {"ORI", "Inclusive OR with an immediate"},
    {"PEA", "Push an effective address on the stack"},
    {"RESET", "Reset the external devices (supervisor)"},
    {"ROL", "Rotate left"},
    {"ROR", "Rotate right"},
    {"ROXL", "Rotate left through X"},
    {"ROXR", "Rotate right through X"},
    {"RTE", "Return from an exception (supervisor)"},
    {"RTR", "Return and restore the condition codes"},
    {"RTS", "Return from a subroutine"},
    {"SBCD", "Subtract decimal with extend"},
    {"Scc", "Set a byte to all ones when the condition holds, else to zero"},
    {"STOP", "Load SR and stop until an interrupt (supervisor)"},
    {"SUB", "Subtract binary"},
    {"SUBA", "Subtract from an address register; the flags stay"},
    {"SUBI", "Subtract an immediate"},
    {"SUBQ", "Subtract quick: an immediate from 1 to 8 in the instruction word"},
    {"SUBX", "Subtract with extend"},
    {"SWAP", "Swap the words of a data register"},
    {"TAS", "Test a byte and set its bit 7, in one indivisible cycle"},
    {"TRAP", "Take a trap exception: vector 32 + n"},
    {"TRAPV", "Trap when V is set"},
    {"TST", "Test an operand: compares it with zero"},
    {"UNLK", "Unlink: SP = An, pop An"},
};

constexpr std::array<Group, GroupCount> Groups = [] {
    std::array<Group, GroupCount> g{};
    std::uint16_t first = 0;
    for (int i = 0; i < GroupCount; ++i) {
        g[i] = Group{groupTexts[i].title, groupTexts[i].purpose, first, formCounts[i]};
        first = std::uint16_t(first + formCounts[i]);
    }
    return g;
}();
static_assert(Groups[GroupCount - 1].first + Groups[GroupCount - 1].count ==
                  sizeof(Forms) / sizeof(Forms[0]),
              "every form belongs to one group");

// The conditions of Bcc, DBcc and Scc, in the spellings the assemblers take.
struct Condition {
    const char* suffix;
    const char* meaning;
};
constexpr Condition Conditions[] = {
    {"hi", "higher (unsigned)"},
    {"ls", "lower or same (unsigned)"},
    {"cc", "carry clear"},
    {"hs", "higher or same (unsigned), carry clear"},
    {"cs", "carry set"},
    {"lo", "lower (unsigned), carry set"},
    {"ne", "not equal"},
    {"eq", "equal"},
    {"vc", "overflow clear"},
    {"vs", "overflow set"},
    {"pl", "plus"},
    {"mi", "minus"},
    {"ge", "greater or equal (signed)"},
    {"lt", "less than (signed)"},
    {"gt", "greater than (signed)"},
    {"le", "less or equal (signed)"},
};

struct Spelled {
    char text[8];
};

constexpr Spelled join(const char* a, const char* b) {
    Spelled s{};
    int n = 0;
    for (int i = 0; a[i] != 0; ++i)
        s.text[n++] = a[i];
    for (int i = 0; b[i] != 0; ++i)
        s.text[n++] = b[i];
    return s;
}

constexpr int ConditionCount = int(sizeof(Conditions) / sizeof(Conditions[0]));

// "beq" and its kin, spelled once at compile time.
constexpr std::array<Spelled, ConditionCount* 3> conditionNames = [] {
    std::array<Spelled, ConditionCount * 3> n{};
    for (int i = 0; i < ConditionCount; ++i) {
        n[i] = join("b", Conditions[i].suffix);
        n[ConditionCount + i] = join("db", Conditions[i].suffix);
        n[2 * ConditionCount + i] = join("s", Conditions[i].suffix);
    }
    return n;
}();

constexpr Name PlainNames[] = {
    {"abcd", Abcd, nullptr},
    {"add", Add, nullptr},
    {"adda", Adda, nullptr},
    {"addi", Addi, nullptr},
    {"addq", Addq, nullptr},
    {"addx", Addx, nullptr},
    {"and", And, nullptr},
    {"andi", Andi, nullptr},
    {"asl", Asl, nullptr},
    {"asr", Asr, nullptr},
    {"bchg", Bchg, nullptr},
    {"bclr", Bclr, nullptr},
    {"bra", Bra, nullptr},
    {"bset", Bset, nullptr},
    {"bsr", Bsr, nullptr},
    {"btst", Btst, nullptr},
    {"chk", Chk, nullptr},
    {"clr", Clr, nullptr},
    {"cmp", Cmp, nullptr},
    {"cmpa", Cmpa, nullptr},
    {"cmpi", Cmpi, nullptr},
    {"cmpm", Cmpm, nullptr},
    {"divs", Divs, nullptr},
    {"divu", Divu, nullptr},
    {"eor", Eor, nullptr},
    {"eori", Eori, nullptr},
    {"exg", Exg, nullptr},
    {"ext", Ext, nullptr},
    {"illegal", Illegal, nullptr},
    {"jmp", Jmp, nullptr},
    {"jsr", Jsr, nullptr},
    {"lea", Lea, nullptr},
    {"link", Link, nullptr},
    {"lsl", Lsl, nullptr},
    {"lsr", Lsr, nullptr},
    {"move", Move, nullptr},
    {"movea", Movea, nullptr},
    {"movem", Movem, nullptr},
    {"movep", Movep, nullptr},
    {"moveq", Moveq, nullptr},
    {"muls", Muls, nullptr},
    {"mulu", Mulu, nullptr},
    {"nbcd", Nbcd, nullptr},
    {"neg", Neg, nullptr},
    {"negx", Negx, nullptr},
    {"nop", Nop, nullptr},
    {"not", Not, nullptr},
    {"or", Or, nullptr},
    {"ori", Ori, nullptr},
    {"pea", Pea, nullptr},
    {"reset", Reset, nullptr},
    {"rol", Rol, nullptr},
    {"ror", Ror, nullptr},
    {"roxl", Roxl, nullptr},
    {"roxr", Roxr, nullptr},
    {"rte", Rte, nullptr},
    {"rtr", Rtr, nullptr},
    {"rts", Rts, nullptr},
    {"sbcd", Sbcd, nullptr},
    {"stop", Stop, nullptr},
    {"sub", Sub, nullptr},
    {"suba", Suba, nullptr},
    {"subi", Subi, nullptr},
    {"subq", Subq, nullptr},
    {"subx", Subx, nullptr},
    {"swap", Swap, nullptr},
    {"tas", Tas, nullptr},
    {"trap", Trap, nullptr},
    {"trapv", Trapv, nullptr},
    {"tst", Tst, nullptr},
    {"unlk", Unlk, nullptr},
    // DBcc's own spellings: always false, always true, and "decrement and branch".
    {"dbf", DBcc, "Decrement and branch until -1 (condition never true)"},
    {"dbra", DBcc, "Decrement and branch until -1 (condition never true)"},
    {"dbt", DBcc, "Never branches: the condition is always true"},
    {"st", Scc, "Set the byte to all ones"},
    {"sf", Scc, "Set the byte to zero"},
};

constexpr int PlainCount = int(sizeof(PlainNames) / sizeof(PlainNames[0]));
constexpr int NameTotal = PlainCount + ConditionCount * 3;
static_assert(NameTotal == NameCount, "the name count in the header is the table's");

constexpr std::array<Name, NameCount> Names = [] {
    std::array<Name, NameCount> n{};
    for (int i = 0; i < PlainCount; ++i)
        n[i] = PlainNames[i];
    for (int i = 0; i < ConditionCount; ++i) {
        n[PlainCount + i] = Name{conditionNames[i].text, Bcc, Conditions[i].meaning};
        n[PlainCount + ConditionCount + i] =
            Name{conditionNames[ConditionCount + i].text, DBcc, Conditions[i].meaning};
        n[PlainCount + 2 * ConditionCount + i] =
            Name{conditionNames[2 * ConditionCount + i].text, Scc, Conditions[i].meaning};
    }
    return n;
}();

constexpr std::uint64_t packed(const char* word) {
    std::uint64_t key = 0;
    for (int i = 0; word[i] != 0; ++i)
        key |= std::uint64_t(static_cast<unsigned char>(word[i]) | 0x20) << (8 * i);
    return key;
}

constexpr int SlotBits = 9;
constexpr int SlotCount = 1 << SlotBits;

constexpr unsigned slotOf(std::uint64_t key) {
    return unsigned((key * 0x9E3779B97F4A7C15ull) >> (64 - SlotBits));
}

struct NameSlots {
    std::array<std::uint64_t, SlotCount> keys{};
    std::array<std::int16_t, SlotCount> names{};
};

// Open addressing, laid out by the compiler like the word table of the
// colouring.
constexpr NameSlots Slots = [] {
    NameSlots s;
    for (int i = 0; i < NameCount; ++i) {
        const std::uint64_t key = packed(Names[i].name);
        unsigned slot = slotOf(key);
        while (s.keys[slot] != 0)
            slot = (slot + 1) & (SlotCount - 1);
        s.keys[slot] = key;
        s.names[slot] = std::int16_t(i);
    }
    return s;
}();

} // namespace

const Form& formAt(int index) {
    return Forms[index];
}

const Group& groupAt(int index) {
    return Groups[index];
}

const Name& nameAt(int index) {
    return Names[index];
}

int nameOfKey(std::uint64_t key) {
    for (unsigned slot = slotOf(key); Slots.keys[slot] != 0; slot = (slot + 1) & (SlotCount - 1)) {
        if (Slots.keys[slot] == key)
            return Slots.names[slot];
    }
    return -1;
}

} // namespace quaredit::m68k::table
