#include "ui/settings/TOptionsFrm.h"

#include "core/compile/BatchText.h"
#include "core/compile/BuildMessages.h"
#include "core/settings/ColourScheme.h"
#include "core/settings/EditorFontChoice.h"
#include "core/settings/Settings.h"
#include "ui/common/DialogFrame.h"
#include "ui/common/ScreenCentring.h"
#include "ui/common/WindowServices.h"
#include "ui/settings/EditorFontMatch.h"
#include "ui/settings/TCompilPathFrm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quaredit {

namespace {

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

enum PageIndex { CompilatorPage = 0, EditorPage = 1, MiscPage = 2 };

} // namespace

TOptionsFrm::TOptionsFrm(Settings& settings, const DataFolders& dataFolders,
                         WindowServices& services, TCompilPathFrm& picker, QWidget* parent)
    : QDialog(parent), settings_(settings), services_(services), picker_(picker),
      page_(BatchFolder(dataFolders)) {
    setObjectName(QStringLiteral("OptionsFrm"));
    centreOnScreenAtEachShowing(this);
    useFixedDialogFrame(this);
    setWindowTitle(QStringLiteral("Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Opt = named(new QTabWidget(this), "Opt");
    buildCompilatorPage();
    buildEditorPage();
    buildMiscPage();

    Fond1 = named(new QWidget(this), "Fond1");
    OkBt = named(new QPushButton(QStringLiteral("OK"), Fond1), "OkBt");
    OkBt->setDefault(true);
    CancelBt = named(new QPushButton(QStringLiteral("Cancel"), Fond1), "CancelBt");
    auto* buttons = new QHBoxLayout(Fond1);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch();
    buttons->addWidget(OkBt);
    buttons->addWidget(CancelBt);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Opt);
    layout->addWidget(Fond1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(OkBt, &QPushButton::clicked, this, &TOptionsFrm::OkBtClick);
    connect(CancelBt, &QPushButton::clicked, this, &QDialog::reject);
}

void TOptionsFrm::buildCompilatorPage() {
    QuarOpt = named(new QWidget, "QuarOpt");
    Label5 = named(new QLabel(QStringLiteral("Compilation Batch File :")), "Label5");
    Label4 = named(new QLabel(QStringLiteral("Predefinited Configuration :")), "Label4");
    lstConfig = named(new QComboBox, "lstConfig");
    for (const ToolchainConfig& config : toolchainConfigs())
        lstConfig->addItem(QString::fromLatin1(config.caption));
    edBAT = named(new QPlainTextEdit, "edBAT");
    edBAT->setLineWrapMode(QPlainTextEdit::NoWrap);
    edBAT->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edBAT->setMinimumSize(420, 140);
    Label6 = named(new QLabel(QStringLiteral("Compilator Path :")), "Label6");
    edPath = named(new QLineEdit, "edPath");
    btBrowse2 = named(new QPushButton(QStringLiteral("Browse")), "btBrowse2");
    Label2 = named(new QLabel(QStringLiteral("Include path :")), "Label2");
    IncPath = named(new QLineEdit, "IncPath");
    Label1 = named(new QLabel(QStringLiteral("Library path :")), "Label1");
    LibPath = named(new QLineEdit, "LibPath");

    auto* grid = new QGridLayout(QuarOpt);
    grid->addWidget(Label4, 0, 0);
    grid->addWidget(lstConfig, 0, 1, 1, 2);
    grid->addWidget(Label5, 1, 0, 1, 3);
    grid->addWidget(edBAT, 2, 0, 1, 3);
    grid->addWidget(Label6, 3, 0);
    grid->addWidget(edPath, 3, 1);
    grid->addWidget(btBrowse2, 3, 2);
    grid->addWidget(Label2, 4, 0);
    grid->addWidget(IncPath, 4, 1, 1, 2);
    grid->addWidget(Label1, 5, 0);
    grid->addWidget(LibPath, 5, 1, 1, 2);
    int row = 6;
    addFlagBoxes(grid, row, 3, OptionPlace::Compilator);
    LabelPattern = named(new QLabel(QStringLiteral("Message pattern :")), "LabelPattern");
    edMessagePattern = named(new QLineEdit, "edMessagePattern");
    edMessagePattern->setPlaceholderText(QStringLiteral("(?<file>...):(?<line>\\d+): ..."));
    edMessagePattern->setToolTip(
        QStringLiteral("A regular expression with the named groups file and line, and "
                       "optionally col and message, tried before the known formats."));
    grid->addWidget(LabelPattern, row, 0);
    grid->addWidget(edMessagePattern, row, 1, 1, 2);
    Opt->addTab(QuarOpt, QStringLiteral("Compilator"));

    connect(lstConfig, &QComboBox::currentIndexChanged, this, &TOptionsFrm::lstConfigChange);
    connect(edPath, &QLineEdit::textChanged, this, &TOptionsFrm::edPathChange);
    connect(IncPath, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!syncing_)
            page_.IncPathChange(text);
    });
    connect(LibPath, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!syncing_)
            page_.LibPathChange(text);
    });
    connect(edBAT, &QPlainTextEdit::textChanged, this, [this] {
        if (!syncing_)
            page_.batchEdited(batchLinesFromText(edBAT->toPlainText()));
    });
    connect(btBrowse2, &QPushButton::clicked, this, &TOptionsFrm::btBrowse2Click);
}

