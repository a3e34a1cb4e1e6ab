#pragma once

#include <QByteArrayView>
#include <cstdint>
#include <span>

namespace quaredit {

// What a word in the operation field of a 68000 source line is.
enum class AsmWordKind : unsigned char {
    None,      // a macro call, or a typing error
    Mnemonic,  // an instruction of the 68000
    Directive, // an order to the assembler
    End,       // the directive after which the assembler reads nothing more
};

// The operation words that the calculator kernels' assemblers know, in lower
// case and without a size suffix: the 68000 instruction set, and the
// directives of A68k and its relatives.
std::span<const char* const> asmMnemonics();
std::span<const char* const> asmDirectives();

// What `word` (any case, without its size suffix) is as an operation.
AsmWordKind asmWordKind(QByteArrayView word);

// Every word above is made of at most eight letters, so a word packs into one
// integer: byte i holds letter i with bit 5 set (lower case), the rest zero.
// Bit 5 turns no byte that is not a letter into one, so a word with digits,
// "_" or "@" packs to no listed key.
constexpr int AsmWordKeyLength = 8;
AsmWordKind asmWordKindOfKey(std::uint64_t key);

} // namespace quaredit
