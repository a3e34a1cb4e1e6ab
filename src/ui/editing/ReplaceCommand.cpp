#include "ui/editing/ReplaceCommand.h"

#include "core/documents/TextFile.h"
#include "core/documents/TextReplace.h"
#include "ui/common/WindowServices.h"
#include "ui/editing/EditorServices.h"
#include "ui/editing/ReplaceDialog.h"
#include "ui/editing/StatusNote.h"
#include "ui/editor/EditorAccess.h"

#include <QLabel>

namespace quaredit {

namespace {

const QString Caption = QStringLiteral("Replace");

} // namespace

ReplaceCommand::ReplaceCommand(const EditorFeaturesContext& context, QObject* parent)
    : QObject(parent), context_(context), dialog_(new ReplaceDialog(context.window)) {
    connect(dialog_, &ReplaceDialog::findNext, this, [this] { findNext(); });
    connect(dialog_, &ReplaceDialog::replace, this, &ReplaceCommand::replaceOne);
    connect(dialog_, &ReplaceDialog::replaceAll, this, &ReplaceCommand::replaceAll);
}

void ReplaceCommand::MNU_Edit_ReplaceClick() {
    // A selection within one line is what the user most likely wants replaced.
    const QString selected = context_.access->selectedText();
    const bool oneLine =
        !selected.contains(QLatin1Char('\n')) && !selected.contains(QLatin1Char('\r'));
    dialog_->present(oneLine ? selected : QString());
}

void ReplaceCommand::tell(const QString& text) const {
    if (context_.note)
        context_.note->tell(text);
}

bool ReplaceCommand::findNext() {
    const QString needle = dialog_->searchText();
    if (needle.isEmpty())
        return false;
    EditorAccess& editor = *context_.access;
    const QByteArrayView text = editor.view();
    const qsizetype from = editor.selectionStart() + editor.selectionLength();
    auto at = findText(text, needle, from, dialog_->options());
    bool wrapped = false;
    if (!at && from > 0) {
        at = findText(text, needle, 0, dialog_->options());
        wrapped = at.has_value();
    }
    if (!at) {
        tell(QString());
        context_.services->messageBox(QStringLiteral("Text Not Found"), Caption,
                                      MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    editor.setSelection(int(*at), int(needle.size()));
    context_.editorServices->UpdateCaretStatus();
    tell(wrapped ? QStringLiteral("Passed the end of the text, continued from the top")
                 : QString());
    return true;
}

std::optional<QByteArray> ReplaceCommand::replacement() const {
    const auto bytes = replacementBytes(dialog_->replacementText());
    if (!bytes) {
        context_.services->messageBox(
            QStringLiteral("The replacement text holds characters that a source cannot store."),
            Caption, MsgIcon::Warning, MsgButtons::Ok);
    }
    return bytes;
}

// A text past the editor's limit could not be opened again once saved.
bool ReplaceCommand::fits(qsizetype newLength) const {
    if (newLength <= MaxEditorChars)
        return true;
    context_.services->messageBox(
        QStringLiteral("Replacing would make the text longer than %1 characters. Nothing was "
                       "replaced.")
            .arg(MaxEditorChars),
        Caption, MsgIcon::Warning, MsgButtons::Ok);
    return false;
}

void ReplaceCommand::replaceOne() {
    const QString needle = dialog_->searchText();
    const auto bytes = replacement();
    if (needle.isEmpty() || !bytes)
        return;
    EditorAccess& editor = *context_.access;
    const int start = editor.selectionStart();
    const int length = editor.selectionLength();
    if (isMatchAt(editor.view(), needle, start, length, dialog_->options())) {
        if (!fits(editor.length() - length + bytes->size()))
            return;
        editor.replaceBytes(start, start + length, *bytes);
        editor.setSelectionStart(start + int(bytes->size()));
    }
    findNext();
}

void ReplaceCommand::replaceAll() {
    const QString needle = dialog_->searchText();
    const auto bytes = replacement();
    if (needle.isEmpty() || !bytes)
        return;
    EditorAccess& editor = *context_.access;
    const auto edit = quaredit::replaceAll(editor.view(), needle, *bytes, dialog_->options());
    if (!edit) {
        tell(QStringLiteral("0 occurrences replaced"));
        return;
    }
    if (!fits(editor.length() - (edit->end - edit->start) + edit->replacement.size()))
        return;
    const int caret = editor.caretPosition();
    const int top = editor.firstVisibleLine();
    editor.replaceBytes(int(edit->start), int(edit->end), edit->replacement);
    editor.setSelectionStart(int(edit->mapOffset(caret, bytes->size())));
    editor.scrollLines(top - editor.firstVisibleLine());
    context_.editorServices->UpdateCaretStatus();
    tell(edit->count() == 1 ? QStringLiteral("1 occurrence replaced")
                            : QStringLiteral("%1 occurrences replaced").arg(edit->count()));
}

} // namespace quaredit
