#pragma once

#include <QFont>

#include "core/asm/Labels.h"

#include <QByteArray>
#include <QDialog>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListView;
class QModelIndex;
class QPushButton;

namespace quaredit {

class LabelListModel;

// Lists the names the current source defines in its first column and hands
// back the line of the one the user picks. Created once; the filter boxes keep
// their state from one showing to the next.
class TLblWinFrm : public QDialog {
    Q_OBJECT
public:
    explicit TLblWinFrm(QWidget* parent = nullptr);
    ~TLblWinFrm() override;

    // The document text to list, as the editor holds it, scanned again at each
    // showing. The window keeps its own copy: the editor's buffer may change
    // while the window is open.
    void setSourceText(const QByteArray& text);
    // The names read as they do in the editor, in its font.
    void setListFont(const QFont& font);
    // The line of the chosen name once the window closed with OK; none when the
    // list was double-clicked away from any name.
    std::optional<int> chosenLine() const { return m_chosenLine; }

    // Refills the list from the text with the current filters.
    void ScanLabels();
    int listedCount() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BtOKClick();
    void LblListDblClick();
    std::optional<int> selectedLine() const;
    LabelFilters filters() const;

    QByteArray m_text; // the entries view this text
    QVector<LabelEntry> m_entries;
    std::optional<int> m_chosenLine;

    LabelListModel* m_model;
    QListView* LblList;
    QGroupBox* Fond4;
    QCheckBox* HideSlash;
    QCheckBox* Show2Pt;
    QCheckBox* ShowMaj;
    QCheckBox* ShowLib;
    QCheckBox* AlphOrder;
    QLabel* InfoLbl;
    QPushButton* BtOK;
    QPushButton* BtCancel;
};

} // namespace quaredit
