#pragma once

#include "core/app/DataFolders.h"
#include "core/app/ProductName.h"
#include "core/settings/SettingsOwner.h"
#include "ui/common/MenuMap.h"
#include "ui/documents/CommandContext.h"

#include <QFont>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <utility>

class QFrame;
class QLabel;
class QPushButton;
class QSplitter;
class QTabBar;
class QToolButton;
class QTreeWidget;
class QsciScintilla;

namespace quaredit {

class AboutCommand;
class CharTableTool;
class BuildCommands;
class DocumentSet;
class EditMenuCommands;
class EditorAccess;
class EditorServices;
class KeyCodesTool;
class KeyStore;
class LabelSpriteCommands;
class LibraryTools;
class OptionsCommands;
class ProcessStarter;
class ProjectTree;
class RecentFilesMenu;
class ShellAssociation;
class EditorFeatures;
class ManualCommand;
class TInputFrm;
class TypingAids;
class WindowServices;

// What the main window is given from outside, so tests can give fakes. The
// platform services are made by main() and nowhere else.
struct TPFrmContext {
    KeyStore* store = nullptr;
    WindowServices* services = nullptr;
    QString programFolder; // with its trailing "/"
    ProcessStarter* processStarter = nullptr;
    ShellAssociation* shellAssociation = nullptr;
};

// The main window: menus, toolbar, editor with its tabs, project tree and
// status bar. It owns the document set and the settings and wires the
// commands of every subsystem.
class TPFrm : public QMainWindow {
    Q_OBJECT
public:
    static inline const QString& Caption = ProductRelease;
    static inline const QString& ApplicationTitle = ProductName;

    explicit TPFrm(const TPFrmContext& context, QWidget* parent = nullptr);
    ~TPFrm() override;

    // The rest of start-up: the files the command line named, showing the window, the
    // first launch and the default folder.
    void startUp(const QStringList& files);
    // Creates the dialogs, in their fixed order, once the main window exists.
    // Only the first call does anything.
    void createDialogs();
    // The same, once the window has painted itself (or earlier, when input
    // arrives first), so that building a dozen dialogs does not delay the
    // window's appearance. A first launch creates them at once: its options
    // dialog follows the welcome window.
    void createDialogsAfterFirstPaint();

    // Called on File > Exit after the user confirmed; quits the application by default.
    void setQuitHandler(std::function<void()> quit) { quit_ = std::move(quit); }

    // What the subsystems use.
    KeyStore& store() { return store_; }
    WindowServices& services() { return services_; }
    Settings& settings() { return settings_; }
    const QString& programFolder() const { return programFolder_; }
    // Where each of the program's data files is read and written.
    const DataFolders& dataFolders() const { return dataFolders_; }
    const MenuMap& menus() const { return menus_; }
    DocumentSet& documents() { return *documents_; }
    EditorAccess& editor() { return *access_; }
    EditorServices& editorServices() { return *editorServices_; }
    RecentFilesMenu& recentFiles() { return *recent_; }
    ProjectTree& projectTree() { return *tree_; }
    TInputFrm& inputFrm() { return *inputFrm_; }
    LibraryTools& libraryTools() { return *libraryTools_; }
    OptionsCommands& options() { return *options_; }
    KeyCodesTool& keyCodes() { return *keyCodes_; }
    BuildCommands& build() { return *build_; }
    EditMenuCommands& editingAids() { return *aids_; }
    EditorFeatures& editorFeatures() { return *editorFeatures_; }
    TypingAids& typingAids() { return *typingAids_; }
    ManualCommand& manual() { return *manual_; }
    QsciScintilla* editorWidget() const { return Editor; }
    QTabBar* tabSet() const { return TabSet; }
    QToolButton* libWindowButton() const { return LibWindow; }
    QPushButton* refreshButton() const { return RefreshBt; }
    QLabel* statusPanel(int i) const { return i == 0 ? statusCaret_ : statusHint_; }

    // Tool menus and project tree for the current document.
    void UpdateUserMenu();

    // The state code stored for the window: 0 normal, 1 minimised, 2 maximised.
    int windowStateCode() const;
    WindowPlacement currentPlacement() const;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // What the feature commands may use of this window.
    CommandContext commandContext();
    void buildWidgets();
    void buildToolbar();
    void releaseMenuKeysFromEditor();
    void connectCommands(ProcessStarter& processStarter);
    void connectDocuments();
    void applyPlacement(const WindowPlacement& placement);
    void applyEditorSettings();
    QFont editorFont();
    void FormResize();
    void installMessagesPanel(QWidget* panel);
    bool FormCloseQuery();
    void FormClose();
    void MNU_File_ExitClick();
    void openDroppedFile(const QUrl& url);

    KeyStore& store_;
    WindowServices& services_;
    SettingsOwner settingsOwner_;
    Settings& settings_;                       // the owner's live settings
    std::pair<QString, QString> editorFamily_; // stored name, family shown for it
    QString programFolder_;
    DataFolders dataFolders_;
    MenuMap menus_;
    std::function<void()> quit_;
    bool dialogsCreated_ = false;

    // Controls named as the window's design names them.
    QFrame* Fond1 = nullptr;
    QFrame* Fond2 = nullptr;
    QLabel* Image1 = nullptr;
    QWidget* UsrPrgIcon = nullptr;
    QFrame* Line1 = nullptr;
    QFrame* Fond3 = nullptr;
    QFrame* Bevel4 = nullptr;
    QsciScintilla* Editor = nullptr;
    // The editor and the messages panel, once a build first shows it.
    QSplitter* editorSplit_ = nullptr;
    int messagesHeight_ = 0; // the panel's height as the user left it
    QTabBar* TabSet = nullptr;
    QFrame* Fond4 = nullptr;
    QFrame* Bevel1 = nullptr;
    QToolButton* LibWindow = nullptr;
    QFrame* Bevel2 = nullptr;
    QTreeWidget* ProjectList = nullptr;
    QFrame* Bevel3 = nullptr;
    QPushButton* RefreshBt = nullptr;
    QLabel* statusCaret_ = nullptr;
    QLabel* statusHint_ = nullptr;

    std::unique_ptr<EditorAccess> access_;
    std::unique_ptr<ProjectTree> tree_;
    std::unique_ptr<DocumentSet> documents_;
    std::unique_ptr<EditorServices> editorServices_;
    std::unique_ptr<RecentFilesMenu> recent_;
    std::unique_ptr<AboutCommand> about_;
    std::unique_ptr<CharTableTool> charTable_;
    EditMenuCommands* aids_ = nullptr;         // a child of the window
    EditorFeatures* editorFeatures_ = nullptr; // a child of the window
    TypingAids* typingAids_ = nullptr;         // a child of the window
    ManualCommand* manual_ = nullptr;          // a child of the window
    TInputFrm* inputFrm_ = nullptr;
    LibraryTools* libraryTools_ = nullptr;
    std::unique_ptr<OptionsCommands> options_;
    std::unique_ptr<LabelSpriteCommands> labelSprite_;
    std::unique_ptr<KeyCodesTool> keyCodes_;
    std::unique_ptr<BuildCommands> build_;
};

} // namespace quaredit
