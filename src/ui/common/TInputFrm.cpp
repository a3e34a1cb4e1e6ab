#include "ui/common/TInputFrm.h"

#include "ui/common/DialogFrame.h"
#include "ui/common/ScreenCentring.h"

#include <QDropEvent>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quaredit {

namespace {

const char* const kTagProperty = "tag";

bool isDigits(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

bool isClipboardShortcut(const QKeyEvent* key) {
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) ||
        key->matches(QKeySequence::Cut))
        return true;
    const auto modifiers = key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier);
    if (key->key() == Qt::Key_Insert && modifiers != Qt::NoModifier)
        return true; // Shift+Insert pastes, Ctrl+Insert copies
    if (key->key() == Qt::Key_Delete && modifiers == Qt::ShiftModifier)
        return true; // cuts
    if (modifiers == Qt::ControlModifier)
        return key->key() == Qt::Key_C || key->key() == Qt::Key_V || key->key() == Qt::Key_X;
    return false;
}

// Keys the dialog itself needs, whatever the box accepts.
bool isDialogKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
           key == Qt::Key_Tab || key == Qt::Key_Backtab;
}

} // namespace

TInputFrm::TInputFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("InputFrm"));
    centreOnScreenAtEachShowing(this);
    useFixedDialogFrame(this);
    Txt = new QLineEdit(this);
    Txt->setObjectName(QStringLiteral("Txt"));
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    Txt->setFont(font);
    Txt->setMinimumWidth(260);
    Txt->installEventFilter(this);

    BtOK = new QPushButton(QStringLiteral("OK"), this);
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtOK->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtOK);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Txt);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setDigitsOnly(false);
}

QString TInputFrm::text() const {
    return Txt->text();
}

void TInputFrm::setText(const QString& text) {
    Txt->setText(text);
}

void TInputFrm::setDigitsOnly(bool on) {
    Txt->setProperty(kTagProperty, on ? 1 : 0);
    // The context menu's paste and dropped text would bring in anything.
    Txt->setContextMenuPolicy(on ? Qt::NoContextMenu : Qt::DefaultContextMenu);
    Txt->setAcceptDrops(!on);
}

bool TInputFrm::digitsOnly() const {
    return Txt->property(kTagProperty).toInt() == 1;
}

void TInputFrm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Typing replaces what the last use left.
    Txt->setFocus(Qt::OtherFocusReason);
    Txt->selectAll();
}

bool TInputFrm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Txt && digitsOnly() && rejectsInput(event))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool TInputFrm::rejectsInput(QEvent* event) const {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isClipboardShortcut(key) || key->key() == Qt::Key_Backspace)
            return true;
        if (isDialogKey(key->key()) || key->key() == Qt::Key_Delete)
            return false;
        // Keys without a character (arrows, Home, End) only move the caret.
        return !key->text().isEmpty() && !isDigits(key->text());
    }
    case QEvent::InputMethod:
        return !isDigits(static_cast<QInputMethodEvent*>(event)->commitString());
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        // The middle button pastes the primary selection.
        return static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton;
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace quaredit
