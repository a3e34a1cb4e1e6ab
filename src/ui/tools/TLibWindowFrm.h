#pragma once

#include <QByteArrayView>
#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace quaredit {

class WindowServices;

// Lets the user choose the libraries of the current program: the headers of
// the include folder on the left, the program's library includes on the right.
// The window only collects the choice; the caller rewrites the document.
class TLibWindowFrm : public QDialog {
    Q_OBJECT
public:
    enum class Outcome { Cancel, Ok, Edit };

    explicit TLibWindowFrm(WindowServices& services, QWidget* parent = nullptr);

    // Shows the window modally over `sourceText`, listing `includeFolder`.
    // The source is read before the window shows and not kept.
    // A source without "xdef" is refused with a message and gives Cancel.
    Outcome run(QByteArrayView sourceText, const QString& includeFolder);

    // Sorted, ignoring case: what OK writes back.
    QStringList selectedLibraries() const { return selected_; }
    // The header picked with Edit, as a full path.
    QString chosenHeader() const { return chosenHeader_; }

    QListWidget* LibList;
    QListWidget* SelectedLibs;
    QPushButton* AddBt;
    QPushButton* RemoveBt;
    QPushButton* EditBt;
    QPushButton* OkBt;
    QPushButton* CancelBt;

    // Fills the window from the source; false (after the message) when the
    // source has no "xdef" to place library includes before.
    bool FormActivate(QByteArrayView sourceText, const QString& includeFolder);
    void FormDeactivate();
    void LibListClick();
    void LibListDblClick();
    void AddBtClick();
    void SelectedLibsDblClick();
    void RemoveBtClick();
    void EditBtClick();
    void OkBtClick();

private:
    void showSelected();

    WindowServices& services_;
    QString includeFolder_;
    QStringList selected_;
    QString chosenHeader_;
    QString savedWorkingDir_;
    Outcome outcome_ = Outcome::Cancel;
};

} // namespace quaredit
