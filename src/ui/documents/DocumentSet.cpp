#include "ui/documents/DocumentSet.h"

#include "core/asm/DirectiveScan.h"
#include "core/documents/TextFile.h"
#include "core/settings/Settings.h"
#include "ui/common/WindowServices.h"
#include "ui/editor/EditNotices.h"
#include "ui/editor/EditorAccess.h"

#include <QApplication>
#include <QFileInfo>
#include <QTabBar>
#include <Qsci/qsciscintilla.h>

namespace quaredit {

namespace {

const QString FileErrorCaption = QStringLiteral("File Error");

// The wait cursor while a file loads, over a window that shows. A file
// named on the command line loads before the window shows: no cursor to
// change then, and making the wait cursor reads the cursor theme's files.
struct BusyCursor {
    explicit BusyCursor(const QWidget* over) : shown_(over->window()->isVisible()) {
        if (shown_)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyCursor() {
        if (shown_)
            QApplication::restoreOverrideCursor();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    bool shown_;
};

} // namespace

DocumentSet::DocumentSet(QsciScintilla* editor, EditorAccess& access, QTabBar* tabs,
                         WindowServices& services, const Settings& settings, QObject* parent)
    : QObject(parent), editor_(editor), access_(access), tabs_(tabs), services_(services),
      settings_(settings) {
    entries_.append(Entry{});
    showDocument(entries_[0]);
    tabsBusy_ = true;
    tabs_->addTab(UntitledName);
    tabs_->setCurrentIndex(0);
    tabsBusy_ = false;
    connect(tabs_, &QTabBar::currentChanged, this, &DocumentSet::onTabChanged);
    connect(&access_.notices(), &EditNotices::aboutToChange, this, &DocumentSet::EditorChange);
}

void DocumentSet::refreshTabCaption(int index) {
    tabs_->setTabText(index, literalCaption(entries_[index].doc.tabCaption()));
}

void DocumentSet::loadBytes(const QByteArray& bytes) {
    loading_ = true;
    editor_->setUpdatesEnabled(false);
    // A loaded text is not an edit to undo: keeping the editor from recording
    // it saves a copy of the whole file.
    editor_->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0UL);
    access_.asOwnEdit(
        [&] { editor_->SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL, bytes.constData()); });
    editor_->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 1UL);
    editor_->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    editor_->SendScintilla(QsciScintillaBase::SCI_SETSAVEPOINT);
    editor_->setUpdatesEnabled(true);
    loading_ = false;
}

bool DocumentSet::NewDocument(const QString& name) {
    Document& cur = current();
    if (cur.Modified || cur.OnDisk) {
        if (entries_.size() >= MaxDocuments) {
            const QString tooMany =
                QStringLiteral(
                    "Cannot open more than %1 documents at once. Close a document first.")
                    .arg(MaxDocuments);
            if (refusals_)
                refusals_->append(tooMany);
            else
                services_.messageBox(tooMany, QStringLiteral("Error"), MsgIcon::Error,
                                     MsgButtons::Ok);
            return false;
        }
        const int i = int(entries_.size());
        Entry entry;
        entry.doc = Document::named(name);
        entry.serial = ++lastSerial_;
        entries_.append(entry);
        emit documentAdded(i, name);
        tabsBusy_ = true;
        tabs_->addTab(literalCaption(name));
        tabsBusy_ = false;
        // Selecting the new tab stores the old document and shows the new, empty one.
        tabs_->setCurrentIndex(i);
    } else {
        cur.FullPath = name;
        cur.ShortFileName = name;
        refreshTabCaption(current_);
        emit documentRenamed(current_, name);
    }
    return true;
}

int DocumentSet::indexOfOpenFile(const QString& fullPath) const {
    for (int i = 0; i < entries_.size(); ++i) {
        const Document& d = entries_[i].doc;
        if (d.OnDisk && d.FullPath == fullPath)
            return i;
    }
    return -1;
}

