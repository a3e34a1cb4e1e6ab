#pragma once

#include "core/documents/Document.h"
#include "core/documents/LineEdit.h"

#include <QObject>
#include <QVector>
#include <Qsci/qscidocument.h>

class QsciScintilla;
class QTabBar;

namespace quaredit {

class EditorAccess;
class WindowServices;
struct Settings;

// The open documents and their tabs. Document i has tab i; the editor shows
// the current document, whose text lives in its own QsciDocument, so
// switching swaps documents instead of copying text. The set tells what
// happens to its documents through signals; the views built on them (the
// project tree, the status bar, the recent files) listen.
class DocumentSet : public QObject {
    Q_OBJECT
public:
    DocumentSet(QsciScintilla* editor, EditorAccess& access, QTabBar* tabs,
                WindowServices& services, const Settings& settings, QObject* parent = nullptr);

    int DocumentCount() const { return int(entries_.size()); }
    int CurrentIndex() const { return current_; }
    Document& current() { return entries_[current_].doc; }
    const Document& at(int i) const { return entries_[i].doc; }
    Document& at(int i) { return entries_[i].doc; }
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
    // While `into` is set, what OpenDocument refuses is added to it instead
    // of shown, one box each: a caller opening many files says it once.
    void collectRefusals(QStringList* into) { refusals_ = into; }

    // The changes the tools make to the current document go through the set,
    // which works out again what depends on them and announces them.
    // Another kind (a wizard's new program): whether it is a library is
    // read again from its text.
    void setCurrentKind(DocumentKind kind);
    // A tool's line edits, as one undo step.
    void applyLineEdits(const LineEdits& edits);

signals:
    // Indices are those of the set once the change is made. Documents are
    // only ever added at the end; closing one moves those after it down by
    // one. Closing the only document is told as its close and the addition of
    // the fresh "[Untitled]" that takes its place.
    void documentAdded(int index, const QString& caption);
    void documentClosed(int index);
    // The document took another name: a new one over an untouched tab, a file
    // opened into it, Save As.
    void documentRenamed(int index, const QString& caption);
    // Its text was just read from its file (opened or reloaded): what was
    // worked out from the old text is out of date.
    void documentLoaded(int index);
    // Saved under a new name, which may give it another kind.
    void documentSavedAs(int index);
    // What its tree and the tools offered for it depend on may have changed:
    // its kind, whether it is a library, or its lines, rewritten by a tool.
    void documentChanged(int index);
    // Document `index` is the one shown: after a switch, a close, or a request
    // to show the one already shown.
    void currentDocumentChanged(int index);
    // The user opened the file at `path` through the Open dialog, or saved to it.
    void fileUsed(const QString& path);
    // The editor's text and the file at `path` agree: it was just loaded or saved.
    void fileInStep(const QString& path);

private:
    struct Entry {
        Document doc;
        QsciDocument text;
        // Tells the document apart from any other, whatever its index: a
        // dialog's nested event loop may open or close documents meanwhile.
        quint64 serial = 0;
    };

    void onTabChanged(int index);
    void SwitchDocument(int newIndex);
    void TabSet_OnClick();
    void EditorChange();
    void showDocument(Entry& entry);
    void refreshTabCaption(int index);
    void loadBytes(const QByteArray& bytes);
    bool writeCurrent(const QString& path, const QString& backup, QString& backupProblem);
    // Makes the document `serial` current again after a dialog; false when
    // it was closed meanwhile.
    bool returnTo(quint64 serial);
    void refuse(const QString& text);

    QsciScintilla* editor_;
    EditorAccess& access_;
    QTabBar* tabs_;
    WindowServices& services_;
    const Settings& settings_;
    QVector<Entry> entries_;
    int current_ = 0;
    bool tabsBusy_ = false; // the program itself is changing the tab strip
    bool loading_ = false;  // the program itself is putting text into the editor
    QString lastSavePath_;  // what the save dialog gave last
    quint64 lastSerial_ = 0;
    QStringList* refusals_ = nullptr;
};

} // namespace quaredit