void TOptionsFrm::buildEditorPage() {
    EditOpt = named(new QWidget, "EditOpt");
    FontNamLbl = named(new QLabel(QStringLiteral("Editor Font :")), "FontNamLbl");
    FontList = named(new QComboBox, "FontList");
    SizeList = named(new QComboBox, "SizeList");
    for (int size : editorFontSizes())
        SizeList->addItem(QString::number(size));
    ExLbl = named(new QLabel(QStringLiteral("EXAMPLE of this FoNt")), "ExLbl");
    ExLbl->setMinimumHeight(48);
    SchemeLbl = named(new QLabel(QStringLiteral("Colour Scheme :")), "SchemeLbl");
    SchemeList = named(new QComboBox, "SchemeList");
    for (const char* caption : ColourSchemeCaptions)
        SchemeList->addItem(QLatin1String(caption));

    auto* grid = new QGridLayout(EditOpt);
    int row = 0;
    addFlagBoxes(grid, row, 3, OptionPlace::EditorTop);
    grid->addWidget(FontNamLbl, row, 0);
    grid->addWidget(FontList, row, 1);
    grid->addWidget(SizeList, row++, 2);
    grid->addWidget(ExLbl, row++, 0, 1, 3);
    addFlagBoxes(grid, row, 3, OptionPlace::Editor);
    grid->addWidget(SchemeLbl, row, 0);
    grid->addWidget(SchemeList, row++, 1, 1, 2);
    grid->setRowStretch(row, 1);
    Opt->addTab(EditOpt, QStringLiteral("Editor"));

    connect(FontList, &QComboBox::currentIndexChanged, this, &TOptionsFrm::FontListChange);
    connect(SizeList, &QComboBox::currentIndexChanged, this, &TOptionsFrm::SizeListChange);
}

void TOptionsFrm::buildMiscPage() {
    MISCOpt = named(new QWidget, "MISCOpt");
    lbInfo = named(
        new QLabel(QStringLiteral("Each time you launch Quaredit, set default directory to :")),
        "lbInfo");
    edDefaultDir = named(new QLineEdit, "edDefaultDir");
    btBrowse3 = named(new QPushButton(QStringLiteral("Browse")), "btBrowse3");

    auto* grid = new QGridLayout(MISCOpt);
    int row = 0;
    addFlagBoxes(grid, row, 2, OptionPlace::Misc);
    grid->addWidget(lbInfo, row++, 0, 1, 2);
    grid->addWidget(edDefaultDir, row, 0);
    grid->addWidget(btBrowse3, row++, 1);
    grid->setRowStretch(row, 1);
    Opt->addTab(MISCOpt, QStringLiteral("MISC..."));

    connect(btBrowse3, &QPushButton::clicked, this, &TOptionsFrm::btBrowse3Click);
}

void TOptionsFrm::addFlagBoxes(QGridLayout* grid, int& row, int columns, OptionPlace place) {
    for (const OptionSetting& option : optionSettings()) {
        if (option.place != place || !std::holds_alternative<OptionValue<bool>>(option.value))
            continue;
        auto* box = named(new QCheckBox(QString::fromLatin1(option.caption)), option.objectName);
        grid->addWidget(box, row++, 0, 1, columns);
        flagBoxes_.emplace_back(&option, box);
    }
}

// Asking fontconfig for every family takes a while on a system with many
// fonts, so the list is filled when the dialog is first shown, not while
// the program starts.
void TOptionsFrm::fillFontList() {
    if (fontsListed_)
        return;
    fontsListed_ = true;
    const bool wasSyncing = std::exchange(syncing_, true);
    FontList->addItems(listedFontFamilies(QFontDatabase::families()));
    syncing_ = wasSyncing;
}

void TOptionsFrm::setRestricted(bool restricted) {
    restricted_ = restricted;
    Opt->setTabVisible(EditorPage, !restricted);
    Opt->setTabVisible(MiscPage, !restricted);
    CancelBt->setVisible(!restricted);
    if (restricted)
        Opt->setCurrentIndex(CompilatorPage);
}

void TOptionsFrm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TOptionsFrm::done(int result) {
    // The first-launch showing must end with a compiler folder: the close
    // box, Alt+F4 and Escape all arrive here and are refused.
    if (restricted_ && result != QDialog::Accepted)
        return;
    QDialog::done(result);
}

void TOptionsFrm::FormActivate() {
    activate(false);
}