bool DocumentSet::OpenDocument(const QString& path) {
    const QString fullPath = canonicalDocumentPath(path);
    if (const int open = indexOfOpenFile(fullPath); open >= 0) {
        if (open == current_)
            emit currentDocumentChanged(open);
        else
            makeCurrent(open);
        return true;
    }
    const QFileInfo info(fullPath);
    if (!info.exists()) {
        refuse(QStringLiteral("Cannot find the file <%1>").arg(path));
        return false;
    }
    // Read before touching the set, so a refused file changes nothing.
    LoadedText loaded = loadTextFile(fullPath);
    if (!loaded.ok()) {
        refuse(loaded.error);
        return false;
    }
    if (!NewDocument(fileNamePart(fullPath)))
        return false;
    Document& doc = current();
    doc.setPath(fullPath);
    {
        BusyCursor busy(editor_);
        loadBytes(loaded.bytes);
    }
    doc.Modified = false;
    doc.OnDisk = true;
    refreshTabCaption(current_);
    doc.IsLibrary = DetectLibrary(access_.view(), doc.Kind);
    emit documentLoaded(current_);
    emit fileInStep(fullPath);
    return true;
}

bool DocumentSet::reloadDocument(int index) {
    if (index < 0 || index >= entries_.size() || !entries_[index].doc.OnDisk)
        return false;
    makeCurrent(index);
    Document& doc = current();
    const LoadedText loaded = loadTextFile(doc.FullPath);
    if (!loaded.ok()) {
        services_.messageBox(loaded.error, FileErrorCaption, MsgIcon::Error, MsgButtons::Ok);
        return false;
    }
    int line = 0;
    int column = 0;
    editor_->getCursorPosition(&line, &column);
    {
        BusyCursor busy(editor_);
        loadBytes(loaded.bytes);
    }
    line = qMin(line, editor_->lines() - 1);
    editor_->setCursorPosition(line, 0);
    editor_->ensureLineVisible(line);
    doc.Modified = false;
    refreshTabCaption(current_);
    doc.IsLibrary = DetectLibrary(access_.view(), doc.Kind);
    const QString path = doc.FullPath;
    emit documentLoaded(current_);
    emit fileInStep(path);
    return true;
}

void DocumentSet::markModified(int index) {
    if (index < 0 || index >= entries_.size() || entries_[index].doc.Modified)
        return;
    entries_[index].doc.Modified = true;
    refreshTabCaption(index);
}

void DocumentSet::MNU_File_OpenFileClick() {
    FileDialogOptions options;
    options.filter = QStringLiteral(
        "ASM Files (*.asm;*.h)|*.asm;*.h|Text Files (*.txt)|*.txt|ASM Files (*.asm)|*.asm|"
        "Library Files (*.asm;*.h)|*.asm;*.h|Include Files (*.h)|*.h");
    options.title = QStringLiteral("Open a file...");
    const auto chosen = services_.openFileName(options);
    if (!chosen)
        return;
    // A file that could not be opened (missing, refused) is not offered again.
    if (OpenDocument(*chosen))
        emit fileUsed(canonicalDocumentPath(*chosen));
}

void DocumentSet::refuse(const QString& text) {
    if (refusals_)
        refusals_->append(text);
    else
        services_.messageBox(text, FileErrorCaption, MsgIcon::Error, MsgButtons::Ok);
}

bool DocumentSet::returnTo(quint64 serial) {
    for (int i = 0; i < entries_.size(); ++i) {
        if (entries_[i].serial == serial) {
            makeCurrent(i);
            return true;
        }
    }
    return false;
}

bool DocumentSet::writeCurrent(const QString& path, const QString& backup, QString& backupProblem) {
    const WriteOutcome outcome = saveTextFile(path, access_.bytes(), backup);
    if (outcome.error) {
        services_.messageBox(*outcome.error, FileErrorCaption, MsgIcon::Error, MsgButtons::Ok);
        return false;
    }
    backupProblem = outcome.backupProblem;
    editor_->SendScintilla(QsciScintillaBase::SCI_SETSAVEPOINT);
    emit fileInStep(canonicalDocumentPath(path));
    return true;
}

