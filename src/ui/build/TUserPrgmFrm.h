#pragma once

#include "ui/build/UserListEditor.h"

#include <QDialog>

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
class TUserPrgmFrm : public QDialog {
    Q_OBJECT
public:
    TUserPrgmFrm(WindowServices& services, QWidget* parent = nullptr);

    // The list the next showing starts from.
    void setSource(const QVector<UserProgram>& programs) { source_ = programs; }
    const QVector<UserProgram>& edited() const { return result_; }
    const UserProgramList& model() const { return lines_.model(); }

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

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

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

    WindowServices& services_;
    QVector<UserProgram> source_;
    QVector<UserProgram> result_;
    UserListEditor<UserProgram> lines_;
};

} // namespace quaredit
