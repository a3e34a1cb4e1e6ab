#include "ui/editing/FindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quaredit {

FindDialog::FindDialog(QWidget* parent)
    : QDialog(parent), edFind(new QLineEdit(this)),
      optWholeWord(new QCheckBox(tr("Match &whole word only"), this)),
      optMatchCase(new QCheckBox(tr("Match &case"), this)), rdUp(new QRadioButton(tr("&Up"))),
      rdDown(new QRadioButton(tr("&Down"))), BtFindNext(new QPushButton(tr("&Find Next"), this)),
      BtCancel(new QPushButton(tr("Cancel"), this)) {
    setObjectName("FindDialog");
    setWindowTitle(tr("Find"));
    setModal(false);
    edFind->setObjectName("edFind");
    optWholeWord->setObjectName("optWholeWord");
    optMatchCase->setObjectName("optMatchCase");
    BtFindNext->setObjectName("BtFindNext");
    BtCancel->setObjectName("BtCancel");

    auto* findLabel = new QLabel(tr("Fi&nd what:"), this);
    findLabel->setBuddy(edFind);

    auto* direction = new QGroupBox(tr("Direction"), this);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(rdUp);
    directionLayout->addWidget(rdDown);
    rdDown->setChecked(true);
    direction->setEnabled(false);

    auto* options = new QVBoxLayout;
    options->addWidget(optWholeWord);
    options->addWidget(optMatchCase);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BtFindNext);
    buttons->addWidget(BtCancel);
    buttons->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(edFind, 0, 1, 1, 2);
    grid->addLayout(options, 1, 0, 1, 2);
    grid->addWidget(direction, 1, 2);
    grid->addLayout(buttons, 0, 3, 2, 1);

    // Searching for nothing would select nothing and still move the start.
    BtFindNext->setDefault(true);
    BtFindNext->setEnabled(false);
    connect(edFind, &QLineEdit::textChanged, this,
            [this](const QString& text) { BtFindNext->setEnabled(!text.isEmpty()); });
    connect(BtFindNext, &QPushButton::clicked, this, &FindDialog::findNext);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString FindDialog::searchText() const {
    return edFind->text();
}

SearchOptions FindDialog::options() const {
    return SearchOptions{optWholeWord->isChecked(), optMatchCase->isChecked()};
}

void FindDialog::present() {
    show();
    raise();
    activateWindow();
    edFind->setFocus();
    edFind->selectAll();
}

} // namespace quaredit
