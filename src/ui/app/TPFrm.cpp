#include "ui/app/TPFrm.h"

#include "core/app/Instance.h"
#include "core/app/Layout.h"
#include "core/app/ScreenFit.h"
#include "core/documents/Document.h"
#include "core/reference/KeyCodes.h"
#include "core/settings/KeyStore.h"
#include "ui/about/AboutCommand.h"
#include "ui/about/ManualCommand.h"
#include "ui/common/AfterFirstPaint.h"
#include "ui/common/DrawnIcons.h"
#include "ui/common/ProgramArt.h"
#include "ui/common/TInputFrm.h"
#include "ui/common/WindowServices.h"
#include "ui/compile/BuildCommands.h"
#include "ui/documents/DiskWatcher.h"
#include "ui/documents/DocumentSet.h"
#include "ui/documents/RecentFilesMenu.h"
#include "ui/editing/EditMenuCommands.h"
#include "ui/editing/EditorFeatures.h"
#include "ui/editing/EditorServices.h"
#include "ui/editing/TypingAids.h"
#include "ui/editor/EditorAccess.h"
#include "ui/editor/EditorAppearance.h"
#include "ui/project/ProjectIcons.h"
#include "ui/project/ProjectTree.h"
#include "ui/reference/CharTableTool.h"
#include "ui/reference/KeyCodesTool.h"
#include "ui/settings/EditorFontMatch.h"
#include "ui/settings/OptionsCommands.h"
#include "ui/tools/LabelSpriteCommands.h"
#include "ui/tools/LibraryTools.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qsciscintilla.h>

namespace quaredit {

namespace {

QFrame* frame(QWidget* parent, const char* name, QFrame::Shape shape, QFrame::Shadow shadow,
              QRect place) {
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setFrameShape(shape);
    f->setFrameShadow(shadow);
    f->setGeometry(place);
    return f;
}

} // namespace

TPFrm::TPFrm(const TPFrmContext& context, QWidget* parent)
    : QMainWindow(parent), store_(*context.store), services_(*context.services),
      settingsOwner_(store_), settings_(settingsOwner_.settings()),
      programFolder_(context.programFolder),
      dataFolders_(programFolder_, userDataFolderIn(QStandardPaths::writableLocation(
                                       QStandardPaths::GenericDataLocation))) {
    setObjectName(QStringLiteral("PFrm"));
    setWindowTitle(Caption);
    quit_ = [] { QCoreApplication::exit(0); };
    resize(566, 404);

    // The settings first: the editor lays out its first text in the font the
    // user chose, not in a design font that is thrown away at once (each
    // font the editor realises costs a fontconfig search).
    const QSize screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->size()
                                                          : QSize(1024, 768);
    WindowPlacement placement = defaultWindowPlacement(screen, size());
    settingsOwner_.load(placement);

    buildWidgets();
    menus_.build(this);
    buildToolbar();
    releaseMenuKeysFromEditor();

    access_ = std::make_unique<EditorAccess>(Editor);
    tree_ = std::make_unique<ProjectTree>(ProjectList);
    documents_ = std::make_unique<DocumentSet>(Editor, *access_, TabSet, services_, settings_);
    editorServices_ = std::make_unique<EditorServices>(*access_, *documents_, statusCaret_);
    new DiskWatcher(*documents_, services_, this); // a child of the window
    recent_ = std::make_unique<RecentFilesMenu>(
        menus_.MNU_File_Reopen, settings_, store_,
        [this](const QString& path) { documents_->OpenDocument(path); });
    connectDocuments();
    options_ = std::make_unique<OptionsCommands>(OptionsContext{
        &store_, &settingsOwner_, &services_, context.shellAssociation, dataFolders_, this});
    connect(&settingsOwner_, &SettingsOwner::changed, this, &TPFrm::applyEditorSettings);
    tree_->attach(
        {documents_.get(), access_.get(), &settings_, &services_, &menus_, LibWindow, RefreshBt});
    connectCommands(*context.processStarter);
    libraryTools_ = new LibraryTools(commandContext());
    aids_ = new EditMenuCommands(commandContext());
    editorFeatures_ = new EditorFeatures(
        {Editor, access_.get(), editorServices_.get(), &services_, statusHint_, this,
         menus_.MNU_Edit_Replace, menus_.MNU_Edit_GotoDefinition, menus_.MNU_Edit_GoBack,
         [this] { return documents_->current().Kind == DocumentKind::TextFile; }},
        this);
    typingAids_ = new TypingAids(Editor, *access_, this);
    manual_ = new ManualCommand(services_, dataFolders_.path(ManualFileName),
                                menus_.MNU_Help_Contents, this);

    tree_->UpdateToolMenus();
    editorFeatures_->documentShown();

    // The menu and status bars come on top of it, as the style measures them.
    centralWidget()->setMinimumSize(minimumWorkArea());
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens << s->availableGeometry();
    applyPlacement(fitPlacement(placement, screens));
    applyEditorSettings();

    recent_->RebuildRecentMenu();
    UpdateUserMenu();
    editorServices_->UpdateCaretStatus();
    setAcceptDrops(true);
}

TPFrm::~TPFrm() = default;

CommandContext TPFrm::commandContext() {
    return CommandContext{*this,
                          menus_,
                          services_,
                          store_,
                          settings_,
                          dataFolders_,
                          *documents_,
                          *access_,
                          *Editor,
                          *editorServices_,
                          [this]() -> TInputFrm& { return *inputFrm_; }};
}

void TPFrm::buildWidgets() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(central);

