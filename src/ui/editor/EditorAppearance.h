#pragma once

#include "core/asm/EditorColours.h"

#include <QFont>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>

class QsciScintilla;

namespace quaredit {

class EditNotices;

class AsmLexer;

// What the editor shows beside the text: syntax colours, line numbers, the
// current line and the instruction check's marks, as the options ask.
struct EditorLook {
    bool syntaxColours = true;
    bool lineNumbers = true;
    bool currentLine = true;
    qint32 colourScheme = 0; // ColourScheme: follow the desktop, light, dark
    // Marks what the 68000 cannot encode, on the lines the colouring styles.
    bool checkInstructions = true;
};

// Applies the look to the one editor that shows every document. Colours come
// from AsmLexer; off, the editor has no lexer at all and draws as it did
// without one. Each document keeps its own styles, so a document shown again
// is restyled only when the look changed since it was last on screen.
class EditorAppearance : public QObject {
    Q_OBJECT
public:
    // `plainDocument` tells whether the current document is a text file,
    // shown without colours; `notices` say when the line count may change.
    EditorAppearance(QsciScintilla* editor, EditNotices& notices,
                     std::function<bool()> plainDocument, QObject* parent = nullptr);
    ~EditorAppearance() override;

    void apply(const EditorLook& look);
    const EditorLook& look() const { return look_; }
    // The editor's font; with a lexer attached the editor itself ignores it.
    void setEditorFont(const QFont& font);
    // After another document came into the editor, or the current one changed kind.
    void documentShown();

    AsmLexer* lexer() const { return lexer_; }
    bool coloursActive() const;
    // The colour set in use: the look's scheme, or the desktop's when it
    // follows the desktop.
    const EditorColours& colours() const;
    bool darkColours() const;

signals:
    // Other painters beside the text (markers, notes) take the new set.
    void coloursChanged(const EditorColours& colours);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateMarginWidth();
    void styleMargins();
    void applyColours();
    int modeKey() const;

    QPointer<QsciScintilla> editor_;   // the window may delete it first
    QObject* paletteSource_ = nullptr; // the editor's window, told of theme changes
    std::function<bool()> plainDocument_;
    AsmLexer* lexer_;
    EditorLook look_;
    QFont font_;
    const EditorColours* colours_ = &lightEditorColours();
    bool applied_ = false;
    int generation_ = 0; // counts lexer changes
    int marginDigits_ = 0;
    QHash<quintptr, int> shownAs_; // document -> the mode it was last styled in
};

} // namespace quaredit
