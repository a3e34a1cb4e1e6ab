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
    bool bold;
};

// Labels and library calls in bold because they are what the eye looks for
// when reading a program. The colours come from the editor's colour set.
constexpr std::array<StyleLook, AsmClassCount> Looks = {{
    {"Default", false},
    {"Comment", false},
    {"Label", true},
    {"Local label", false},
    {"Mnemonic", false},
    {"Directive", false},
    {"Register", false},
    {"Number", false},
    {"String", false},
    {"Immediate", false},
    {"Library call", true},
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
    return QColor(validStyle(style) ? QRgb(colours_->syntax[style]) : QRgb(colours_->text));
}

QColor AsmLexer::defaultPaper(int) const {
    return QColor(colours_->paper);
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

void AsmLexer::setColours(const EditorColours& colours) {
    colours_ = &colours;
    for (int style = 0; style < AsmClassCount; ++style) {
        setColor(QColor(colours.syntax[style]), style);
        setPaper(QColor(colours.paper), style);
    }
    // The editor paints past the last line and beside short lines with the
    // default style's paper.
    setDefaultPaper(QColor(colours.paper));
    setDefaultColor(QColor(colours.text));
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
