#pragma once

#include "core/documents/Document.h"
#include "ui/project/ProjectTree.h"

#include <QObject>
#include <QVector>
#include <Qsci/qscidocument.h>
#include <functional>

class QsciScintilla;
class QTabBar;

namespace quaredit {

class EditorAccess;
class WindowServices;
struct Settings;

// The open documents, their tabs and their tree roots. Document i has tab i;
// the editor shows the current document, whose text lives in its own
// QsciDocument, so switching swaps documents instead of copying text.
class DocumentSet : public QObject {
    Q_OBJECT
public:
    // What the set needs of the rest of the main window.
    struct Hooks {
        std::function<void(const QString&)> addRecentFile;
        std::function<void()> updateToolMenus;
        std::function<void()> updateProjectTree;
        std::function<void()> updateCaretStatus;
        std::function<void(int)> scrollToLine;
    };

    DocumentSet(QsciScintilla* editor, EditorAccess& access, QTabBar* tabs, ProjectTree& tree,
                WindowServices& services, const Settings& settings, QObject* parent = nullptr);
    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }

    int DocumentCount() const { return int(entries_.size()); }
    int CurrentIndex() const { return current_; }
    Document& current() { return entries_[current_].doc; }
    const Document& at(int i) const { return entries_[i].doc; }
    Document& at(int i) { return entries_[i].doc; }
    ProjectNodes& nodes(int i) { return entries_[i].nodes; }
    ProjectNodes& currentNodes() { return entries_[current_].nodes; }
    // Index of the document whose root is `root`, or -1.
    int indexOfRoot(const QTreeWidgetItem* root) const;
    // Index of the document open from the file `fullPath`, or -1.
    int indexOfOpenFile(const QString& fullPath) const;

    bool NewDocument(const QString& name);
    bool OpenDocument(const QString& path);
    void MNU_File_OpenFileClick();
    bool SaveDocument();
    // Results of the save commands, so a prompt can tell a cancel from a failed write.
    enum class SaveOutcome { Saved, Cancelled, Failed };
    SaveOutcome MNU_File_SaveClick();
    SaveOutcome MNU_File_SaveAsClick();
    enum class Answer { NotAsked, Yes, No, Cancel };
    Answer ConfirmSaveChanges();
    bool CloseCurrentDocument();
    bool MNU_File_CloseAllClick();
    // Makes document i current through its tab, as a click on the tab does.
    void makeCurrent(int index);
    // Makes document i current and reads its file again, keeping the caret's
    // line; the reload is not an edit. False (and said) when the file
    // cannot be read, the text then stays as it was.
    bool reloadDocument(int index);
    // The text no longer matches any file on disk (its file was deleted).
    void markModified(int index);

signals:
    void currentDocumentChanged();
    // The editor's text and the file at `path` agree: it was just loaded or saved.
    void fileInStep(const QString& path);

private:
    struct Entry {
        Document doc;
        QsciDocument text;
        ProjectNodes nodes;
    };

    void onTabChanged(int index);
    void SwitchDocument(int newIndex);
    void TabSet_OnClick();
    void EditorChange();
    void showDocument(Entry& entry);
    void refreshTabCaption(int index);
    void loadBytes(const QByteArray& bytes);
    bool writeCurrent(const QString& path);
    void call(const std::function<void()>& hook) const {
        if (hook)
            hook();
    }

    QsciScintilla* editor_;
    EditorAccess& access_;
    QTabBar* tabs_;
    ProjectTree& tree_;
    WindowServices& services_;
    const Settings& settings_;
    Hooks hooks_;
    QVector<Entry> entries_;
    int current_ = 0;
    bool tabsBusy_ = false; // the program itself is changing the tab strip
    bool loading_ = false;  // the program itself is putting text into the editor
    QString lastSavePath_;  // what the save dialog gave last
};

} // namespace quaredit
