#include "ui/editor/EditorAppearance.h"

#include "ui/editor/AsmLexer.h"
#include "ui/editor/EditNotices.h"

#include "core/settings/ColourScheme.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <Qsci/qsciscintilla.h>

namespace quaredit {

namespace {

constexpr int MarginPadding = 10; // pixels beside the widest number

int digitsOf(int n) {
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

} // namespace

EditorAppearance::EditorAppearance(QsciScintilla* editor, EditNotices& notices,
                                   std::function<bool()> plainDocument, QObject* parent)
    : QObject(parent), editor_(editor), plainDocument_(std::move(plainDocument)),
      lexer_(new AsmLexer(this)), font_(editor->font()) {
    lexer_->setPlainDocument(plainDocument_);
    connect(&notices, &EditNotices::changed, this, &EditorAppearance::updateMarginWidth);
    // A theme switched while the editor runs reaches the windows as a
    // palette change.
    editor->installEventFilter(this);
    editor->window()->installEventFilter(this);
}

EditorAppearance::~EditorAppearance() {
    // Whichever of the two the window deletes first, the other must not keep
    // a pointer to it.
    if (editor_ && editor_->lexer() == lexer_)
        editor_->setLexer(nullptr);
}

bool EditorAppearance::coloursActive() const {
    return editor_->lexer() == lexer_;
}

int EditorAppearance::modeKey() const {
    return generation_ * 4 + (coloursActive() ? 2 : 0) + (lexer_->isPlain() ? 1 : 0);
}

bool EditorAppearance::darkColours() const {
    return useDarkColours(look_.colourScheme,
                          QGuiApplication::palette().color(QPalette::Base).rgb());
}

const EditorColours& EditorAppearance::colours() const {
    return *colours_;
}

void EditorAppearance::applyColours() {
    colours_ = &editorColours(darkColours());
    const EditorColours& c = *colours_;
    lexer_->setColours(c);
    // Without a lexer (colours off, or before the first look) the editor's
    // own default style draws the text.
    editor_->setPaper(QColor(c.paper));
    editor_->setColor(QColor(c.text));
    editor_->setCaretForegroundColor(QColor(c.caret));
    editor_->setCaretLineBackgroundColor(QColor(c.currentLine));
    editor_->setSelectionBackgroundColor(QColor(c.selection));
    // The text keeps its own colours when selected; the selection paper is
    // chosen so that every one of them still reads on it.
    editor_->resetSelectionForegroundColor();
    editor_->setMarginsForegroundColor(QColor(c.marginText));
    editor_->setMarginsBackgroundColor(QColor(c.marginPaper));
    editor_->setFoldMarginColors(QColor(c.marginPaper), QColor(c.marginPaper));
    emit coloursChanged(c);
}

bool EditorAppearance::eventFilter(QObject* watched, QEvent* event) {
    // The event's type first: a widget being destroyed still sends events,
    // and the editor must not be looked at then.
    if ((event->type() == QEvent::ApplicationPaletteChange ||
         event->type() == QEvent::PaletteChange) &&
        editor_ && (watched == editor_ || watched == editor_->window()) && applied_ &&
        colours_ != &editorColours(darkColours())) {
        applyColours();
        editor_->viewport()->update();
    }
    return QObject::eventFilter(watched, event);
}

void EditorAppearance::apply(const EditorLook& look) {
    const bool lexerChange = !applied_ || look.syntaxColours != look_.syntaxColours;
    look_ = look;
    applied_ = true;
    if (lexerChange) {
        ++generation_;
        if (look.syntaxColours) {
            lexer_->setEditorFont(font_);
            editor_->setLexer(lexer_); // restyles the document on screen
        } else {
            editor_->setLexer(nullptr);
            // Without a lexer every style falls back to the editor's defaults;
            // the old styles of the document must not pick other fonts.
            editor_->SendScintilla(QsciScintillaBase::SCI_CLEARDOCUMENTSTYLE);
            editor_->setFont(font_);
        }
        shownAs_.clear();
        shownAs_.insert(
            quintptr(editor_->SendScintillaPtrResult(QsciScintillaBase::SCI_GETDOCPOINTER)),
            modeKey());
    }
    // After the lexer: attaching or removing one resets the editor's colours.
    applyColours();
    styleMargins();
    editor_->setMarginLineNumbers(0, look.lineNumbers);
    marginDigits_ = 0;
    updateMarginWidth();
    editor_->setCaretLineVisible(look.currentLine);
}

void EditorAppearance::setEditorFont(const QFont& font) {
    font_ = font;
    if (coloursActive()) {
        lexer_->setEditorFont(font);
        // Kept on the widget too, for whoever asks the editor its font.
        editor_->QWidget::setFont(font);
    } else {
        editor_->setFont(font);
    }
    styleMargins();
    marginDigits_ = 0;
    updateMarginWidth();
}

void EditorAppearance::styleMargins() {
    editor_->setMarginsFont(font_);
    editor_->setMarginsForegroundColor(QColor(colours_->marginText));
    editor_->setMarginsBackgroundColor(QColor(colours_->marginPaper));
}

void EditorAppearance::updateMarginWidth() {
    if (!look_.lineNumbers) {
        editor_->setMarginWidth(0, 0);
        return;
    }
    const int digits = digitsOf(int(editor_->lines()));
    if (digits == marginDigits_)
        return;
    marginDigits_ = digits;
    const int text = int(editor_->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH,
                                                QsciScintillaBase::STYLE_LINENUMBER,
                                                QByteArray(digits, '9').constData()));
    editor_->setMarginWidth(0, text + MarginPadding);
}

void EditorAppearance::documentShown() {
    if (!applied_)
        return;
    marginDigits_ = 0;
    updateMarginWidth();
    const auto doc =
        quintptr(editor_->SendScintillaPtrResult(QsciScintillaBase::SCI_GETDOCPOINTER));
    const int mode = modeKey();
    const auto known = shownAs_.constFind(doc);
    if (known != shownAs_.cend() && *known == mode)
        return;
    shownAs_.insert(doc, mode);
    if (coloursActive()) {
        // Styled under another look: style again from the top, as far as the
        // editor asks when it paints.
        editor_->SendScintilla(QsciScintillaBase::SCI_STARTSTYLING, 0UL, 0x1fL);
    } else {
        editor_->SendScintilla(QsciScintillaBase::SCI_CLEARDOCUMENTSTYLE);
    }
    editor_->viewport()->update();
}

} // namespace quaredit