    Fond1 = frame(central, "Fond1", QFrame::Panel, QFrame::Raised, {1, 0, 161, 73});
    Fond2 = frame(central, "Fond2", QFrame::Panel, QFrame::Raised, {169, 0, 256, 73});
    Image1 = new QLabel(Fond2);
    Image1->setObjectName(QStringLiteral("Image1"));
    // Its geometry is set with the other panels' (FormResize), not taken
    // from the picture, so the picture can wait for the first paint.
    showSharpPicture(
        Image1, [](qreal ratio) { return programArtwork(QSize(132, 69), ratio); },
        PictureDrawing::WhenPainted);
    UsrPrgIcon = new QWidget(Fond2);
    UsrPrgIcon->setObjectName(QStringLiteral("UsrPrgIcon"));
    UsrPrgIcon->setGeometry(5, 0, 92, 73);
    UsrPrgIcon->hide();
    Line1 = frame(central, "Line1", QFrame::HLine, QFrame::Sunken, {-7, 76, 425, 9});

    Fond3 = frame(central, "Fond3", QFrame::Panel, QFrame::Sunken, {-1, 80, 289, 197});
    Fond3->setLineWidth(2);
    Bevel4 = frame(Fond3, "Bevel4", QFrame::Box, QFrame::Raised, {4, 4, 281, 189});
    Editor = new QsciScintilla(Fond3);
    Editor->setObjectName(QStringLiteral("Editor"));
    Editor->setGeometry(9, 9, 272, 160);
    Editor->setUtf8(false);
    Editor->setEolMode(QsciScintilla::EolWindows);
    Editor->setMarginWidth(0, 0);
    Editor->setMarginWidth(1, 0);
    Editor->setFont(editorFont());
    Editor->setContextMenuPolicy(Qt::CustomContextMenu);
    // Text does not touch the frame, and both scroll bars stay in place.
    Editor->SendScintilla(QsciScintillaBase::SCI_SETMARGINLEFT, 0UL, 4L);
    Editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Editor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TabSet = new QTabBar(Fond3);
    TabSet->setObjectName(QStringLiteral("TabSet"));
    TabSet->setGeometry(9, 170, 270, 23);
    TabSet->setShape(QTabBar::RoundedSouth);
    TabSet->setExpanding(false);
    TabSet->setUsesScrollButtons(true);
    // "MS Sans Serif" is a Windows bitmap face no Linux desktop has: asking
    // for it only makes fontconfig sort every font for a stand-in before the
    // window shows. The desktop's own sans font at the same size stands in.
    QFont tabFont = TabSet->font();
    tabFont.setPointSize(9);
    TabSet->setFont(tabFont);

