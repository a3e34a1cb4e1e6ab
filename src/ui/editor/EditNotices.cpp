#include "ui/editor/EditNotices.h"

#include <Qsci/qsciscintilla.h>

namespace quaredit {

namespace {

// The editor lets a notice through when any of its flags is in the mask, so
// keeping the landed changes out means keeping out the flags that only say
// who made a change too: every notice of a change carries one of them.
constexpr long kLandedChanges =
    QsciScintillaBase::SC_MOD_INSERTTEXT | QsciScintillaBase::SC_MOD_DELETETEXT |
    QsciScintillaBase::SC_PERFORMED_USER | QsciScintillaBase::SC_PERFORMED_UNDO |
    QsciScintillaBase::SC_PERFORMED_REDO | QsciScintillaBase::SC_MULTISTEPUNDOREDO |
    QsciScintillaBase::SC_LASTSTEPINUNDOREDO | QsciScintillaBase::SC_STARTACTION |
    QsciScintillaBase::SC_MULTILINEUNDOREDO;
constexpr long kComingChanges =
    QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE;

} // namespace

EditNotices::EditNotices(QsciScintilla* editor) : QObject(editor), editor_(editor) {
    QAccessible::installActivationObserver(this);
    accessibilityActiveChanged(QAccessible::isActive());
    connect(editor_, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int, int type, const char*, int length, int, int, int, int, int, int) {
                notice(type, length);
            });
}

EditNotices::~EditNotices() {
    QAccessible::removeActivationObserver(this);
}

bool EditNotices::reportsEachChange() const {
    const long mask = editor_->SendScintilla(QsciScintillaBase::SCI_GETMODEVENTMASK);
    return (mask & kLandedChanges) == kLandedChanges;
}

void EditNotices::accessibilityActiveChanged(bool active) {
    const long mask = editor_->SendScintilla(QsciScintillaBase::SCI_GETMODEVENTMASK);
    const long wanted = (active ? mask | kLandedChanges : mask & ~kLandedChanges) | kComingChanges;
    editor_->SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK,
                           static_cast<unsigned long>(wanted));
}

void EditNotices::notice(int type, int length) {
    // An insertion refused at the editor's limit still comes, with nothing
    // left to insert: it changes nothing, and must not mark the document.
    if (!(type & kComingChanges) || length <= 0)
        return;
    emit aboutToChange();
    if (settlePending_)
        return;
    settlePending_ = true;
    // Queued, it is heard after the change has landed, and before the paint
    // the change asks for, which is posted later.
    QMetaObject::invokeMethod(this, &EditNotices::settle, Qt::QueuedConnection);
}

void EditNotices::settle() {
    settlePending_ = false;
    emit changed();
}

} // namespace quaredit
