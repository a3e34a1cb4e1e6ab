#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace quaredit::m68k {

// Clock cycles of one way through an instruction, with its bus cycles: a
// range where the data decides (multiply, divide, a shift by a register).
struct Cost {
    int min = 0;
    int max = 0;
    int reads = 0;
    int writes = 0;
};

struct Timing {
    Cost taken;            // the only way for an instruction that does not branch
    Cost notTaken;         // for a conditional branch: falling through
    bool branches = false; // Bcc and DBcc; BRA and BSR always go
};

enum class Verdict : std::uint8_t {
    NotJudged, // no instruction: empty, comment, label, directive, macro, unreadable operand
    Encodable,
    Fault, // the 68000 has no encoding for what is written
};

// What a line says as a 68000 instruction.
struct LineCheck {
    Verdict verdict = Verdict::NotJudged;
    qsizetype mnemonicStart = 0; // the operation word with its size, in the line
    qsizetype mnemonicLength = 0;
    qsizetype faultStart = 0; // the operand or mnemonic at fault
    qsizetype faultLength = 0;
    QString reason; // "ADDQ takes an immediate from 1 to 8"; only for a fault
    int minBytes = 0;
    int maxBytes = 0; // above minBytes when the assembler chooses (an unsized branch)
    Timing timing;
    int instruction = -1; // index of the instruction's entry for instructionHelp
    int form = -1;        // the form that encodes the line
};

// Checks one line without its line break, read as the colouring reads it: a
// name in column 1 is a label, ";" starts a comment, "*" in column 1 makes a
// comment line. Only the 68000's own mnemonics are judged; a macro, a
// directive or a line whose operands cannot be read is not. `wantReason`
// false leaves the reason empty, for the editor's pass over many lines.
LineCheck checkLine(QByteArrayView line, bool wantReason = true);

// The instruction entry named by an operation word (any case, with or
// without size): -1 when it is none.
int instructionOf(QByteArrayView word);

// The help shown for an instruction: name and purpose, syntax forms, sizes,
// the flags line; with `line` checked, what that line costs.
QString instructionHelp(int instruction, const LineCheck* line = nullptr);

// "4 bytes, 16 cycles", "4 bytes, 10 taken / 8 not taken", "38-70 cycles".
QString costText(const LineCheck& line);

// The sum over many lines, as the status bar shows it for a selection.
struct Total {
    int lines = 0; // instructions counted
    long long bytes = 0;
    long long cycles = 0;
    bool bytesUncertain = false;  // an operand whose size the assembler decides
    bool cyclesUncertain = false; // data or a branch decides
    void add(const LineCheck& line);
};
// "12 bytes, 48 cycles", with "+" after a figure that may be larger.
QString totalText(const Total& total);

// The mnemonics with their size suffixes and an instruction entry.
int instructionCount();
QByteArrayView instructionName(int instruction);

} // namespace quaredit::m68k