void TOptionsFrm::activate(bool fromPicker) {
    fillFontList();
    syncing_ = true;
    for (const auto& [option, box] : flagBoxes_)
        box->setChecked(settings_.*std::get<OptionValue<bool>>(option->value).member);
    edDefaultDir->setText(settings_.DefaultDir);
    edMessagePattern->setText(settings_.MessagePattern);
    QStringList families;
    for (int i = 0; i < FontList->count(); ++i)
        families << FontList->itemText(i);
    // A stored family that is not installed shows the one the editor uses for it.
    fontShown_ = installedEditorFamily(settings_.EditorFont, settings_.EditorFontSize);
    FontList->setCurrentIndex(fontFamilyEntry(families, fontShown_));
    SizeList->setCurrentIndex(editorFontSizeEntry(settings_.EditorFontSize));
    SchemeList->setCurrentIndex(settings_.ColourScheme);
    syncing_ = false;
    FontListChange();
    SizeListChange();

    const int config = validConfigIndex(settings_.UsePredef);
    report(fromPicker ? page_.reactivate(config) : page_.lstConfigChange(config));
    showCompilatorPage();
}

void TOptionsFrm::showCompilatorPage() {
    syncing_ = true;
    lstConfig->setCurrentIndex(page_.selected());
    edPath->setText(page_.compilerField());
    IncPath->setText(page_.includeField());
    LibPath->setText(page_.libraryField());
    syncing_ = false;
    showBatch();
}

void TOptionsFrm::showBatch() {
    syncing_ = true;
    edBAT->setPlainText(batchDisplayText(page_.batch()));
    edBAT->setReadOnly(!page_.editable());
    syncing_ = false;
}

void TOptionsFrm::report(const QStringList& errors) {
    for (const QString& error : errors)
        services_.messageBox(error, QStringLiteral("File Error"), MsgIcon::Error, MsgButtons::Ok);
}

void TOptionsFrm::lstConfigChange(int index) {
    if (syncing_ || index < 0)
        return;
    report(page_.lstConfigChange(index));
    showCompilatorPage();
}

void TOptionsFrm::edPathChange(const QString& text) {
    if (syncing_)
        return;
    page_.edPathChange(text);
    if (isPredefinedConfig(page_.selected()))
        showBatch();
}

// The preview follows the choice; the editor only changes on OK.
void TOptionsFrm::FontListChange() {
    QFont font = ExLbl->font();
    // A stored font that is not installed stays the choice until another is picked.
    font.setFamily(editorFontName(FontList->currentIndex() >= 0 ? FontList->currentText()
                                                                : settings_.EditorFont));
    ExLbl->setFont(font);
}

void TOptionsFrm::SizeListChange() {
    if (SizeList->currentIndex() < 0)
        return;
    QFont font = ExLbl->font();
    font.setPointSize(editorFontSizes().at(SizeList->currentIndex()));
    ExLbl->setFont(font);
}

void TOptionsFrm::btBrowse2Click() {
    pickFolder(edPath, QStringLiteral("Compilator Path :"));
}

void TOptionsFrm::btBrowse3Click() {
    pickFolder(edDefaultDir, QStringLiteral("Default Directory :"));
}

void TOptionsFrm::pickFolder(QLineEdit* field, const QString& caption) {
    picker_.setFolder(field->text());
    picker_.setWindowTitle(caption);
    const int result = services_.execDialog(picker_);
    // Coming back to the dialog reloads it before the picked folder lands,
    // so the folder goes to the stored configuration's row.
    activate(true);
    if (result == QDialog::Accepted)
        field->setText(picker_.pickedFolder());
}

void TOptionsFrm::OkBtClick() {
    if (const auto problem = page_.compilerFolderProblem()) {
        services_.messageBox(*problem, QStringLiteral("Error"), MsgIcon::Error, MsgButtons::Ok);
        edPath->setFocus();
        return;
    }
    if (const auto problem = BuildMessageRecogniser::patternProblem(edMessagePattern->text())) {
        services_.messageBox(*problem, QStringLiteral("Error"), MsgIcon::Error, MsgButtons::Ok);
        Opt->setCurrentIndex(CompilatorPage);
        edMessagePattern->setFocus();
        return;
    }
    settings_.MessagePattern = edMessagePattern->text();
    settings_.CompilatorPath = page_.compilerField();
    settings_.UsePredef = page_.selected();
    settings_.IncludePath = page_.includeField();
    settings_.LibPath = page_.libraryField();
    for (const auto& [option, box] : flagBoxes_)
        settings_.*std::get<OptionValue<bool>>(option->value).member = box->isChecked();
    settings_.DefaultDir = edDefaultDir->text();
    // The stored name stays until the user picks another family than the
    // one shown for it, which may be a substitute.
    if (FontList->currentIndex() >= 0 && FontList->currentText() != fontShown_)
        settings_.EditorFont = FontList->currentText();
    if (SizeList->currentIndex() >= 0)
        settings_.EditorFontSize = editorFontSizes().at(SizeList->currentIndex());
    if (SchemeList->currentIndex() >= 0)
        settings_.ColourScheme = SchemeList->currentIndex();
    // A batch file that cannot be written is reported, and the options are
    // still taken: they are what the user chose.
    report(page_.commit());
    accept();
}

} // namespace quaredit
