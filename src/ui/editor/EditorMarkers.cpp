#include "ui/editor/EditorMarkers.h"

#include <Qsci/qsciscintilla.h>

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

MarkColours colours(MarkKind kind) {
    // Dark enough on a light paper to read at 4.5:1.
    switch (kind) {
    case MarkKind::Error:
        return {QColor(0xB0, 0x00, 0x20), QColor(0xFF, 0xE4, 0xE4)};
    case MarkKind::Warning:
        return {QColor(0x8A, 0x5A, 0x00), QColor(0xFF, 0xF1, 0xCC)};
    case MarkKind::Note:
        return {QColor(0x1F, 0x4E, 0x99), QColor(0xE4, 0xEE, 0xFF)};
    }
    return {};
}

void define(QsciScintilla& editor) {
    // An error is a filled circle, a warning a triangle-like arrow, a note
    // a small square: told apart by shape as well as by colour.
    editor.markerDefine(QsciScintilla::Circle, ErrorMarker);
    editor.markerDefine(QsciScintilla::RightTriangle, WarningMarker);
    editor.markerDefine(QsciScintilla::SmallRectangle, NoteMarker);
    for (const MarkKind kind : kinds) {
        const MarkColours c = colours(kind);
        editor.setMarkerForegroundColor(c.text, markerOf(kind));
        editor.setMarkerBackgroundColor(c.text, markerOf(kind));
    }
    const int mask = (1 << ErrorMarker) | (1 << WarningMarker) | (1 << NoteMarker);
    editor.setMarginType(MarkerMargin, QsciScintilla::SymbolMargin);
    editor.setMarginMarkerMask(MarkerMargin, mask);
    editor.setMarginWidth(MarkerMargin, 14);
    const int base = noteStyleBase(editor);
    const QFont font = editor.font();
    for (int i = 0; i < 3; ++i) {
        const MarkColours c = colours(kinds[i]);
        const long style = base + i;
        editor.SendScintilla(QsciScintillaBase::SCI_STYLESETFORE, style, rgb(c.text));
        editor.SendScintilla(QsciScintillaBase::SCI_STYLESETBACK, style, rgb(c.paper));
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
