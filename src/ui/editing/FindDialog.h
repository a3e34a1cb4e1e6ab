#pragma once

#include "core/documents/TextSearch.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quaredit {

// The find box that stays open beside the main window. It only gathers the
// search text and options; each press of "Find Next" asks its owner to search.
// The direction is always downward, so its buttons are shown but disabled.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent = nullptr);

    QString searchText() const;
    SearchOptions options() const;

    // Shows the box without blocking its parent and gives it the focus.
    void present();

    QLineEdit* findEdit() const { return edFind; }
    QCheckBox* wholeWordBox() const { return optWholeWord; }
    QCheckBox* matchCaseBox() const { return optMatchCase; }
    QPushButton* findNextButton() const { return BtFindNext; }

signals:
    void findNext();

private:
    QLineEdit* edFind;
    QCheckBox* optWholeWord;
    QCheckBox* optMatchCase;
    QRadioButton* rdUp;
    QRadioButton* rdDown;
    QPushButton* BtFindNext;
    QPushButton* BtCancel;
};

} // namespace quaredit
