#include "core/asm/AsmWords.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace quaredit {

namespace {

// The 68000's instructions, the conditional ones spelled out for every
// condition the assemblers accept (hs and lo stand for cc and cs).
constexpr const char* Mnemonics[] = {
    "abcd",  "add",  "adda", "addi", "addq", "addx",  "and",   "andi",  "asl",     "asr",  "bcc",
    "bcs",   "beq",  "bge",  "bgt",  "bhi",  "ble",   "bls",   "blt",   "bmi",     "bne",  "bpl",
    "bvc",   "bvs",  "bhs",  "blo",  "bra",  "bsr",   "bchg",  "bclr",  "bset",    "btst", "chk",
    "clr",   "cmp",  "cmpa", "cmpi", "cmpm", "dbcc",  "dbcs",  "dbeq",  "dbf",     "dbge", "dbgt",
    "dbhi",  "dble", "dbls", "dblt", "dbmi", "dbne",  "dbpl",  "dbt",   "dbvc",    "dbvs", "dbhs",
    "dblo",  "dbra", "divs", "divu", "eor",  "eori",  "exg",   "ext",   "illegal", "jmp",  "jsr",
    "lea",   "link", "lsl",  "lsr",  "move", "movea", "movem", "movep", "moveq",   "muls", "mulu",
    "nbcd",  "neg",  "negx", "nop",  "not",  "or",    "ori",   "pea",   "reset",   "rol",  "ror",
    "roxl",  "roxr", "rte",  "rtr",  "rts",  "sbcd",  "scc",   "scs",   "seq",     "sf",   "sge",
    "sgt",   "shi",  "sle",  "sls",  "slt",  "smi",   "sne",   "spl",   "st",      "svc",  "svs",
    "shs",   "slo",  "stop", "sub",  "suba", "subi",  "subq",  "subx",  "swap",    "tas",  "trap",
    "trapv", "tst",  "unlk",
};

// "end" is not among them: it has a kind of its own.
constexpr const char* Directives[] = {
    "include", "incbin", "incdir", "xdef",    "xref",  "public", "equ",   "equr",   "set",
    "reg",     "dc",     "dcb",    "ds",      "blk",   "even",   "odd",   "cnop",   "align",
    "section", "code",   "data",   "bss",     "org",   "rorg",   "macro", "endm",   "mexit",
    "rept",    "endr",   "if",     "ifd",     "ifnd",  "ifeq",   "ifne",  "ifgt",   "ifge",
    "iflt",    "ifle",   "ifc",    "ifnc",    "ifb",   "ifnb",   "else",  "elseif", "endc",
    "endif",   "opt",    "rs",     "rsreset", "rsset", "offset", "list",  "nolist", "page",
    "spc",     "ttl",    "idnt",   "fail",
};

constexpr const char* EndWord = "end";

constexpr int TableBits = 9;
constexpr int TableSize = 1 << TableBits;

constexpr std::uint64_t packed(const char* word) {
    std::uint64_t key = 0;
    for (int i = 0; word[i] != 0; ++i)
        key |= std::uint64_t(static_cast<unsigned char>(word[i]) | 0x20) << (8 * i);
    return key;
}

constexpr unsigned slotOf(std::uint64_t key) {
    return unsigned((key * 0x9E3779B97F4A7C15ull) >> (64 - TableBits));
}

struct WordTable {
    std::array<std::uint64_t, TableSize> keys{};
    std::array<AsmWordKind, TableSize> kinds{};

    constexpr void add(const char* word, AsmWordKind kind) {
        const std::uint64_t key = packed(word);
        unsigned slot = slotOf(key);
        while (keys[slot] != 0 && keys[slot] != key)
            slot = (slot + 1) & (TableSize - 1);
        keys[slot] = key;
        kinds[slot] = kind;
    }
};

// Built by the compiler: the lookup runs for every line and needs no guard.
constexpr WordTable table = [] {
    WordTable t;
    for (const char* w : Mnemonics)
        t.add(w, AsmWordKind::Mnemonic);
    for (const char* w : Directives)
        t.add(w, AsmWordKind::Directive);
    t.add(EndWord, AsmWordKind::End);
    return t;
}();

constexpr bool fitsInAKey(const char* word) {
    int n = 0;
    while (word[n] != 0)
        ++n;
    return n > 0 && n <= AsmWordKeyLength;
}
static_assert(std::all_of(std::begin(Mnemonics), std::end(Mnemonics), fitsInAKey) &&
              std::all_of(std::begin(Directives), std::end(Directives), fitsInAKey));

} // namespace

std::span<const char* const> asmMnemonics() {
    return Mnemonics;
}

std::span<const char* const> asmDirectives() {
    return Directives;
}

AsmWordKind asmWordKindOfKey(std::uint64_t key) {
    for (unsigned slot = slotOf(key); table.keys[slot] != 0; slot = (slot + 1) & (TableSize - 1)) {
        if (table.keys[slot] == key)
            return table.kinds[slot];
    }
    return AsmWordKind::None;
}

AsmWordKind asmWordKind(QByteArrayView word) {
    if (word.isEmpty() || word.size() > AsmWordKeyLength)
        return AsmWordKind::None;
    std::uint64_t key = 0;
    for (qsizetype i = 0; i < word.size(); ++i)
        key |= std::uint64_t(static_cast<unsigned char>(word[i]) | 0x20u) << (8 * i);
    return asmWordKindOfKey(key);
}

} // namespace quaredit
