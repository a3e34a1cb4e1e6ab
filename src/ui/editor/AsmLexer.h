#pragma once

#include "core/asm/EditorColours.h"

#include <Qsci/qscilexercustom.h>

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <functional>

namespace quaredit {

// Colours 68000 sources in the editor: a thin adapter that styles exactly the
// lines the editor asks for, with the classes the core tokenizer gives. A
// plain document (a text file) gets the default style throughout; which
// document is plain is asked at each request, since the editor may ask while
// a document is being switched in.
class AsmLexer : public QsciLexerCustom {
    Q_OBJECT
public:
    explicit AsmLexer(QObject* parent = nullptr);

    const char* language() const override;
    QString description(int style) const override;
    QColor defaultColor(int style) const override;
    QColor defaultPaper(int style) const override;
    QFont defaultFont(int style) const override;
    void styleText(int start, int end) override;

    // The editor's font for every style; a style may add weight.
    void setEditorFont(const QFont& font);
    // The colour set every style takes its colour and paper from.
    void setColours(const EditorColours& colours);
    const EditorColours& colours() const { return *colours_; }
    void setPlainDocument(std::function<bool()> plain) { plain_ = std::move(plain); }
    bool isPlain() const { return plain_ && plain_(); }
    // Whether the lines styled are also checked as 68000 instructions.
    void setCheckInstructions(bool on) { checkInstructions_ = on; }
    bool checksInstructions() const { return checkInstructions_; }

private:
    QFont font_;
    const EditorColours* colours_ = &lightEditorColours();
    std::function<bool()> plain_;
    bool checkInstructions_ = false;
    QByteArray classes_; // reused between calls: styling runs at every paint
};

} // namespace quaredit
