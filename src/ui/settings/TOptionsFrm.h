#pragma once

#include "core/compile/ToolchainPage.h"

#include <QDialog>

#include <utility>
#include <vector>

class QCheckBox;
class QGridLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace quaredit {

struct OptionSetting;
struct Settings;
enum class OptionPlace;
class TCompilPathFrm;
class WindowServices;

// The options dialog: toolchain, editor and miscellaneous pages. It shows
// and, on OK, changes the copy of the settings it is given; storing that
// copy and making it live is the General Options command's.
class TOptionsFrm : public QDialog {
    Q_OBJECT
public:
    TOptionsFrm(Settings& settings, const DataFolders& dataFolders, WindowServices& services,
                TCompilPathFrm& picker, QWidget* parent = nullptr);

    ToolchainPaths& toolchainPaths() { return page_.paths(); }
    const ToolchainPage& page() const { return page_; }

    // The first-launch showing: only the "Compilator" page, no Cancel, and
    // no way out but OK.
    void setRestricted(bool restricted);
    bool restricted() const { return restricted_; }

    // Reloads every control from the settings and the configuration rows.
    void FormActivate();

    QTabWidget* pages() const { return Opt; }

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void buildCompilatorPage();
    void buildEditorPage();
    void buildMiscPage();
    // Adds the check boxes of the flags declared for `place`, one per row from `row` on.
    void addFlagBoxes(QGridLayout* grid, int& row, int columns, OptionPlace place);
    void activate(bool fromPicker);
    void fillFontList();
    void showCompilatorPage();
    void showBatch();
    void report(const QStringList& errors);

    void lstConfigChange(int index);
    void edPathChange(const QString& text);
    void FontListChange();
    void SizeListChange();
    void btBrowse2Click();
    void btBrowse3Click();
    void pickFolder(QLineEdit* field, const QString& caption);
    void OkBtClick();

    Settings& settings_;
    WindowServices& services_;
    TCompilPathFrm& picker_;
    ToolchainPage page_;
    bool restricted_ = false;
    bool syncing_ = false; // controls are being loaded, not edited
    bool fontsListed_ = false;
    QString fontShown_; // the family the list showed for the stored font at opening

    QTabWidget* Opt = nullptr;
    QWidget* QuarOpt = nullptr;
    QWidget* EditOpt = nullptr;
    QWidget* MISCOpt = nullptr;
    QWidget* Fond1 = nullptr;
    QPushButton* OkBt = nullptr;
    QPushButton* CancelBt = nullptr;

    QLabel* Label5 = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* lstConfig = nullptr;
    QPlainTextEdit* edBAT = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* edPath = nullptr;
    QPushButton* btBrowse2 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* IncPath = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* LibPath = nullptr;
    QLabel* LabelPattern = nullptr;
    QLineEdit* edMessagePattern = nullptr;

    // Every flag's check box, as the option table declares them.
    std::vector<std::pair<const OptionSetting*, QCheckBox*>> flagBoxes_;

    QLabel* FontNamLbl = nullptr;
    QComboBox* FontList = nullptr;
    QComboBox* SizeList = nullptr;
    QLabel* SchemeLbl = nullptr;
    QComboBox* SchemeList = nullptr;
    QLabel* ExLbl = nullptr;

    QLabel* lbInfo = nullptr;
    QLineEdit* edDefaultDir = nullptr;
    QPushButton* btBrowse3 = nullptr;
};

} // namespace quaredit
