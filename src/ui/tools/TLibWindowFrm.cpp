#include "ui/tools/TLibWindowFrm.h"

#include "core/tools/Library.h"
#include "ui/common/DialogFrame.h"
#include "ui/common/ScreenCentring.h"
#include "ui/common/WindowServices.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quaredit {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                    const QString& hint = QString()) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

QListWidget* list(QWidget* parent, const char* name, const QString& hint) {
    auto* l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setToolTip(hint);
    l->setMinimumSize(180, 220);
    return l;
}

} // namespace

TLibWindowFrm::TLibWindowFrm(WindowServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {
    setObjectName(QStringLiteral("LibWindowFrm"));
    centreOnScreenAtEachShowing(this);
    useFixedDialogFrame(this);
    setWindowTitle(QStringLiteral("Library Window"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    LibList = list(this, "LibList", QStringLiteral("Libraries of the Quaro Library Path"));
    SelectedLibs =
        list(this, "SelectedLibs", QStringLiteral("Libraries selected for your program"));
    AddBt = button(this, "AddBt", QStringLiteral("->"), QStringLiteral("Add the selected library"));
    RemoveBt = button(this, "RemoveBt", QStringLiteral("<-"),
                      QStringLiteral("Remove the selected library"));
    EditBt = button(this, "EditBt", QStringLiteral("Edit"));
    EditBt->setEnabled(false);
    OkBt = button(this, "OkBt", QStringLiteral("OK"));
    OkBt->setDefault(true);
    CancelBt = button(this, "CancelBt", QStringLiteral("Cancel"));

    auto* arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(AddBt);
    arrows->addWidget(RemoveBt);
    arrows->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(EditBt);
    buttons->addStretch();
    buttons->addWidget(OkBt);
    buttons->addWidget(CancelBt);
    auto* grid = new QGridLayout(this);
    grid->addWidget(LibList, 0, 0);
    grid->addLayout(arrows, 0, 1);
    grid->addWidget(SelectedLibs, 0, 2);
    grid->addLayout(buttons, 1, 0, 1, 3);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(LibList, &QListWidget::itemSelectionChanged, this, &TLibWindowFrm::LibListClick);
    connect(LibList, &QListWidget::itemDoubleClicked, this, &TLibWindowFrm::LibListDblClick);
    connect(SelectedLibs, &QListWidget::itemDoubleClicked, this,
            &TLibWindowFrm::SelectedLibsDblClick);
    connect(AddBt, &QPushButton::clicked, this, &TLibWindowFrm::AddBtClick);
    connect(RemoveBt, &QPushButton::clicked, this, &TLibWindowFrm::RemoveBtClick);
    connect(EditBt, &QPushButton::clicked, this, &TLibWindowFrm::EditBtClick);
    connect(OkBt, &QPushButton::clicked, this, &TLibWindowFrm::OkBtClick);
    connect(CancelBt, &QPushButton::clicked, this, &QDialog::reject);
}

TLibWindowFrm::Outcome TLibWindowFrm::run(QByteArrayView sourceText, const QString& includeFolder) {
    outcome_ = Outcome::Cancel;
    if (FormActivate(sourceText, includeFolder))
        services_.execDialog(*this);
    FormDeactivate();
    return outcome_;
}

bool TLibWindowFrm::FormActivate(QByteArrayView sourceText, const QString& includeFolder) {
    // A relative include folder is read against the working folder, which the
    // user finds unchanged after the window closes.
    savedWorkingDir_ = QDir::currentPath();
    includeFolder_ = includeFolder;
    chosenHeader_.clear();
    outcome_ = Outcome::Cancel;

    LibList->clear();
    const QDir folder(includeFolder);
    if (!includeFolder.isEmpty() && folder.exists())
        LibList->addItems(folder.entryList({QStringLiteral("*.h")},
                                           QDir::Files | QDir::CaseSensitive, QDir::Name));
    // A fresh list has nothing selected, so there is nothing to edit yet.
    LibListClick();

    selected_.clear();
    showSelected();
    const auto libraries = ProgramLibraries(sourceText);
    if (!libraries) {
        services_.messageBox(
            QStringLiteral(
                "Cannot find the first 'xdef' directive : You can't use the Library Window"),
            QStringLiteral("FORMAT ERROR"), MsgIcon::Error, MsgButtons::Ok);
        return false;
    }
    selected_ = *libraries;
    sortLibraries(selected_);
    showSelected();
    return true;
}

void TLibWindowFrm::FormDeactivate() {
    if (!savedWorkingDir_.isEmpty())
        QDir::setCurrent(savedWorkingDir_);
}

void TLibWindowFrm::LibListClick() {
    EditBt->setEnabled(LibList->currentItem() && LibList->currentItem()->isSelected());
}

void TLibWindowFrm::LibListDblClick() {
    const QListWidgetItem* item = LibList->currentItem();
    if (!item || !item->isSelected())
        return;
    ToggleLibrary(selected_, item->text());
    showSelected();
}

void TLibWindowFrm::AddBtClick() {
    LibListDblClick();
}

void TLibWindowFrm::SelectedLibsDblClick() {
    const QListWidgetItem* item = SelectedLibs->currentItem();
    if (!item || !item->isSelected())
        return;
    selected_.removeAt(SelectedLibs->row(item));
    showSelected();
}

void TLibWindowFrm::RemoveBtClick() {
    SelectedLibsDblClick();
}

void TLibWindowFrm::EditBtClick() {
    const QListWidgetItem* item = LibList->currentItem();
    if (!item || !item->isSelected())
        return;
    chosenHeader_ = QDir(includeFolder_).filePath(item->text());
    outcome_ = Outcome::Edit;
    accept();
}

void TLibWindowFrm::OkBtClick() {
    outcome_ = Outcome::Ok;
    accept();
}

void TLibWindowFrm::showSelected() {
    SelectedLibs->clear();
    SelectedLibs->addItems(selected_);
}

} // namespace quaredit
