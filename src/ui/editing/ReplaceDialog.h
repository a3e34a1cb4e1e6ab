#pragma once

#include "core/documents/TextSearch.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace quaredit {

// The replace box that stays open beside the main window, with the find
// box's rules (whole word, match case). It gathers the texts and options;
// its owner does the searching and replacing.
class ReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReplaceDialog(QWidget* parent = nullptr);

    QString searchText() const;
    QString replacementText() const;
    SearchOptions options() const;

    // Shows the box without blocking its parent and gives it the focus,
    // with `initial` (the editor's selection) as the text to find when given.
    void present(const QString& initial = {});

    QLineEdit* findEdit() const { return edFind; }
    QLineEdit* replaceEdit() const { return edReplace; }
    QCheckBox* wholeWordBox() const { return optWholeWord; }
    QCheckBox* matchCaseBox() const { return optMatchCase; }
    QPushButton* findNextButton() const { return BtFindNext; }
    QPushButton* replaceButton() const { return BtReplace; }
    QPushButton* replaceAllButton() const { return BtReplaceAll; }

signals:
    void findNext();
    void replace();
    void replaceAll();

private:
    QLineEdit* edFind;
    QLineEdit* edReplace;
    QCheckBox* optWholeWord;
    QCheckBox* optMatchCase;
    QPushButton* BtFindNext;
    QPushButton* BtReplace;
    QPushButton* BtReplaceAll;
    QPushButton* BtCancel;
};

} // namespace quaredit
