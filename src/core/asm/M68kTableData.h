#pragma once

#include "core/asm/M68kTable.h"

namespace quaredit::m68k::table {

// The groups of forms, in table order.
enum GroupId : std::uint8_t {
    Abcd,
    Add,
    Adda,
    Addi,
    Addq,
    Addx,
    And,
    Andi,
    Asl,
    Asr,
    Bcc,
    Bchg,
    Bclr,
    Bra,
    Bset,
    Bsr,
    Btst,
    Chk,
    Clr,
    Cmp,
    Cmpa,
    Cmpi,
    Cmpm,
    DBcc,
    Divs,
    Divu,
    Eor,
    Eori,
    Exg,
    Ext,
    Illegal,
    Jmp,
    Jsr,
    Lea,
    Link,
    Lsl,
    Lsr,
    Move,
    Movea,
    Movem,
    Movep,
    Moveq,
    Muls,
    Mulu,
    Nbcd,
    Neg,
    Negx,
    Nop,
    Not,
    Or,
    Ori,
    Pea,
    Reset,
    Rol,
    Ror,
    Roxl,
    Roxr,
    Rte,
    Rtr,
    Rts,
    Sbcd,
    Scc,
    Stop,
    Sub,
    Suba,
    Subi,
    Subq,
    Subx,
    Swap,
    Tas,
    Trap,
    Trapv,
    Tst,
    Unlk,
    GroupCount
};

constexpr int NameCount = 124;

const Form& formAt(int index);
const Group& groupAt(int index);
const Name& nameAt(int index);
// The name whose packed key (letters with bit 5 set, first in the low byte,
// as AsmWords packs them) is `key`; -1 for none.
int nameOfKey(std::uint64_t key);

} // namespace quaredit::m68k::table
