#include "ui/editor/AsmLexer.h"

#include "core/asm/AsmTokenizer.h"
#include "ui/editor/InstructionMarks.h"

#include <Qsci/qsciscintilla.h>

#include <array>
#include <cstring>

namespace quaredit {

namespace {

struct StyleLook {
    const char* description;
    QRgb colour;
    bool bold;
};

// Dark, saturated colours that keep their contrast on white in a thin
// monospace font; labels and library calls in bold because they are what the
// eye looks for when reading a program.
constexpr std::array<StyleLook, AsmClassCount> Looks = {{
    {"Default", 0x000000, false},
    {"Comment", 0x2F6F2F, false},
    {"Label", 0x9C1C1C, true},
    {"Local label", 0xB0503A, false},
    {"Mnemonic", 0x1A36A0, false},
    {"Directive", 0x7A1F8C, false},
    {"Register", 0x006570, false},
    {"Number", 0xA04E00, false},
    {"String", 0x7A5A00, false},
    {"Immediate", 0xA04E00, false},
    {"Library call", 0x1A36A0, true},
}};

bool validStyle(int style) {
    return style >= 0 && style < AsmClassCount;
}

} // namespace

AsmLexer::AsmLexer(QObject* parent) : QsciLexerCustom(parent) {}

const char* AsmLexer::language() const {
    return "68000 Assembly";
}

QString AsmLexer::description(int style) const {
    return validStyle(style) ? QString::fromLatin1(Looks[style].description) : QString();
}

QColor AsmLexer::defaultColor(int style) const {
    return validStyle(style) ? QColor(Looks[style].colour) : QColor(Qt::black);
}

QColor AsmLexer::defaultPaper(int) const {
    return paper_;
}

QFont AsmLexer::defaultFont(int style) const {
    QFont f = font_;
    if (validStyle(style) && Looks[style].bold)
        f.setBold(true);
    return f;
}

void AsmLexer::setEditorFont(const QFont& font) {
    font_ = font;
    for (int style = 0; style < AsmClassCount; ++style)
        setFont(defaultFont(style), style);
}

void AsmLexer::setPaperColor(const QColor& paper) {
    paper_ = paper;
    for (int style = 0; style < AsmClassCount; ++style)
        setPaper(paper, style);
}

void AsmLexer::styleText(int start, int end) {
    QsciScintilla* ed = editor();
    if (!ed || end <= start)
        return;
    // Whole lines: the tokenizer reads a line at a time, and the editor asks
    // from a line's start up to a position that may fall inside a line.
    const long lastLine = ed->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, end - 1);
    // Past the last line the editor answers -1: style to the end of the text.
    const int to = int(ed->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, lastLine + 1));
    const int stop = to > start ? to : int(ed->SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
    const int length = stop - start;
    if (length <= 0)
        return;
    classes_.resize(length);
    auto* classes = reinterpret_cast<unsigned char*>(classes_.data());
    if (isPlain()) {
        std::memset(classes, int(AsmClass::Default), size_t(length));
    } else {
        const AsmState state =
            start > 0 ? asmStateBefore(AsmClass(
                            ed->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, start - 1) & 0x1f))
                      : AsmState{};
        // A pointer to the range only moves the editor's gap when it lies
        // inside the range, unlike one to the whole text.
        const auto* text = reinterpret_cast<const char*>(
            ed->SendScintilla(QsciScintillaBase::SCI_GETRANGEPOINTER,
                              static_cast<unsigned long>(start), static_cast<long>(length)));
        classifyAsm(QByteArrayView(text, length), state, classes);
        if (checkInstructions_)
            instructionmarks::markLines(ed, start, QByteArrayView(text, length), classes);
    }
    ed->SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, static_cast<unsigned long>(start),
                      0x1fL);
    ed->SendScintilla(QsciScintillaBase::SCI_SETSTYLINGEX, uintptr_t(length), classes_.constData());
}

} // namespace quaredit
