#include "ui/tools/TNewSpriteFrm.h"

#include "core/tools/Sprite.h"
#include "ui/common/DialogFrame.h"
#include "ui/common/ScreenCentring.h"
#include "ui/common/WindowServices.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace quaredit {

namespace {
const QString caption = QStringLiteral("Insert Sprite Data");
}

// Up and down arrows that step the number in a separate edit box, within a
// range and without wrapping. The box stays an ordinary edit box, so its own
// rules (what may be typed, what a change does) apply to every step too. In
// the box, Up and Down step as the arrows do, PageUp and PageDown eight steps.
class SpinArrows : public QWidget {
public:
    SpinArrows(QLineEdit* buddy, int minimum, int maximum, int step, QWidget* parent)
        : QWidget(parent), m_buddy(buddy), m_min(minimum), m_max(maximum), m_step(step) {
        auto* up = new QToolButton(this);
        auto* down = new QToolButton(this);
        up->setObjectName(QStringLiteral("up"));
        down->setObjectName(QStringLiteral("down"));
        up->setArrowType(Qt::UpArrow);
        down->setArrowType(Qt::DownArrow);
        for (QToolButton* b : {up, down}) {
            b->setAutoRepeat(true);
            b->setFocusPolicy(Qt::NoFocus);
            b->setFixedSize(18, 11);
        }
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(up);
        layout->addWidget(down);
        connect(up, &QToolButton::clicked, this, [this] { stepBy(m_step); });
        connect(down, &QToolButton::clicked, this, [this] { stepBy(-m_step); });
        buddy->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_buddy || event->type() != QEvent::KeyPress)
            return QWidget::eventFilter(watched, event);
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
            stepBy(m_step);
            return true;
        case Qt::Key_Down:
            stepBy(-m_step);
            return true;
        case Qt::Key_PageUp:
            stepBy(PageSteps * m_step);
            return true;
        case Qt::Key_PageDown:
            stepBy(-PageSteps * m_step);
            return true;
        default:
            return QWidget::eventFilter(watched, event);
        }
    }

private:
    static constexpr int PageSteps = 8;

    void stepBy(int delta) {
        bool ok = false;
        int value = m_buddy->text().toInt(&ok);
        if (!ok)
            value = m_min;
        const int next = qBound(m_min, qBound(m_min, value, m_max) + delta, m_max);
        if (next != value)
            m_buddy->setText(QString::number(next));
    }

    QLineEdit* m_buddy;
    int m_min;
    int m_max;
    int m_step;
};

TNewSpriteFrm::TNewSpriteFrm(WindowServices& services, QWidget* parent)
    : QDialog(parent), m_services(services), lbInfo1(new QLabel(QStringLiteral("Name :"), this)),
      edName(new QLineEdit(this)), Label1(new QLabel(QStringLiteral("Height :"), this)),
      edH(new QLineEdit(QStringLiteral("8"), this)),
      udH(new SpinArrows(edH, 0, MaxSpriteHeight, 1, this)),
      Label2(new QLabel(QStringLiteral("Width :"), this)),
      edW(new QLineEdit(QStringLiteral("8"), this)),
      udW(new SpinArrows(edW, MinSpriteWidth, MaxSpriteWidth, SpriteWidthStep, this)),
      BtOK(new QPushButton(QStringLiteral("&OK"), this)),
      BtCancel(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setObjectName(QStringLiteral("NewSpriteFrm"));
    useFixedDialogFrame(this);
    setWindowTitle(caption);
    lbInfo1->setObjectName(QStringLiteral("lbInfo1"));
    edName->setObjectName(QStringLiteral("edName"));
    Label1->setObjectName(QStringLiteral("Label1"));
    edH->setObjectName(QStringLiteral("edH"));
    udH->setObjectName(QStringLiteral("udH"));
    Label2->setObjectName(QStringLiteral("Label2"));
    edW->setObjectName(QStringLiteral("edW"));
    udW->setObjectName(QStringLiteral("udW"));
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtCancel->setObjectName(QStringLiteral("BtCancel"));
    lbInfo1->setBuddy(edName);
    Label1->setBuddy(edH);
    Label2->setBuddy(edW);

    // Digits and Backspace only; a pasted or overlong number is caught by the
    // change handler, which keeps the height within range.
    edH->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edH));
    // The width moves in steps of 8 through its arrows and their keys alone.
    edW->installEventFilter(this);
    edW->setContextMenuPolicy(Qt::NoContextMenu);
    edW->setAcceptDrops(false);

    BtOK->setDefault(true);
    BtOK->setAutoDefault(true);

    auto* grid = new QGridLayout;
    grid->addWidget(lbInfo1, 0, 0);
    grid->addWidget(edName, 0, 1, 1, 2);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(edH, 1, 1);
    grid->addWidget(udH, 1, 2);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(edW, 2, 1);
    grid->addWidget(udW, 2, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtOK);
    buttons->addWidget(BtCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(edH, &QLineEdit::textChanged, this, &TNewSpriteFrm::edHChange);
    connect(BtOK, &QPushButton::clicked, this, &TNewSpriteFrm::BtOKClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString TNewSpriteFrm::spriteName() const {
    return edName->text();
}

int TNewSpriteFrm::spriteWidth() const {
    return roundSpriteWidth(edW->text());
}

int TNewSpriteFrm::spriteHeight() const {
    // Read the way the OK check reads it, so that what passed is what is written.
    return readSpriteHeight(edH->text()).value;
}

void TNewSpriteFrm::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
    centreOnScreen(this);
}

void TNewSpriteFrm::FormActivate() {
    edW->setText(QStringLiteral("8"));
    edH->setText(QStringLiteral("8"));
    edName->setFocus();
}

void TNewSpriteFrm::showError(const QString& text) {
    m_services.messageBox(text, caption, MsgIcon::Error, MsgButtons::Ok);
}

void TNewSpriteFrm::edHChange() {
    if (m_inHeightChange)
        return;
    m_inHeightChange = true;
    const SpriteHeight h = readSpriteHeight(edH->text());
    if (h.tooHigh)
        showError(QStringLiteral("The maximal height is 128"));
    edH->setText(QString::number(h.value));
    edH->setCursorPosition(int(edH->text().size()));
    m_inHeightChange = false;
}

void TNewSpriteFrm::edWExit() {
    edW->setText(QString::number(roundSpriteWidth(edW->text())));
}

bool TNewSpriteFrm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edW) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            // Keys that move focus or close the dialog still work, and the
            // arrow and page keys step the width as the arrows do; every
            // other key, editing ones included, is dropped.
            switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Escape:
                break;
            default:
                return true;
            }
            break;
        }
        case QEvent::InputMethod:
            return true;
        case QEvent::FocusOut:
            edWExit();
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TNewSpriteFrm::BtOKClick() {
    switch (checkSpriteInput(edName->text(), edH->text())) {
    case SpriteInputCheck::MissingName:
        showError(QStringLiteral("You have to enter a name for the sprite"));
        edName->setFocus();
        edName->selectAll();
        return;
    case SpriteInputCheck::ZeroHeight:
        showError(QStringLiteral("The height of the sprite can't be 0"));
        return;
    case SpriteInputCheck::Accepted:
        accept();
        return;
    }
}

} // namespace quaredit
