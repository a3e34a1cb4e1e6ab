#include "ui/build/TUserFileFrm.h"

#include "ui/app/WindowServices.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

namespace quaredit {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QLineEdit* edit(QWidget* parent, const char* name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    return e;
}

} // namespace

TUserFileFrm::TUserFileFrm(WindowServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {
    setObjectName(QStringLiteral("UserFileFrm"));
    setWindowTitle(QStringLiteral("User Files"));

    FileName = edit(this, "FileName");
    FileName->setMinimumWidth(280);
    BrowseBt = button(this, "BrowseBt", QStringLiteral("Browse"));
    FileList = new QListWidget(this);
    FileList->setObjectName(QStringLiteral("FileList"));
    ShortName = edit(this, "ShortName");
    New = button(this, "New", QStringLiteral("New"));
    Del = button(this, "Del", QStringLiteral("Delete"));
    OKBt = button(this, "OKBt", QStringLiteral("OK"));
    CancelBt = button(this, "CancelBt", QStringLiteral("Cancel"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(FileName, 0, 0, 1, 2);
    grid->addWidget(BrowseBt, 1, 1, Qt::AlignRight);
    grid->addWidget(FileList, 2, 0, 4, 1);
    grid->addWidget(New, 2, 1);
    grid->addWidget(Del, 3, 1);
    grid->addWidget(OKBt, 4, 1, Qt::AlignBottom);
    grid->addWidget(CancelBt, 5, 1, Qt::AlignBottom);
    grid->addWidget(ShortName, 6, 0);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(FileList, &QListWidget::currentRowChanged, this, [this] {
        if (!filling_)
            FileListClick();
    });
    connect(ShortName, &QLineEdit::textChanged, this, &TUserFileFrm::ShortNameChange);
    connect(FileName, &QLineEdit::textChanged, this, &TUserFileFrm::FileNameChange);
    connect(BrowseBt, &QPushButton::clicked, this, &TUserFileFrm::BrowseBtClick);
    connect(New, &QPushButton::clicked, this, &TUserFileFrm::NewClick);
    connect(Del, &QPushButton::clicked, this, &TUserFileFrm::DelClick);
    connect(OKBt, &QPushButton::clicked, this, &TUserFileFrm::OKBtClick);
    connect(CancelBt, &QPushButton::clicked, this, &QDialog::reject);

    enableFields(false);
}

void TUserFileFrm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TUserFileFrm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    model_.closed();
    showEntry(UserFile{});
    enableFields(false);
}

void TUserFileFrm::FormShow() {
    result_ = source_;
    model_.load(source_);
    filling_ = true;
    FileList->clear();
    for (const UserFile& f : model_.entries())
        FileList->addItem(f.ShortName);
    filling_ = false;
    showEntry(UserFile{});
    enableFields(false);
    if (model_.count() > 0) {
        filling_ = true;
        FileList->setCurrentRow(0);
        filling_ = false;
        FileListClick();
    }
}

void TUserFileFrm::FileListClick() {
    const int row = FileList->currentRow();
    if (row < 0)
        return;
    model_.select(row);
    enableFields(true);
    showEntry(model_.entries()[row]);
}

void TUserFileFrm::showEntry(const UserFile& entry) {
    filling_ = true;
    ShortName->setText(entry.ShortName);
    FileName->setText(entry.FileName);
    filling_ = false;
}

void TUserFileFrm::enableFields(bool on) {
    FileName->setEnabled(on);
    ShortName->setEnabled(on);
    BrowseBt->setEnabled(on);
}

void TUserFileFrm::ShortNameChange(const QString& text) {
    if (filling_)
        return;
    if (UserFile* e = model_.selectedEntry()) {
        e->ShortName = text;
        FileList->item(model_.selected())->setText(text);
    }
}

void TUserFileFrm::FileNameChange(const QString& text) {
    if (UserFile* e = filling_ ? nullptr : model_.selectedEntry())
        e->FileName = text;
}

void TUserFileFrm::BrowseBtClick() {
    FileDialogOptions options;
    options.filter = QStringLiteral("Quaro files (*.asm;*.h)|*.asm;*.h|Text Files "
                                    "(*.txt;*.doc)|*.txt;*.doc|All Files (*.*)|*.*");
    options.title = QStringLiteral("User Files");
    if (const auto picked = services_.openFileName(options))
        FileName->setText(*picked);
}

void TUserFileFrm::NewClick() {
    switch (model_.addNew()) {
    case UserFileList::NewResult::ListFull:
        services_.messageBox(QStringLiteral("Cannot create more user files"),
                             QStringLiteral("Error"), MsgIcon::Error, MsgButtons::Ok);
        return;
    case UserFileList::NewResult::BlankAlreadyEdited:
        enableFields(true);
        ShortName->setFocus();
        return;
    case UserFileList::NewResult::Added:
        enableFields(true);
        ShortName->setFocus();
        filling_ = true;
        FileList->addItem(QString());
        FileList->setCurrentRow(model_.selected());
        filling_ = false;
        showEntry(UserFile{});
        return;
    }
}

void TUserFileFrm::DelClick() {
    const int row = model_.selected();
    if (!model_.deleteSelected())
        return;
    filling_ = true;
    delete FileList->takeItem(row);
    FileList->setCurrentRow(-1);
    FileList->clearSelection();
    filling_ = false;
    enableFields(false);
    showEntry(UserFile{});
}

void TUserFileFrm::OKBtClick() {
    result_ = model_.accepted();
    accept();
}

} // namespace quaredit
