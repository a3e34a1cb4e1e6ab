#pragma once

#include "core/reference/KeyCodes.h"

#include <QDialog>

class QButtonGroup;
class QLabel;
class QListWidget;
class QPushButton;
class QTabBar;

namespace quaredit {

// "Scancodes of TI92 Keys": shows the code the calculator reports for a key,
// alone or with a modifier. Created once; the chosen tab and modifier stay
// as the user left them between openings.
class TScanCFrm : public QDialog {
    Q_OBJECT
public:
    explicit TScanCFrm(QWidget* parent = nullptr);

    // The table read at start-up; the info text goes to the bottom strip.
    void setKeyTable(const KeyCodeTable& table);

    // The code chosen by the last "OK" (0 when that closed as Cancel).
    qint32 SelectedValue() const { return selectedValue; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyGroup currentGroup() const;
    KeyModifier currentModifier() const;
    qint32 currentCode() const;
    void FillList();
    void ShowCode();
    void BtOKClick();

    QTabBar* KeyType;
    QListWidget* Liste;
    QButtonGroup* AddKey;
    QLabel* ValTxt;
    QPushButton* BtOK;
    QPushButton* BtCancel;
    QLabel* InfoLbl;

    KeyCodeTable table;
    qint32 selectedValue = 0;
};

} // namespace quaredit