    Fond4 = frame(central, "Fond4", QFrame::NoFrame, QFrame::Plain, {297, 80, 198, 225});
    Bevel1 = frame(Fond4, "Bevel1", QFrame::Box, QFrame::Raised, {4, 4, 189, 33});
    LibWindow = new QToolButton(Fond4);
    LibWindow->setObjectName(QStringLiteral("LibWindow"));
    LibWindow->setGeometry(16, 8, 25, 25);
    LibWindow->setToolTip(QStringLiteral("Library Window"));
    LibWindow->setStatusTip(QStringLiteral("Library Window"));
    LibWindow->setIcon(projectIcon(int(ProjectIcon::Library)));
    LibWindow->setEnabled(false);
    Bevel2 = frame(Fond4, "Bevel2", QFrame::Box, QFrame::Raised, {4, 40, 189, 137});
    ProjectList = new QTreeWidget(Fond4);
    ProjectList->setObjectName(QStringLiteral("ProjectList"));
    ProjectList->setGeometry(7, 42, 183, 120);
    ProjectList->setHeaderHidden(true);
    ProjectList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Bevel3 = frame(Fond4, "Bevel3", QFrame::Box, QFrame::Raised, {4, 177, 189, 32});
    RefreshBt = new QPushButton(QStringLiteral("Refresh"), Fond4);
    RefreshBt->setObjectName(QStringLiteral("RefreshBt"));
    RefreshBt->setGeometry(48, 180, 113, 25);

    statusCaret_ = new QLabel(QStringLiteral("1 : 1"));
    statusCaret_->setObjectName(QStringLiteral("StatusPanel0"));
    statusCaret_->setAlignment(Qt::AlignCenter);
    statusCaret_->setFixedWidth(80);
    statusHint_ = new QLabel;
    statusHint_->setObjectName(QStringLiteral("StatusPanel1"));
    statusHint_->setMinimumWidth(200);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(statusCaret_);
    statusBar()->addWidget(statusHint_, 1);
    central->installEventFilter(this); // the panels exist: lay them out from now on
}

// The editor binds some keys of its own (Ctrl+T transposes lines, Ctrl+Del
// deletes a word) and, having the focus, would take them before the menu.
// The menu's keys win: a menu shortcut never edits the text instead.
void TPFrm::releaseMenuKeysFromEditor() {
    QsciCommandSet* commands = Editor->standardCommands();
    for (QAction* action : findChildren<QAction*>()) {
        for (const QKeySequence& key : action->shortcuts()) {
            if (key.isEmpty())
                continue;
            const int code = key[0].toCombined();
            for (QsciCommand* command : commands->commands()) {
                // Clipboard and select-all keys do in the editor what the menu does.
                if (command->command() == QsciCommand::SelectionCopy ||
                    command->command() == QsciCommand::SelectionCut ||
                    command->command() == QsciCommand::Paste ||
                    command->command() == QsciCommand::SelectAll)
                    continue;
                if (command->key() == code)
                    command->setKey(0);
                if (command->alternateKey() == code)
                    command->setAlternateKey(0);
            }
        }
    }
}

void TPFrm::buildToolbar() {
    struct Button {
        const char* name;
        QPoint place;
        const char* hint;
        ToolbarIcon icon;
        QAction* action;
    };
    const Button buttons[] = {
        {"NewFileBt", {16, 8}, "New File", ToolbarIcon::NewFile, menus_.MNU_File_NewFile},
        {"OpenFileBt", {40, 8}, "Open File", ToolbarIcon::OpenFile, menus_.MNU_File_OpenFile},
        {"SaveBt", {16, 32}, "Save current file", ToolbarIcon::Save, menus_.MNU_File_Save},
        {"CpyBt", {80, 8}, "Copy to Clipboard", ToolbarIcon::Copy, menus_.MNU_Edit_Copy},
        {"CutBt", {104, 8}, "Cut the selection", ToolbarIcon::Cut, menus_.MNU_Edit_Cut},
        {"PstBt", {80, 32}, "Paste from Clipboard", ToolbarIcon::Paste, menus_.MNU_Edit_Paste},
    };
    for (const Button& b : buttons) {
        auto* button = new QToolButton(Fond1);
        button->setObjectName(QLatin1String(b.name));
        button->setGeometry(QRect(b.place, QSize(25, 25)));
        button->setIcon(toolbarIcon(b.icon));
        button->setToolTip(QLatin1String(b.hint));
        button->setStatusTip(QLatin1String(b.hint));
        button->setAutoRaise(true);
        QAction* action = b.action;
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
    }
}

