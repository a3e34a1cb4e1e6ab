#include "ui/compile/TUserFileFrm.h"

#include "ui/common/DialogFrame.h"
#include "ui/common/ScreenCentring.h"
#include "ui/common/WindowServices.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace quaredit {

namespace {

QLineEdit* edit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

} // namespace

TUserFileFrm::TUserFileFrm(WindowServices& services, QWidget* parent)
    : UserListDialog(services, parent) {
    setObjectName(QStringLiteral("UserFileFrm"));
    centreOnScreenAtEachShowing(this);
    useFixedDialogFrame(this);
    setWindowTitle(QStringLiteral("User Files"));

    FileName = edit(this, "FileName");
    FileName->setMinimumWidth(280);
    FileNameLbl = new QLabel(QStringLiteral("Full &Path :"), this);
    FileNameLbl->setObjectName(QStringLiteral("FileNameLbl"));
    FileNameLbl->setBuddy(FileName);
    BrowseBt = button("BrowseBt", QStringLiteral("Browse"));
    FileList = new QListWidget(this);
    FileList->setObjectName(QStringLiteral("FileList"));
    ShortName = edit(this, "ShortName");
    ShortNameLbl = new QLabel(QStringLiteral("&Menu Name :"), this);
    ShortNameLbl->setObjectName(QStringLiteral("ShortNameLbl"));
    ShortNameLbl->setBuddy(ShortName);
    New = button("New", QStringLiteral("New"));
    Del = button("Del", QStringLiteral("Delete"));
    OKBt = button("OKBt", QStringLiteral("OK"));
    CancelBt = button("CancelBt", QStringLiteral("Cancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(FileNameLbl, 0, 0, 1, 2);
    grid->addWidget(FileName, 1, 0, 1, 2);
    grid->addWidget(BrowseBt, 2, 1, Qt::AlignRight);
    grid->addWidget(FileList, 3, 0, 4, 1);
    grid->addWidget(New, 3, 1);
    grid->addWidget(Del, 4, 1);
    grid->addWidget(OKBt, 5, 1, Qt::AlignBottom);
    grid->addWidget(CancelBt, 6, 1, Qt::AlignBottom);
    grid->addWidget(ShortNameLbl, 7, 0);
    grid->addWidget(ShortName, 8, 0);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    lines_.attach(FileList, {[this](const UserFile& e) { showEntry(e); },
                             [this](bool on) { enableFields(on); }, ShortName,
                             QStringLiteral("Cannot create more user files")});
    connect(ShortName, &QLineEdit::textChanged, this, &TUserFileFrm::ShortNameChange);
    connect(FileName, &QLineEdit::textChanged, this, &TUserFileFrm::FileNameChange);
    connect(BrowseBt, &QPushButton::clicked, this, &TUserFileFrm::BrowseBtClick);
    connect(New, &QPushButton::clicked, this, &TUserFileFrm::NewClick);
    connect(Del, &QPushButton::clicked, this, &TUserFileFrm::DelClick);
    connect(OKBt, &QPushButton::clicked, this, &TUserFileFrm::OKBtClick);
    connect(CancelBt, &QPushButton::clicked, this, &QDialog::reject);

    enableFields(false);
}

void TUserFileFrm::showEntry(const UserFile& entry) {
    ShortName->setText(entry.ShortName);
    FileName->setText(entry.FileName);
}

void TUserFileFrm::enableFields(bool on) {
    for (QWidget* w : {static_cast<QWidget*>(FileNameLbl), static_cast<QWidget*>(FileName),
                       static_cast<QWidget*>(ShortNameLbl), static_cast<QWidget*>(ShortName),
                       static_cast<QWidget*>(BrowseBt)})
        w->setEnabled(on);
}

void TUserFileFrm::ShortNameChange(const QString& text) {
    lines_.captionChanged(text);
}

void TUserFileFrm::FileNameChange(const QString& text) {
    if (UserFile* e = lines_.editedEntry())
        e->FileName = text;
}

void TUserFileFrm::BrowseBtClick() {
    browseInto(FileName,
               QStringLiteral("Quaro files (*.asm;*.h)|*.asm;*.h|Text Files "
                              "(*.txt;*.doc)|*.txt;*.doc|All Files (*.*)|*.*"),
               QStringLiteral("User Files"));
}

void TUserFileFrm::NewClick() {
    lines_.addNew();
}

void TUserFileFrm::DelClick() {
    lines_.deleteSelected();
}

void TUserFileFrm::OKBtClick() {
    acceptEdits();
}

} // namespace quaredit
