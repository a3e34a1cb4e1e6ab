#pragma once

#include "ui/build/UserListEditor.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace quaredit {

class WindowServices;

// The "User Files" dialog: edits a working copy of the user files; OK hands
// back the edited list through edited().
class TUserFileFrm : public QDialog {
    Q_OBJECT
public:
    TUserFileFrm(WindowServices& services, QWidget* parent = nullptr);

    void setSource(const QVector<UserFile>& files) { source_ = files; }
    const QVector<UserFile>& edited() const { return result_; }
    const UserFileList& model() const { return lines_.model(); }

    QLineEdit* FileName;
    QPushButton* BrowseBt;
    QListWidget* FileList;
    QLineEdit* ShortName;
    QPushButton* New;
    QPushButton* Del;
    QPushButton* OKBt;
    QPushButton* CancelBt;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void ShortNameChange(const QString& text);
    void FileNameChange(const QString& text);
    void BrowseBtClick();
    void NewClick();
    void DelClick();
    void OKBtClick();
    void showEntry(const UserFile& entry);
    void enableFields(bool on);

    WindowServices& services_;
    QVector<UserFile> source_;
    QVector<UserFile> result_;
    UserListEditor<UserFile> lines_;
};

} // namespace quaredit
