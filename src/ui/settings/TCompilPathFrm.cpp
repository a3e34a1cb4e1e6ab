#include "ui/settings/TCompilPathFrm.h"

#include "core/settings/FolderPick.h"
#include "ui/common/DialogFrame.h"
#include "ui/common/ScreenCentring.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

namespace quaredit {

namespace {

QStringList mountedVolumeRoots() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    }
    roots.sort(); // "/" first
    if (!roots.contains(QStringLiteral("/")))
        roots.prepend(QStringLiteral("/"));
    return roots;
}

} // namespace

TCompilPathFrm::TCompilPathFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CompilPathFrm"));
    centreOnScreenAtEachShowing(this);
    useFixedDialogFrame(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    lstPath = new QTreeView(this);
    lstPath->setObjectName(QStringLiteral("lstPath"));
    lstPath->setHeaderHidden(true);

    lstDrive = new QComboBox(this);
    lstDrive->setObjectName(QStringLiteral("lstDrive"));
    lstDrive->addItems(mountedVolumeRoots());

    btOK = new QPushButton(QStringLiteral("OK"), this);
    btOK->setObjectName(QStringLiteral("btOK"));
    btOK->setDefault(true);
    btCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btCancel->setObjectName(QStringLiteral("btCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOK);
    buttons->addWidget(btCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstPath);
    layout->addWidget(lstDrive);
    layout->addLayout(buttons);
    setFixedSize(320, 360);

    connect(lstDrive, &QComboBox::currentIndexChanged, this, &TCompilPathFrm::lstDriveChange);
    connect(btOK, &QPushButton::clicked, this, &TCompilPathFrm::btOKClick);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
}

// The picker is made at start-up but seldom shown: the folder model, which
// starts watching the file system, waits for the first use.
void TCompilPathFrm::ensureModel() {
    if (model_)
        return;
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QStringLiteral("/"));
    lstPath->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        lstPath->hideColumn(column);
    // The tree starts on the volume of the current folder, as a drive list would.
    showFolder(QDir::currentPath());
}

void TCompilPathFrm::showEvent(QShowEvent* event) {
    ensureModel();
    QDialog::showEvent(event);
}

void TCompilPathFrm::setFolder(const QString& folder) {
    ensureModel();
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        showFolder(folder);
}

void TCompilPathFrm::showFolder(const QString& folder) {
    const QString path = QFileInfo(folder).absoluteFilePath();
    const QString root = QStorageInfo(path).rootPath();
    int entry = lstDrive->findText(root);
    if (entry < 0) {
        lstDrive->addItem(root);
        entry = lstDrive->count() - 1;
    }
    {
        const QSignalBlocker quiet(lstDrive);
        lstDrive->setCurrentIndex(entry);
    }
    showDrive(root);
    const QModelIndex index = model_->index(path);
    lstPath->setCurrentIndex(index);
    lstPath->scrollTo(index);
}

void TCompilPathFrm::showDrive(const QString& root) {
    lstPath->setRootIndex(model_->index(root));
    lstPath->setCurrentIndex(model_->index(root));
}

void TCompilPathFrm::lstDriveChange(int index) {
    ensureModel();
    if (index >= 0)
        showDrive(lstDrive->itemText(index));
}

QString TCompilPathFrm::selectedFolder() const {
    return model_ ? model_->filePath(lstPath->currentIndex()) : QString();
}

void TCompilPathFrm::btOKClick() {
    const QString folder = selectedFolder();
    if (folder.isEmpty())
        return; // nothing to pick: the picker stays open
    picked_ = pickedFolderText(folder);
    accept();
}

} // namespace quaredit
