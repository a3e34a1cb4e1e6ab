#include "ui/editor/EditorMarkers.h"

#include "core/asm/AsmTokenizer.h"
#include "core/asm/EditorColours.h"

#include <Qsci/qsciscintilla.h>

namespace quaredit::markers {

MarkerColours lightMarkerColours() {
    return {QColor(0xD0, 0x30, 0x30), QColor(0x90, 0x10, 0x10), QColor(0xE0, 0x20, 0x20)};
}

MarkerColours darkMarkerColours() {
    // Lighter reds: the light set's dark outline would vanish on a dark margin.
    return {QColor(0xF0, 0x5A, 0x5A), QColor(0xFF, 0xB4, 0xB4), QColor(0xFF, 0x6B, 0x6B)};
}

void defineMarkers(QsciScintilla* editor, const MarkerColours& colours) {
    for (const int marker : {ErrorMarker, InstructionMarker}) {
        editor->markerDefine(QsciScintilla::Circle, marker);
        editor->setMarkerBackgroundColor(colours.error, marker);
        editor->setMarkerForegroundColor(colours.errorEdge, marker);
    }
    // The build's warnings and notes share the margin: defining the check's
    // markers again (a change of colours) must not hide them.
    editor->SendScintilla(QsciScintillaBase::SCI_SETMARGINMASKN, SymbolMargin,
                          long((1 << ErrorMarker) | (1 << InstructionMarker) |
                               (1 << EditorMarkers::WarningMarker) |
                               (1 << EditorMarkers::NoteMarker)));
    editor->SendScintilla(QsciScintillaBase::SCI_INDICSETSTYLE, InstructionIndicator,
                          long(QsciScintillaBase::INDIC_SQUIGGLE));
    editor->SendScintilla(QsciScintillaBase::SCI_INDICSETFORE, InstructionIndicator, colours.fault);
    editor->SendScintilla(QsciScintillaBase::SCI_INDICSETUNDER, InstructionIndicator, 1L);
}

void showSymbolMargin(QsciScintilla* editor, bool shown) {
    editor->setMarginWidth(SymbolMargin, shown ? SymbolMarginWidth : 0);
}

} // namespace quaredit::markers

namespace quaredit::EditorMarkers {

namespace {

const char* const ExtendedStylesProperty = "quareditMarkStyles";

long rgb(const QColor& c) {
    return long(c.red()) | (long(c.green()) << 8) | (long(c.blue()) << 16);
}

// The three note styles sit past the lexer's styles, allocated once per
// editor.
int noteStyleBase(QsciScintilla& editor) {
    const QVariant known = editor.property(ExtendedStylesProperty);
    if (known.isValid())
        return known.toInt();
    const int base = int(editor.SendScintilla(QsciScintillaBase::SCI_ALLOCATEEXTENDEDSTYLES, 3L));
    editor.setProperty(ExtendedStylesProperty, base);
    editor.SendScintilla(QsciScintillaBase::SCI_ANNOTATIONSETSTYLEOFFSET, base);
    return base;
}

constexpr MarkKind kinds[] = {MarkKind::Error, MarkKind::Warning, MarkKind::Note};

} // namespace

int markerOf(MarkKind kind) {
    switch (kind) {
    case MarkKind::Error:
        return ErrorMarker;
    case MarkKind::Warning:
        return WarningMarker;
    case MarkKind::Note:
        return NoteMarker;
    }
    return ErrorMarker;
}

MarkColours colours(MarkKind kind, bool dark) {
    const EditorColours& set = editorColours(dark);
    const auto colour = [](Rgb rgb) { return QColor::fromRgb(QRgb(rgb)); };
    const auto syntax = [&](AsmClass c) { return colour(set.syntax[size_t(c)]); };
    MarkColours c{{}, {}, colour(set.annotationText), colour(set.annotationPaper)};
    // The panel's words borrow the syntax colours of the same hue, which
    // keep their contrast on the paper where the markers' brighter ones
    // need not.
    switch (kind) {
    case MarkKind::Error:
        c.marker = colour(set.errorMarker);
        c.text = syntax(AsmClass::Label);
        break;
    case MarkKind::Warning:
        c.marker = colour(set.warningMarker);
        c.text = syntax(AsmClass::Number);
        break;
    case MarkKind::Note:
        c.marker = c.text = syntax(AsmClass::LibraryCall);
        break;
    }
    return c;
}

bool showsDark(QsciScintilla& editor) {
    const long back = editor.SendScintilla(QsciScintillaBase::SCI_STYLEGETBACK,
                                           long(QsciScintillaBase::STYLE_DEFAULT));
    return QColor(int(back & 0xff), int(back >> 8 & 0xff), int(back >> 16 & 0xff)).lightness() <
           128;
}

void define(QsciScintilla& editor) {
    const bool dark = showsDark(editor);
    // A warning is a triangle, a note a small square: told apart from the
    // error's circle by shape as well as by colour.
    editor.markerDefine(QsciScintilla::RightTriangle, WarningMarker);
    editor.markerDefine(QsciScintilla::SmallRectangle, NoteMarker);
    for (const MarkKind kind : {MarkKind::Warning, MarkKind::Note}) {
        const MarkColours c = colours(kind, dark);
        editor.setMarkerForegroundColor(c.marker, markerOf(kind));
        editor.setMarkerBackgroundColor(c.marker, markerOf(kind));
    }
    const int mask = (1 << ErrorMarker) | (1 << markers::InstructionMarker) | (1 << WarningMarker) |
                     (1 << NoteMarker);
    editor.setMarginType(MarkerMargin, QsciScintilla::SymbolMargin);
    editor.setMarginMarkerMask(MarkerMargin, mask);
    markers::showSymbolMargin(&editor, true);
    const int base = noteStyleBase(editor);
    const QFont font = editor.font();
    for (int i = 0; i < 3; ++i) {
        const MarkColours c = colours(kinds[i], dark);
        const long style = base + i;
        editor.SendScintilla(QsciScintillaBase::SCI_STYLESETFORE, style, rgb(c.noteText));
        editor.SendScintilla(QsciScintillaBase::SCI_STYLESETBACK, style, rgb(c.notePaper));
        editor.SendScintilla(QsciScintillaBase::SCI_STYLESETFONT, style,
                             font.family().toLatin1().constData());
        editor.SendScintilla(QsciScintillaBase::SCI_STYLESETSIZE, style,
                             long(std::max(font.pointSize() - 1, 6)));
    }
    editor.SendScintilla(QsciScintillaBase::SCI_ANNOTATIONSETVISIBLE,
                         long(QsciScintillaBase::ANNOTATION_BOXED));
}

int mark(QsciScintilla& editor, int line, MarkKind kind) {
    return editor.markerAdd(line, markerOf(kind));
}

int lineOf(QsciScintilla& editor, int handle) {
    return handle < 0 ? -1 : editor.markerLine(handle);
}

void annotate(QsciScintilla& editor, int line, const QString& text, MarkKind kind) {
    const long offset =
        long(std::distance(std::begin(kinds), std::find(std::begin(kinds), std::end(kinds), kind)));
    editor.SendScintilla(QsciScintillaBase::SCI_ANNOTATIONSETTEXT, line,
                         text.toLatin1().constData());
    editor.SendScintilla(QsciScintillaBase::SCI_ANNOTATIONSETSTYLE, line, offset);
}

void clear(QsciScintilla& editor) {
    for (const MarkKind kind : kinds)
        editor.markerDeleteAll(markerOf(kind));
    editor.SendScintilla(QsciScintillaBase::SCI_ANNOTATIONCLEARALL);
}

} // namespace quaredit::EditorMarkers
