#include "ui/compile/TUserPrgmFrm.h"

#include "core/compile/UserPrograms.h"
#include "ui/common/DialogFrame.h"
#include "ui/common/ScreenCentring.h"
#include "ui/common/WindowServices.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quaredit {

namespace {} // namespace

TUserPrgmFrm::TUserPrgmFrm(WindowServices& services, QWidget* parent)
    : UserListDialog(services, parent) {
    setObjectName(QStringLiteral("UserPrgmFrm"));
    centreOnScreenAtEachShowing(this);
    useFixedDialogFrame(this);
    setWindowTitle(QStringLiteral("User Programs"));

    UserList = new QListWidget(this);
    UserList->setObjectName(QStringLiteral("UserList"));
    Nm = new QLineEdit(this);
    Nm->setObjectName(QStringLiteral("Nm"));
    PathLbl = new QLabel(QStringLiteral("Full Path :"), this);
    PathLbl->setObjectName(QStringLiteral("PathLbl"));
    Path = new QLineEdit(this);
    Path->setObjectName(QStringLiteral("Path"));
    PathLbl->setBuddy(Path);
    BrowseBt = button("BrowseBt", QStringLiteral("Browse"));

    HowRun = new QGroupBox(QStringLiteral("How Run :"), this);
    HowRun->setObjectName(QStringLiteral("HowRun"));
    HowRunChoices = new QButtonGroup(this);
    auto* howRunLayout = new QVBoxLayout(HowRun);
    const QString choices[] = {QStringLiteral("Normal"), QStringLiteral("Icon"),
                               QStringLiteral("Maximized")};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(choices[i], HowRun);
        radio->setObjectName(QStringLiteral("HowRun%1").arg(i));
        HowRunChoices->addButton(radio, i);
        howRunLayout->addWidget(radio);
    }

    ArgBox = new QGroupBox(QStringLiteral("Argument :"), this);
    ArgBox->setObjectName(QStringLiteral("ArgBox"));
    ArgList = new QComboBox(ArgBox);
    ArgList->setObjectName(QStringLiteral("ArgList"));
    ArgList->addItems({QStringLiteral("none"), QStringLiteral("inline"),
                       QStringLiteral("current file in the editor"), QStringLiteral("the 92p file"),
                       QStringLiteral("text in selection")});
    (new QVBoxLayout(ArgBox))->addWidget(ArgList);

    NewBt = button("NewBt", QStringLiteral("New"));
    DelBt = button("DelBt", QStringLiteral("Delete"));
    BtOK = button("BtOK", QStringLiteral("OK"));
    BtCancel = button("BtCancel", QStringLiteral("Cancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(UserList, 0, 0, 4, 1);
    grid->addWidget(NewBt, 0, 1);
    grid->addWidget(DelBt, 1, 1);
    grid->addWidget(Nm, 4, 0);
    grid->addWidget(PathLbl, 5, 0);
    grid->addWidget(Path, 6, 0);
    grid->addWidget(BrowseBt, 6, 1);
    grid->addWidget(HowRun, 7, 0);
    grid->addWidget(ArgBox, 8, 0);
    grid->addWidget(BtOK, 7, 1, Qt::AlignBottom);
    grid->addWidget(BtCancel, 8, 1, Qt::AlignBottom);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    lines_.attach(UserList, {[this](const UserProgram& e) { showEntry(e); },
                             [this](bool on) { enableFields(on); }, Nm,
                             QStringLiteral("Cannot create more user programs")});
    connect(Nm, &QLineEdit::textChanged, this, &TUserPrgmFrm::NmChange);
    connect(Path, &QLineEdit::textChanged, this, &TUserPrgmFrm::PathChange);
    connect(HowRunChoices, &QButtonGroup::idClicked, this, &TUserPrgmFrm::HowRunClick);
    connect(ArgList, &QComboBox::currentIndexChanged, this, &TUserPrgmFrm::ArgListChange);
    connect(BrowseBt, &QPushButton::clicked, this, &TUserPrgmFrm::BrowseBtClick);
    connect(NewBt, &QPushButton::clicked, this, &TUserPrgmFrm::NewBtClick);
    connect(DelBt, &QPushButton::clicked, this, &TUserPrgmFrm::DelBtClick);
    connect(BtOK, &QPushButton::clicked, this, &TUserPrgmFrm::BtOKClick);
    connect(BtCancel, &QPushButton::clicked, this, &QDialog::reject);

    lines_.closed();
}

void TUserPrgmFrm::showEntry(const UserProgram& entry) {
    Nm->setText(entry.MnuName);
    Path->setText(entry.CmdName);
    ArgList->setCurrentIndex(entry.Arg >= 0 && entry.Arg < ArgList->count() ? entry.Arg : 0);
    if (QAbstractButton* b = HowRunChoices->button(entry.WinState))
        b->setChecked(true);
    else
        HowRunChoices->button(0)->setChecked(true);
}

void TUserPrgmFrm::enableFields(bool on) {
    // The captions go grey with their fields, as the "How Run :" box does.
    for (QWidget* w : {static_cast<QWidget*>(Nm), static_cast<QWidget*>(PathLbl),
                       static_cast<QWidget*>(Path), static_cast<QWidget*>(HowRun),
                       static_cast<QWidget*>(ArgBox), static_cast<QWidget*>(BrowseBt)})
        w->setEnabled(on);
}

void TUserPrgmFrm::NmChange(const QString& text) {
    lines_.captionChanged(text);
}

void TUserPrgmFrm::PathChange(const QString& text) {
    if (UserProgram* e = lines_.editedEntry())
        e->CmdName = text;
}

void TUserPrgmFrm::HowRunClick(int index) {
    if (UserProgram* e = lines_.editedEntry())
        e->WinState = index;
}

void TUserPrgmFrm::ArgListChange(int index) {
    if (UserProgram* e = lines_.editedEntry())
        e->Arg = index;
}

void TUserPrgmFrm::BrowseBtClick() {
    browseInto(
        Path,
        QStringLiteral("Program files (*.exe;*.com;*.bat)|*.exe;*.com;*.bat|All Files (*.*)|*.*"),
        QStringLiteral("User Program"), commandForProgramFile);
}

void TUserPrgmFrm::NewBtClick() {
    lines_.addNew();
}

void TUserPrgmFrm::DelBtClick() {
    lines_.deleteSelected();
}

void TUserPrgmFrm::BtOKClick() {
    acceptEdits();
}

} // namespace quaredit