void TPFrm::connectCommands(ProcessStarter& processStarter) {
    DocumentSet* docs = documents_.get();
    connect(menus_.MNU_File_NewFile, &QAction::triggered, this,
            [docs] { docs->NewDocument(UntitledName); });
    connect(menus_.MNU_File_OpenFile, &QAction::triggered, docs,
            &DocumentSet::MNU_File_OpenFileClick);
    connect(menus_.MNU_File_Save, &QAction::triggered, this,
            [docs] { docs->MNU_File_SaveClick(); });
    connect(menus_.MNU_File_SaveAs, &QAction::triggered, this,
            [docs] { docs->MNU_File_SaveAsClick(); });
    connect(menus_.MNU_File_Close, &QAction::triggered, this,
            [docs] { docs->CloseCurrentDocument(); });
    connect(menus_.MNU_File_CloseAll, &QAction::triggered, this,
            [docs] { docs->MNU_File_CloseAllClick(); });
    connect(menus_.MNU_File_Exit, &QAction::triggered, this, &TPFrm::MNU_File_ExitClick);
    // The editor takes the drops on most of the window; it hands each file
    // of a drop over in the drop's order.
    connect(Editor, &QsciScintillaBase::SCN_URIDROPPED, this, &TPFrm::openDroppedFile);
    connect(Editor, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menus_.PopMnuEditor->popup(Editor->mapToGlobal(at)); });
    connect(LibWindow, &QToolButton::clicked, menus_.MNU_Tools_LibWin, &QAction::trigger);
    connect(menus_.MNU_Options_General, &QAction::triggered, this,
            [this] { options_->MNU_Options_GeneralClick(); });
    build_ = std::make_unique<BuildCommands>(
        commandContext(), processStarter,
        PanelHost{[this](QWidget* panel) { installMessagesPanel(panel); },
                  [this](const QString& text) { statusHint_->setText(text); }});
}

void TPFrm::startUp(const QStringList& files) {
    for (const QString& file : files)
        documents_->OpenDocument(file);
    // The start-up "[Untitled]" ends start-up untouched; a loaded file stays on disk.
    Document& first = documents_->at(0);
    if (!first.OnDisk)
        first.Modified = false;
    show();
    const bool firstLaunch = CheckFirstLaunch(store_);
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        raise();
    // On a first launch the welcome window takes the focus at once: asking
    // for it here as well, while the welcome window has it, makes Wayland
    // desktops flag the main window as wanting attention.
    if (!firstLaunch)
        activateWindow();
    if (firstLaunch) {
        // The first-launch sequence starts here.
        options_->welcomeStep();
    }
    if (!settings_.DefaultDir.isEmpty())
        QDir::setCurrent(settings_.DefaultDir);
}

void TPFrm::createDialogs() {
    if (dialogsCreated_)
        return;
    dialogsCreated_ = true;
    // In their fixed order: about box, program wizard, folder picker, options
    // dialog, character table, key codes window, labels window, library
    // window, user programs, input dialog, user files, sprite data, welcome.
    about_ = std::make_unique<AboutCommand>(services_, menus_.MNU_Help_About, this);
    libraryTools_->createWizard();
    options_->createDialogs(); // folder picker, options dialog; a new user's first showing
    charTable_ = std::make_unique<CharTableTool>(services_, *editorServices_,
                                                 menus_.MNU_Tools_TblChar, this);
    keyCodes_ = std::make_unique<KeyCodesTool>(services_, this);
    keyCodes_->load(dataFolders_.path(KeyCodesFileName),
                    {menus_.MNU_Tools_ScanC, menus_.POPUPED_ScanC});
    keyCodes_->bind(menus_.MNU_Tools_ScanC,
                    [this](const QString& text) { editorServices_->InsertAtCaret(text); });
    libraryTools_->createLibWindow();
    build_->userMenu().createUserPrgmFrm();
    inputFrm_ = new TInputFrm(this);
    build_->userMenu().createUserFileFrm();
    labelSprite_ = std::make_unique<LabelSpriteCommands>(commandContext());
}