bool DocumentSet::SaveDocument() {
    const QString path = current().FullPath;
    QString backup;
    if (settings_.MakeBAK) {
        backup = replaceExtension(path, QStringLiteral(".bak"));
        // A ".bak" document saved onto itself keeps no backup: the backup
        // would be the file that is being replaced.
        if (backup == path)
            backup.clear();
    }
    QString backupProblem;
    if (!writeCurrent(path, backup, backupProblem))
        return false;
    emit fileUsed(path);
    current().Modified = false;
    refreshTabCaption(current_);
    // A failed backup does not stop the save, but the user relies on it.
    if (!backupProblem.isEmpty())
        services_.messageBox(
            QStringLiteral("<%1> is saved, without a backup. %2").arg(path, backupProblem),
            FileErrorCaption, MsgIcon::Warning, MsgButtons::Ok);
    return true;
}

DocumentSet::SaveOutcome DocumentSet::MNU_File_SaveClick() {
    if (current().OnDisk)
        return SaveDocument() ? SaveOutcome::Saved : SaveOutcome::Failed;
    return MNU_File_SaveAsClick();
}

DocumentSet::SaveOutcome DocumentSet::MNU_File_SaveAsClick() {
    const Document& asked = current();
    const quint64 serial = entries_[current_].serial;
    FileDialogOptions options;
    options.filter = QStringLiteral(
        "Project files (*.asm)|*.asm|Include files (*.h)|*.h|Text Files (*.txt)|*.txt");
    options.defaultExtension = QStringLiteral("asm");
    // A named document offers its own name; "[Untitled]" offers the last
    // path chosen, folder and name, so a series of new files lands together.
    options.initialName =
        asked.ShortFileName != UntitledName ? asked.ShortFileName : fileNamePart(lastSavePath_);
    if (asked.OnDisk)
        options.initialFolder = asked.Folder;
    else if (!lastSavePath_.isEmpty())
        options.initialFolder = folderPart(lastSavePath_);
    const auto chosen = services_.saveFileName(options);
    // The dialog runs an event loop: the set may have changed under it.
    if (!chosen || !returnTo(serial))
        return SaveOutcome::Cancelled;
    const QString fullPath = canonicalDocumentPath(*chosen);
    // Two tabs on one file would each save over the other's text.
    const int other = indexOfOpenFile(fullPath);
    if (other >= 0 && other != current_) {
        services_.messageBox(QStringLiteral("Cannot save as <%1>: the file is open in another "
                                            "tab. Close that tab first, or choose another name.")
                                 .arg(fullPath),
                             FileErrorCaption, MsgIcon::Error, MsgButtons::Ok);
        return SaveOutcome::Failed;
    }
    lastSavePath_ = fullPath;
    // Write first: a document whose write failed keeps its old name and stays modified.
    QString noBackup;
    if (!writeCurrent(fullPath, QString(), noBackup))
        return SaveOutcome::Failed;
    Document& doc = current();
    doc.setPath(fullPath);
    doc.IsLibrary = DetectLibrary(access_.view(), doc.Kind);
    doc.Modified = false;
    doc.OnDisk = true;
    refreshTabCaption(current_);
    emit documentRenamed(current_, doc.ShortFileName);
    emit documentSavedAs(current_);
    emit fileUsed(fullPath);
    return SaveOutcome::Saved;
}

DocumentSet::Answer DocumentSet::ConfirmSaveChanges() {
    if (!current().Modified)
        return Answer::NotAsked;
    const quint64 serial = entries_[current_].serial;
    const MsgResult r =
        services_.messageBox(QStringLiteral("Save Changes to <%1> ?").arg(current().FullPath),
                             QStringLiteral("Confirm"), MsgIcon::None, MsgButtons::YesNoCancel);
    // The answer is about the document asked about, whatever is current now.
    if (!returnTo(serial))
        return Answer::Cancel;
    if (r == MsgResult::Yes) {
        // A cancelled Save As closes the document unsaved, as the user chose
        // not to name it; a write that failed keeps it open so nothing is lost.
        return MNU_File_SaveClick() == SaveOutcome::Failed ? Answer::Cancel : Answer::Yes;
    }
    return r == MsgResult::No ? Answer::No : Answer::Cancel;
}

