#include "ui/editing/LabelJumps.h"

#include "core/asm/SourceNames.h"
#include "ui/editing/EditorServices.h"
#include "ui/editing/StatusNote.h"
#include "ui/editor/EditorAccess.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <Qsci/qsciscintilla.h>

namespace quaredit {

namespace {

constexpr int MaxHistory = 100;

} // namespace

LabelJumps::LabelJumps(const EditorFeaturesContext& context, QObject* parent)
    : QObject(parent), context_(context) {
    context_.editor->viewport()->installEventFilter(this);
}

quintptr LabelJumps::currentDocument() const {
    return quintptr(context_.editor->SendScintillaPtrResult(QsciScintillaBase::SCI_GETDOCPOINTER));
}

void LabelJumps::tell(const QString& text) const {
    if (context_.note)
        context_.note->tell(text);
}

void LabelJumps::MNU_Edit_GotoDefinitionClick() {
    goToDefinitionAt(context_.access->caretPosition());
}

bool LabelJumps::goToDefinitionAt(int offset) {
    EditorAccess& editor = *context_.access;
    const QByteArrayView text = editor.view();
    const NameRange range = nameAt(text, offset);
    if (range.isEmpty()) {
        QApplication::beep();
        return false;
    }
    const QByteArray name = text.sliced(range.start, range.end - range.start).toByteArray();
    const auto line = definitionLine(text, name, editor.lineOfOffset(offset));
    if (!line) {
        tell(QStringLiteral("No definition of %1 in this source").arg(QString::fromLatin1(name)));
        QApplication::beep();
        return false;
    }
    if (history_.size() >= MaxHistory)
        history_.removeFirst();
    history_.append({currentDocument(), editor.caretPosition(), editor.firstVisibleLine()});
    editor.setSelectionStart(editor.offsetOfLine(*line));
    // A definition already on the screen is reached without moving the view.
    const int top = editor.firstVisibleLine();
    const int shown = int(context_.editor->SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN));
    if (*line < top || *line >= top + shown)
        context_.editorServices->ScrollToLine(*line);
    else
        context_.editorServices->UpdateCaretStatus();
    tell(QString());
    return true;
}

void LabelJumps::MNU_Edit_GoBackClick() {
    // Places left in another document are of no use here any more.
    const quintptr document = currentDocument();
    while (!history_.isEmpty() && history_.last().document != document)
        history_.removeLast();
    if (history_.isEmpty()) {
        QApplication::beep();
        return;
    }
    const Place place = history_.takeLast();
    EditorAccess& editor = *context_.access;
    editor.setSelectionStart(place.caret);
    context_.editorServices->ScrollToLine(place.topLine);
}

// Ctrl+click: the editor has placed the caret at the press; a release at the
// same spot, not the end of a drag, jumps.
bool LabelJumps::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        pressedAt_ = static_cast<QMouseEvent*>(event)->position().toPoint();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint at = mouse->position().toPoint();
        if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ControlModifier) &&
            (at - pressedAt_).manhattanLength() <= QApplication::startDragDistance()) {
            const long offset = context_.editor->SendScintilla(
                QsciScintillaBase::SCI_POSITIONFROMPOINTCLOSE, static_cast<unsigned long>(at.x()),
                static_cast<long>(at.y()));
            // After the editor has handled the release: it would otherwise
            // put the caret under the mouse again, in the scrolled view.
            if (offset >= 0)
                QMetaObject::invokeMethod(
                    this, [this, offset] { goToDefinitionAt(int(offset)); }, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quaredit
