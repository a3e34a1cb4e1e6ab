#pragma once

#include <QByteArrayView>
#include <QVector>

namespace quaredit {

// The kinds of text that a 68000 source is coloured by. The values are the
// editor's style numbers, so they stay below 32.
enum class AsmClass : unsigned char {
    Default = 0, // blanks, punctuation, plain symbols
    Comment,     // ";" to the end of the line, "*" lines, all after `end`
    Label,       // a name in column 1, with or without ":"
    LocalLabel,  // "\name", ".name" or "1$", defined or used
    Mnemonic,    // an instruction with its size suffix
    Directive,   // an assembler directive with its size suffix
    Register,    // d0-d7, a0-a7, sp, pc, sr, ccr, usp
    Number,      // $hex, %binary, @octal, decimal
    String,      // '...' or "...", to the closing quote or the end of the line
    Immediate,   // the "#" of an immediate operand
    LibraryCall, // library::function or library@0001
};
constexpr int AsmClassCount = 11;

// What a line hands to the next: after the `end` directive the assembler
// reads nothing more, so the rest of the source is shown as a comment.
struct AsmState {
    bool afterEnd = false;
    bool operator==(const AsmState&) const = default;
};

// Writes the class of every byte of `text` into `classes` (text.size()
// bytes), reading the editor's Latin-1 bytes line by line from `state`; lines
// end at CR LF, LF or CR. Upper and lower case are alike. The line break of
// each line gets the class of the state after the line (Comment after `end`,
// else Default), so that a caller who styles from the middle of a text can
// read the state back from the class of the byte before (asmStateBefore).
// Returns the state after the last line.
AsmState classifyAsm(QByteArrayView text, AsmState state, unsigned char* classes);

// The state at the start of a line whose preceding line break has `cls`.
inline AsmState asmStateBefore(AsmClass lineBreakClass) {
    return AsmState{lineBreakClass == AsmClass::Comment};
}

// The same for one line, as tokens: every run of bytes of one class other
// than Default. For tests and tools; the editor uses classifyAsm.
struct AsmToken {
    qsizetype start = 0;
    qsizetype length = 0;
    AsmClass cls = AsmClass::Default;
};
QVector<AsmToken> asmTokens(QByteArrayView line, AsmState state = {});

} // namespace quaredit
