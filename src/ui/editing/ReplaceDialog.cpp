#include "ui/editing/ReplaceDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quaredit {

ReplaceDialog::ReplaceDialog(QWidget* parent)
    : QDialog(parent), edFind(new QLineEdit(this)), edReplace(new QLineEdit(this)),
      optWholeWord(new QCheckBox(tr("Match &whole word only"), this)),
      optMatchCase(new QCheckBox(tr("Match &case"), this)),
      BtFindNext(new QPushButton(tr("&Find Next"), this)),
      BtReplace(new QPushButton(tr("&Replace"), this)),
      BtReplaceAll(new QPushButton(tr("Replace &All"), this)),
      BtCancel(new QPushButton(tr("Cancel"), this)) {
    setObjectName("ReplaceDialog");
    setWindowTitle(tr("Replace"));
    setModal(false);
    edFind->setObjectName("edFind");
    edReplace->setObjectName("edReplace");
    optWholeWord->setObjectName("optWholeWord");
    optMatchCase->setObjectName("optMatchCase");
    BtFindNext->setObjectName("BtFindNext");
    BtReplace->setObjectName("BtReplace");
    BtReplaceAll->setObjectName("BtReplaceAll");
    BtCancel->setObjectName("BtCancel");

    auto* findLabel = new QLabel(tr("Fi&nd what:"), this);
    findLabel->setBuddy(edFind);
    auto* replaceLabel = new QLabel(tr("Re&place with:"), this);
    replaceLabel->setBuddy(edReplace);

    auto* options = new QVBoxLayout;
    options->addWidget(optWholeWord);
    options->addWidget(optMatchCase);
    options->addStretch();

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BtFindNext);
    buttons->addWidget(BtReplace);
    buttons->addWidget(BtReplaceAll);
    buttons->addWidget(BtCancel);
    buttons->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(edFind, 0, 1);
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(edReplace, 1, 1);
    grid->addLayout(options, 2, 0, 1, 2);
    grid->addLayout(buttons, 0, 2, 3, 1);
    grid->setColumnMinimumWidth(1, 200);

    // Nothing to look for: nothing to find or replace.
    BtFindNext->setDefault(true);
    for (QPushButton* b : {BtFindNext, BtReplace, BtReplaceAll})
        b->setEnabled(false);
    connect(edFind, &QLineEdit::textChanged, this, [this](const QString& text) {
        for (QPushButton* b : {BtFindNext, BtReplace, BtReplaceAll})
            b->setEnabled(!text.isEmpty());
    });
    connect(BtFindNext, &QPushButton::clicked, this, &ReplaceDialog::findNext);
    connect(BtReplace, &QPushButton::clicked, this, &ReplaceDialog::replace);
    connect(BtReplaceAll, &QPushButton::clicked, this, &ReplaceDialog::replaceAll);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString ReplaceDialog::searchText() const {
    return edFind->text();
}

QString ReplaceDialog::replacementText() const {
    return edReplace->text();
}

SearchOptions ReplaceDialog::options() const {
    return SearchOptions{optWholeWord->isChecked(), optMatchCase->isChecked()};
}

void ReplaceDialog::present(const QString& initial) {
    if (!initial.isEmpty())
        edFind->setText(initial);
    show();
    raise();
    activateWindow();
    edFind->setFocus();
    edFind->selectAll();
}

} // namespace quaredit
