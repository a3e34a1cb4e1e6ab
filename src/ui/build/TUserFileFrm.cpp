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
    : QDialog(parent), services_(services), lines_(services) {
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

void TUserFileFrm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // Each showing starts again from the main window's list.
    result_ = source_;
    lines_.open(source_);
}

void TUserFileFrm::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    if (event->spontaneous())
        return;
    lines_.closed();
}

void TUserFileFrm::showEntry(const UserFile& entry) {
    ShortName->setText(entry.ShortName);
    FileName->setText(entry.FileName);
}

void TUserFileFrm::enableFields(bool on) {
    FileName->setEnabled(on);
    ShortName->setEnabled(on);
    BrowseBt->setEnabled(on);
}

void TUserFileFrm::ShortNameChange(const QString& text) {
    lines_.captionChanged(text);
}

void TUserFileFrm::FileNameChange(const QString& text) {
    if (UserFile* e = lines_.editedEntry())
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
    lines_.addNew();
}

void TUserFileFrm::DelClick() {
    lines_.deleteSelected();
}

void TUserFileFrm::OKBtClick() {
    result_ = lines_.accepted();
    accept();
}

} // namespace quaredit