void TPFrm::createDialogsAfterFirstPaint() {
    if (options_->firstLaunchPending()) {
        createDialogs();
        return;
    }
    new AfterFirstPaint(Editor->viewport(), [this] { createDialogs(); });
}

void TPFrm::connectDocuments() {
    // The project tree follows the set on its own (attach); the window keeps
    // the status bar, the editor's look and the recent files in step.
    DocumentSet* set = documents_.get();
    const auto shown = [this] {
        if (editorFeatures_)
            editorFeatures_->documentShown();
    };
    const auto shownWithCaret = [this, shown] {
        shown();
        editorServices_->UpdateCaretStatus();
    };
    connect(set, &DocumentSet::currentDocumentChanged, this, shownWithCaret);
    connect(set, &DocumentSet::documentLoaded, this, shownWithCaret);
    connect(set, &DocumentSet::documentSavedAs, this, shown);
    connect(set, &DocumentSet::documentChanged, this, shown);
    connect(set, &DocumentSet::fileUsed, this,
            [this](const QString& path) { recent_->AddRecentFile(path); });
}

// At start-up and whenever the options change: word wrap, the font and the
// look beside the text.
void TPFrm::applyEditorSettings() {
    Editor->setWrapMode(settings_.WordWrap ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
    editorFeatures_->appearance().setEditorFont(editorFont());
    editorFeatures_->applyLook({settings_.SyntaxColours, settings_.LineNumbers,
                                settings_.CurrentLine, settings_.ColourScheme,
                                settings_.CheckInstructions});
    typingAids_->setAutoIndent(settings_.AutoIndent);
}

QFont TPFrm::editorFont() {
    // A stored family that is not installed ("Courier New" on most Linux
    // desktops) shows as its closest installed fixed-pitch family. Found once
    // per stored name: the search loads fonts, and the answer only changes
    // with the name.
    if (editorFamily_.first != settings_.EditorFont || editorFamily_.second.isEmpty())
        editorFamily_ = {settings_.EditorFont,
                         installedEditorFamily(settings_.EditorFont, settings_.EditorFontSize)};
    QFont font(editorFamily_.second);
    if (settings_.EditorFontSize > 0)
        font.setPointSize(settings_.EditorFontSize);
    return font;
}

void TPFrm::UpdateUserMenu() {
    build_->userMenu().UpdateUserMenu();
}

int TPFrm::windowStateCode() const {
    if (windowState() & Qt::WindowMinimized)
        return 1;
    if (windowState() & Qt::WindowMaximized)
        return 2;
    return 0;
}

WindowPlacement TPFrm::currentPlacement() const {
    return {y(), x(), width(), height(), windowStateCode()};
}

void TPFrm::applyPlacement(const WindowPlacement& p) {
    move(p.left, p.top);
    if (p.width > 0 && p.height > 0)
        resize(p.width, p.height);
    if (p.state == 2)
        setWindowState(Qt::WindowMaximized);
    else if (p.state == 1)
        setWindowState(Qt::WindowMinimized);
    else
        setWindowState(Qt::WindowNoState);
}

bool TPFrm::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        statusHint_->setText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

// The work area changes with the window and with the menu and status bars.
bool TPFrm::eventFilter(QObject* watched, QEvent* e) {
    if (watched == centralWidget() && e->type() == QEvent::Resize)
        FormResize();
    return QMainWindow::eventFilter(watched, e);
}

// The panel shares the editor's place, under it, in a splitter the user
// sizes; it is made at the first build, so start-up never pays for it.
void TPFrm::installMessagesPanel(QWidget* panel) {
    const bool focused = Editor->hasFocus();
    editorSplit_ = new QSplitter(Qt::Vertical, Fond3);
    editorSplit_->setObjectName(QStringLiteral("EditorSplit"));
    editorSplit_->setGeometry(Editor->geometry());
    editorSplit_->setChildrenCollapsible(false);
    editorSplit_->addWidget(Editor);
    editorSplit_->addWidget(panel);
    editorSplit_->setStretchFactor(0, 1);
    const int height = editorSplit_->height();
    // The height the user last gave it, within what the editor can spare.
    const int stored = ReadMessagesHeight(store_);
    messagesHeight_ = stored > 0 ? std::min(stored, height - 60) : height / 3;
    editorSplit_->setSizes({height - messagesHeight_, messagesHeight_});
    connect(editorSplit_, &QSplitter::splitterMoved, this, [this] {
        if (const int shown = editorSplit_->sizes().value(1); shown > 0)
            messagesHeight_ = shown;
    });
    editorSplit_->show();
    if (focused)
        Editor->setFocus();
}

void TPFrm::FormResize() {
    const MainLayout l = computeMainLayout(ruleWindowSize(centralWidget()->size()));
    Fond2->resize(l.fond2Width, Fond2->height());
    UsrPrgIcon->resize(l.usrPrgIconWidth, UsrPrgIcon->height());
    Image1->setGeometry(Fond2->width() - 134, 2, 132, 69);
    Line1->resize(l.line1Width, Line1->height());
    Fond3->resize(l.fond3Width, l.fond3Height);
    Fond4->setGeometry(l.fond4Left, Fond4->y(), Fond4->width(), l.fond4Height);
    (editorSplit_ ? static_cast<QWidget*>(editorSplit_) : Editor)
        ->resize(l.editorWidth, l.editorHeight);
    TabSet->setGeometry(TabSet->x(), l.tabSetTop, l.tabSetWidth, TabSet->height());
    ProjectList->resize(ProjectList->width(), l.projectListHeight);
    Bevel1->resize(l.bevel1Width, Bevel1->height());
    Bevel2->resize(l.bevel2Width, l.bevel2Height);
    Bevel3->setGeometry(Bevel3->x(), l.bevel3Top, l.bevel3Width, Bevel3->height());
    Bevel4->resize(l.bevel4Width, l.bevel4Height);
    RefreshBt->move(RefreshBt->x(), l.refreshBtTop);
    Editor->update();
}

// After the question, every modified document is offered for saving as the
// close box does: quitting straight away would throw unsaved work away.
void TPFrm::MNU_File_ExitClick() {
    if (services_.messageBox(QStringLiteral("Are you sure you want to quit ?"),
                             QStringLiteral("Exit Quaredit"), MsgIcon::Question,
                             MsgButtons::YesNo) != MsgResult::Yes)
        return;
    if (!FormCloseQuery())
        return;
    FormClose();
    quit_();
}

bool TPFrm::FormCloseQuery() {
    for (int i = documents_->DocumentCount() - 1; i >= 0; --i) {
        documents_->makeCurrent(i);
        if (!documents_->CloseCurrentDocument())
            return false;
    }
    return true;
}

void TPFrm::FormClose() {
    recent_->ClearRecentMenu();
    SaveWindowPlacement(store_, currentPlacement(),
                        windowPositionKnown(QGuiApplication::platformName()));
    if (editorSplit_)
        SaveMessagesHeight(store_, messagesHeight_);
}

void TPFrm::closeEvent(QCloseEvent* e) {
    if (!FormCloseQuery()) {
        e->ignore();
        return;
    }
    // A build still running in the panel ends with the window.
    build_->panelBuild().stop();
    FormClose();
    e->accept();
}

void TPFrm::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void TPFrm::dropEvent(QDropEvent* e) {
    for (const QUrl& url : e->mimeData()->urls())
        openDroppedFile(url);
    e->acceptProposedAction();
}

void TPFrm::openDroppedFile(const QUrl& url) {
    // The whole path, as it came: a cut or trimmed one could name another file.
    if (url.isLocalFile())
        documents_->OpenDocument(url.toLocalFile());
}

} // namespace quaredit
