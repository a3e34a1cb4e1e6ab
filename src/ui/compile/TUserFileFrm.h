#pragma once

#include "ui/compile/UserListEditor.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quaredit {

class WindowServices;

// The "User Files" dialog: edits a working copy of the user files; OK hands
// back the edited list through edited().
class TUserFileFrm : public UserListDialog<UserFile> {
    Q_OBJECT
public:
    TUserFileFrm(WindowServices& services, QWidget* parent = nullptr);

    QLabel* FileNameLbl;
    QLineEdit* FileName;
    QPushButton* BrowseBt;
    QListWidget* FileList;
    QLabel* ShortNameLbl;
    QLineEdit* ShortName;
    QPushButton* New;
    QPushButton* Del;
    QPushButton* OKBt;
    QPushButton* CancelBt;

private:
    void ShortNameChange(const QString& text);
    void FileNameChange(const QString& text);
    void BrowseBtClick();
    void NewClick();
    void DelClick();
    void OKBtClick();
    void showEntry(const UserFile& entry);
    void enableFields(bool on);
};

} // namespace quaredit
