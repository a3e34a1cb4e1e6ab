#pragma once

#include "ui/compile/UserListEditor.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quaredit {

class WindowServices;

// The "User Programs" dialog: edits a working copy of the user programs;
// OK hands back the edited list through edited().
class TUserPrgmFrm : public UserListDialog<UserProgram> {
    Q_OBJECT
public:
    TUserPrgmFrm(WindowServices& services, QWidget* parent = nullptr);

    // The list the next showing starts from.

    QListWidget* UserList;
    QLineEdit* Nm;
    QLabel* PathLbl;
    QLineEdit* Path;
    QPushButton* BrowseBt;
    QGroupBox* HowRun;
    QButtonGroup* HowRunChoices;
    QGroupBox* ArgBox;
    QComboBox* ArgList;
    QPushButton* NewBt;
    QPushButton* DelBt;
    QPushButton* BtOK;
    QPushButton* BtCancel;

private:
    void NmChange(const QString& text);
    void PathChange(const QString& text);
    void HowRunClick(int index);
    void ArgListChange(int index);
    void BrowseBtClick();
    void NewBtClick();
    void DelBtClick();
    void BtOKClick();
    void enableFields(bool on);
    void showEntry(const UserProgram& entry);
};

} // namespace quaredit