bool DocumentSet::CloseCurrentDocument() {
    if (ConfirmSaveChanges() == Answer::Cancel)
        return false;
    if (entries_.size() == 1) {
        // The last document gives way to a fresh "[Untitled]" in its tab.
        Entry& only = entries_[0];
        only.doc = Document::named(UntitledName);
        only.serial = ++lastSerial_;
        only.text = QsciDocument();
        showDocument(only);
        current_ = 0;
        tabsBusy_ = true;
        tabs_->setTabText(0, UntitledName);
        tabs_->setCurrentIndex(0);
        tabsBusy_ = false;
        emit documentClosed(0);
        emit documentAdded(0, UntitledName);
        emit currentDocumentChanged(0);
        return true;
    }
    const int c = current_;
    const int neighbour = c == entries_.size() - 1 ? c - 1 : c + 1;
    SwitchDocument(neighbour);
    entries_.removeAt(c);
    if (current_ > c)
        --current_;
    emit documentClosed(c);
    tabsBusy_ = true;
    tabs_->removeTab(c);
    const int now = neighbour > c ? c : neighbour;
    tabs_->setCurrentIndex(now);
    tabsBusy_ = false;
    current_ = now;
    TabSet_OnClick();
    return true;
}

bool DocumentSet::MNU_File_CloseAllClick() {
    for (int c = int(entries_.size()) - 1; c >= 0; --c) {
        makeCurrent(c);
        if (!CloseCurrentDocument())
            return false;
    }
    return true;
}

void DocumentSet::makeCurrent(int index) {
    if (index < 0 || index >= entries_.size())
        return;
    if (tabs_->currentIndex() != index)
        tabs_->setCurrentIndex(index); // runs SwitchDocument and TabSet_OnClick
    else if (index != current_)
        onTabChanged(index);
}

void DocumentSet::onTabChanged(int index) {
    if (tabsBusy_ || index < 0 || index >= entries_.size())
        return;
    if (index != current_)
        SwitchDocument(index);
    TabSet_OnClick();
}

void DocumentSet::showDocument(Entry& entry) {
    loading_ = true;
    editor_->setUpdatesEnabled(false);
    editor_->setDocument(entry.text);
    // A fresh QsciDocument takes the editor's settings only once attached.
    editor_->setUtf8(false);
    editor_->setEolMode(QsciScintilla::EolWindows);
    editor_->setUpdatesEnabled(true);
    loading_ = false;
}

void DocumentSet::SwitchDocument(int newIndex) {
    Entry& old = entries_[current_];
    old.doc.SavedSelStart = access_.selectionStart();
    old.doc.SavedSelLength = access_.selectionLength();
    old.doc.SavedTopLine = access_.firstVisibleLine();
    Entry& next = entries_[newIndex];
    showDocument(next);
    current_ = newIndex;
    access_.setSelection(next.doc.SavedSelStart, next.doc.SavedSelLength);
    access_.scrollLines(next.doc.SavedTopLine - access_.firstVisibleLine());
    editor_->update();
}

void DocumentSet::TabSet_OnClick() {
    const int selected = tabs_->currentIndex();
    if (selected >= 0 && selected < entries_.size())
        current_ = selected;
    emit currentDocumentChanged(current_);
}

void DocumentSet::EditorChange() {
    if (loading_)
        return;
    Document& doc = current();
    if (doc.Modified)
        return;
    doc.Modified = true;
    refreshTabCaption(current_);
}

void DocumentSet::setCurrentKind(DocumentKind kind) {
    Document& doc = current();
    doc.Kind = kind;
    doc.IsLibrary = DetectLibrary(access_.view(), doc.Kind);
    emit documentChanged(current_);
}

void DocumentSet::applyLineEdits(const LineEdits& edits) {
    if (edits.isEmpty())
        return;
    access_.applyLineEdits(edits);
    Document& doc = current();
    doc.IsLibrary = DetectLibrary(access_.view(), doc.Kind);
    emit documentChanged(current_);
}

} // namespace quaredit
