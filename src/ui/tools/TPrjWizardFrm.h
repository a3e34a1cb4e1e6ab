#pragma once

#include "core/app/DataFolders.h"
#include "core/tools/Wizard.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace quaredit {

class WindowServices;

// Three pages that ask what to start (program or library), its comment or
// name, and the calculator models; Finish fills the matching template from
// the program's own folder. The caller turns the result into a document.
class TPrjWizardFrm : public QDialog {
    Q_OBJECT
public:
    TPrjWizardFrm(WindowServices& services, DataFolders folders, QWidget* parent = nullptr);

    WizardAnswers answers() const;
    // The filled template, set when the dialog closes with OK.
    QStringList documentLines() const { return documentLines_; }
    int WizardPage() const { return page_; }

    QWidget* Panel1;
    QLabel* Logo;
    QWidget* Wiz1;
    QLabel* Label1;
    QRadioButton* PrgOpt;
    QRadioButton* LibOpt;
    QWidget* Wiz2;
    QLabel* info2;
    QLineEdit* PrgName;
    QWidget* Wiz3;
    QRadioButton* rdQuaro;
    QRadioButton* rdPsD;
    QLabel* Label2;
    QCheckBox* optTI92;
    QCheckBox* optTI92P;
    QCheckBox* optTI89;
    QPushButton* CancelBt;
    QPushButton* PrevBt;
    QPushButton* NextBt;

    void FormActivate();
    void NextBtClick();
    void PrevBtClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showPage(int page);
    bool Finish();

    WindowServices& services_;
    DataFolders folders_;
    QStringList documentLines_;
    int page_ = 0;
};

} // namespace quaredit
