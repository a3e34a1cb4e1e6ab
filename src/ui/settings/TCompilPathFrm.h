#pragma once

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QPushButton;
class QTreeView;

namespace quaredit {

// The folder picker of the options dialog: the folders of one mounted volume
// as a tree, with the list of volumes standing in for a drive list.
class TCompilPathFrm : public QDialog {
    Q_OBJECT
public:
    explicit TCompilPathFrm(QWidget* parent = nullptr);

    // Shows `folder` when it is an existing folder; otherwise the list stays
    // where it was.
    void setFolder(const QString& folder);
    // The folder selected in the tree (empty when none).
    QString selectedFolder() const;
    // The folder picked with OK, ending with "/"; kept from one use to the next.
    const QString& pickedFolder() const { return picked_; }

    QComboBox* driveList() const { return lstDrive; }
    QTreeView* folderList() const { return lstPath; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ensureModel();
    void showFolder(const QString& folder);
    void showDrive(const QString& root);
    void lstDriveChange(int index);
    void btOKClick();

    QTreeView* lstPath = nullptr;
    QComboBox* lstDrive = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;
    QFileSystemModel* model_ = nullptr;
    QString picked_;
};

} // namespace quaredit
