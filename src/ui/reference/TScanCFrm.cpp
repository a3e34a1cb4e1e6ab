#include "ui/reference/TScanCFrm.h"

#include "ui/common/ScreenCentring.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabBar>
#include <QVBoxLayout>

namespace quaredit {

TScanCFrm::TScanCFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TScanCFrm"));
    setWindowTitle(QStringLiteral("Scancodes of TI92 Keys"));
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);

    KeyType = new QTabBar(this);
    KeyType->setObjectName(QStringLiteral("KeyType"));
    for (int g = 0; g < KeyGroupCount; ++g)
        KeyType->addTab(keyGroupName(KeyGroup(g)));

    // The list and the modifiers sit on the tab control: one page whose
    // content changes with the tab.
    auto* page = new QFrame(this);
    page->setFrameShape(QFrame::StyledPanel);
    Liste = new QListWidget(page);
    Liste->setObjectName(QStringLiteral("Liste"));
    Liste->setSelectionMode(QAbstractItemView::SingleSelection);
    Liste->setMouseTracking(true);
    Liste->viewport()->installEventFilter(this);

    auto* modifiers = new QGroupBox(page);
    modifiers->setObjectName(QStringLiteral("AddKey"));
    auto* modifierLayout = new QVBoxLayout(modifiers);
    AddKey = new QButtonGroup(this);
    const char* const modifierNames[KeyModifierCount] = {"None", "[MAJ]", "[2nd]", "[Diamond]",
                                                         "[Lock]"};
    for (int m = 0; m < KeyModifierCount; ++m) {
        auto* button = new QRadioButton(QString::fromLatin1(modifierNames[m]), modifiers);
        AddKey->addButton(button, m);
        modifierLayout->addWidget(button);
    }
    AddKey->button(int(KeyModifier::None))->setChecked(true);
    modifierLayout->addStretch();

    auto* pageLayout = new QHBoxLayout(page);
    pageLayout->addWidget(Liste);
    pageLayout->addWidget(modifiers);

    auto* valueBox = new QGroupBox(QStringLiteral("Value"), this);
    valueBox->setToolTip(QStringLiteral("It is the value of your key"));
    ValTxt = new QLabel(valueBox);
    ValTxt->setObjectName(QStringLiteral("ValTxt"));
    ValTxt->setMinimumWidth(
        ValTxt->fontMetrics().horizontalAdvance(QStringLiteral("doesn't exist")) + 8);
    auto* valueLayout = new QHBoxLayout(valueBox);
    valueLayout->addWidget(ValTxt);

    BtOK = new QPushButton(QStringLiteral("OK"), this);
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtOK->setDefault(true);
    BtCancel = new QPushButton(QStringLiteral("Cancel"), this);
    BtCancel->setObjectName(QStringLiteral("BtCancel"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BtOK);
    buttons->addWidget(BtCancel);
    buttons->addStretch();
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(valueBox, 1);
    bottomRow->addLayout(buttons);

    InfoLbl = new QLabel(this);
    InfoLbl->setObjectName(QStringLiteral("InfoLbl"));
    InfoLbl->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(KeyType);
    layout->addWidget(page);
    layout->addSpacing(6);
    layout->addLayout(bottomRow);
    layout->addSpacing(6);
    layout->addWidget(InfoLbl);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(KeyType, &QTabBar::currentChanged, this, &TScanCFrm::FillList);
    // Keyboard moves in the list change the key as a click does.
    connect(Liste, &QListWidget::currentRowChanged, this, &TScanCFrm::ShowCode);
    connect(AddKey, &QButtonGroup::idClicked, this, &TScanCFrm::ShowCode);
    connect(BtOK, &QPushButton::clicked, this, &TScanCFrm::BtOKClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TScanCFrm::setKeyTable(const KeyCodeTable& newTable) {
    table = newTable;
    InfoLbl->setText(QString::fromLatin1(table.info));
}

void TScanCFrm::showEvent(QShowEvent* event) {
    // A restore after minimising is spontaneous and keeps the selection.
    if (!event->spontaneous()) {
        FillList();
        centreOnScreen(this);
    }
    QDialog::showEvent(event);
}

bool TScanCFrm::eventFilter(QObject* watched, QEvent* event) {
    // Follow the selection while the user drags through the list.
    if (watched == Liste->viewport() && event->type() == QEvent::MouseMove)
        ShowCode();
    return QDialog::eventFilter(watched, event);
}

KeyGroup TScanCFrm::currentGroup() const {
    return KeyGroup(qMax(0, KeyType->currentIndex()));
}

KeyModifier TScanCFrm::currentModifier() const {
    return KeyModifier(qMax(0, AddKey->checkedId()));
}

qint32 TScanCFrm::currentCode() const {
    return keyCode(table, currentGroup(), Liste->currentRow(), currentModifier());
}

void TScanCFrm::FillList() {
    const KeyRange range = keyGroupRange(currentGroup());
    const QSignalBlocker blocker(Liste);
    Liste->clear();
    for (int i = range.first; i < range.first + range.count; ++i)
        Liste->addItem(QString::fromLatin1(table.records[size_t(i)].name));
    Liste->setCurrentRow(0);
    ShowCode();
}

void TScanCFrm::ShowCode() {
    ValTxt->setText(keyCodeText(currentCode()));
}

void TScanCFrm::BtOKClick() {
    selectedValue = currentCode();
    // A combination that does not exist has nothing to insert.
    if (selectedValue == 0)
        reject();
    else
        accept();
}

} // namespace quaredit
