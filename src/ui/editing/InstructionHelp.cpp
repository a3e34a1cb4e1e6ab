#include "ui/editing/InstructionHelp.h"

#include "core/asm/M68kCheck.h"
#include "core/text/Latin1Search.h"
#include "ui/editor/EditorAccess.h"

#include <Qsci/qsciscintilla.h>

#include <QAction>
#include <QLabel>
#include <QToolTip>

namespace quaredit {

InstructionHelp::InstructionHelp(const EditorFeaturesContext& context, QObject* parent)
    : QObject(parent), context_(context), helpKey_(new QAction(this)) {
    QsciScintilla* editor = context_.editor;
    editor->SendScintilla(QsciScintillaBase::SCI_SETMOUSEDWELLTIME, long(DwellMs));
    connect(editor, &QsciScintillaBase::SCN_DWELLSTART, this, &InstructionHelp::dwellStarted);
    connect(editor, &QsciScintillaBase::SCN_DWELLEND, this, [] { QToolTip::hideText(); });
    connect(editor, &QsciScintilla::selectionChanged, this, &InstructionHelp::selectionChanged);
    // F1 belongs to the editor: the help of what is being typed.
    helpKey_->setObjectName(QStringLiteral("InstructionHelpKey"));
    helpKey_->setShortcut(QKeySequence(Qt::Key_F1));
    helpKey_->setShortcutContext(Qt::WidgetShortcut);
    editor->addAction(helpKey_);
    connect(helpKey_, &QAction::triggered, this, &InstructionHelp::showCaretHelp);
}

QByteArray InstructionHelp::lineBytes(int line) const {
    const int from = context_.access->offsetOfLine(line);
    const int to = context_.access->offsetOfLine(line + 1);
    const QByteArrayView text = context_.access->view();
    QByteArrayView bytes = text.sliced(from, to - from);
    while (!bytes.isEmpty() && (bytes.back() == '\n' || bytes.back() == '\r'))
        bytes.chop(1);
    return bytes.toByteArray();
}

QString InstructionHelp::tipAt(int offset) const {
    if (offset < 0 || (context_.plainDocument && context_.plainDocument()))
        return {};
    const int line = context_.access->lineOfOffset(offset);
    const int column = offset - context_.access->offsetOfLine(line);
    const QByteArray text = lineBytes(line);
    const m68k::LineCheck c = m68k::checkLine(text);
    if (c.instruction < 0)
        return {};
    if (column >= c.mnemonicStart && column <= c.mnemonicStart + c.mnemonicLength)
        return m68k::instructionHelp(c.instruction, &c);
    if (c.verdict == m68k::Verdict::Fault && column >= c.faultStart &&
        column < c.faultStart + c.faultLength)
        return c.reason;
    return {};
}

void InstructionHelp::dwellStarted(int position, int x, int y) {
    const QString tip = tipAt(position);
    if (tip.isEmpty())
        return;
    QWidget* viewport = context_.editor->viewport();
    QToolTip::showText(viewport->mapToGlobal(QPoint(x, y)), tip, viewport);
}

void InstructionHelp::showCaretHelp() {
    if (context_.plainDocument && context_.plainDocument())
        return;
    const int caret = context_.access->caretPosition();
    const QByteArray text = lineBytes(context_.access->lineOfOffset(caret));
    const m68k::LineCheck c = m68k::checkLine(text);
    if (c.instruction < 0)
        return;
    QsciScintilla* editor = context_.editor;
    const int x =
        int(editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, long(caret)));
    const int y =
        int(editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, long(caret)));
    const int lineHeight = int(editor->SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0UL, 0L));
    QWidget* viewport = editor->viewport();
    QToolTip::showText(viewport->mapToGlobal(QPoint(x, y + lineHeight)),
                       m68k::instructionHelp(c.instruction, &c), viewport);
}

QString InstructionHelp::selectionTotal() const {
    const int length = context_.access->selectionLength();
    if (length <= 0 || (context_.plainDocument && context_.plainDocument()))
        return {};
    const int start = context_.access->selectionStart();
    const int firstLine = context_.access->lineOfOffset(start);
    int lastLine = context_.access->lineOfOffset(start + length);
    // A selection of whole lines ends at the start of the next one.
    if (lastLine > firstLine && context_.access->offsetOfLine(lastLine) == start + length)
        --lastLine;
    const int from = context_.access->offsetOfLine(firstLine);
    const int to = context_.access->offsetOfLine(lastLine + 1);
    const QByteArrayView text = context_.access->view().sliced(from, to - from);
    m68k::Total total;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype e = lineBreak(text, i);
        total.add(m68k::checkLine(text.sliced(i, e - i), false));
        if (e >= text.size())
            break;
        i = text[e] == '\r' && e + 1 < text.size() && text[e + 1] == '\n' ? e + 2 : e + 1;
    }
    return total.lines > 0 ? m68k::totalText(total) : QString();
}

void InstructionHelp::selectionChanged() {
    QLabel* panel = context_.statusPanel;
    if (!panel)
        return;
    const QString total = selectionTotal();
    if (!total.isEmpty()) {
        panel->setText(total);
        shownTotal_ = total;
    } else if (!shownTotal_.isEmpty()) {
        // Leave a command's own message alone; take back only ours.
        if (panel->text() == shownTotal_)
            panel->clear();
        shownTotal_.clear();
    }
}

} // namespace quaredit
