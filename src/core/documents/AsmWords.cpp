#include "core/documents/AsmWords.h"

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

// Every word above is made of at most eight letters, so a word packs into
// one integer, lower case, and the lookup is a hash of that integer.
constexpr int MaxWordLength = 8;
constexpr int TableBits = 9;
constexpr int TableSize = 1 << TableBits;

std::uint64_t packed(QByteArrayView word) {
    std::uint64_t key = 0;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const unsigned char lower = static_cast<unsigned char>(word[i]) | 0x20;
        key |= std::uint64_t(lower) << (8 * i);
    }
    return key;
}

unsigned slotOf(std::uint64_t key) {
    return unsigned((key * 0x9E3779B97F4A7C15ull) >> (64 - TableBits));
}

struct WordTable {
    std::array<std::uint64_t, TableSize> keys{};
    std::array<AsmWordKind, TableSize> kinds{};

    void add(const char* word, AsmWordKind kind) {
        const std::uint64_t key = packed(QByteArrayView(word));
        unsigned slot = slotOf(key);
        while (keys[slot] != 0 && keys[slot] != key)
            slot = (slot + 1) & (TableSize - 1);
        keys[slot] = key;
        kinds[slot] = kind;
    }
};

const WordTable& table() {
    static const WordTable words = [] {
        WordTable t;
        for (const char* w : Mnemonics)
            t.add(w, AsmWordKind::Mnemonic);
        for (const char* w : Directives)
            t.add(w, AsmWordKind::Directive);
        t.add(EndWord, AsmWordKind::End);
        return t;
    }();
    return words;
}

} // namespace

std::span<const char* const> asmMnemonics() {
    return Mnemonics;
}

std::span<const char* const> asmDirectives() {
    return Directives;
}

AsmWordKind asmWordKind(QByteArrayView word) {
    if (word.isEmpty() || word.size() > MaxWordLength)
        return AsmWordKind::None;
    // Packed and checked in one pass: this runs for every line of a source.
    std::uint64_t key = 0;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const unsigned lower = static_cast<unsigned char>(word[i]) | 0x20u;
        if (lower - 'a' >= 26)
            return AsmWordKind::None;
        key |= std::uint64_t(lower) << (8 * i);
    }
    const WordTable& t = table();
    for (unsigned slot = slotOf(key); t.keys[slot] != 0; slot = (slot + 1) & (TableSize - 1)) {
        if (t.keys[slot] == key)
            return t.kinds[slot];
    }
    return AsmWordKind::None;
}

} // namespace quaredit
