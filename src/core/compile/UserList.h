#pragma once

#include "core/settings/Settings.h"

#include <QString>
#include <QVector>

namespace quaredit {

// What the list editor needs to know about one kind of entry: its caption
// (the line shown in the dialog's list and the menu command), the path it
// points at, and how many entries the list may hold.
template <typename Entry> struct UserListFields;

template <> struct UserListFields<UserProgram> {
    static constexpr int Max = MaxUserPrograms;
    static QString& caption(UserProgram& e) { return e.MnuName; }
    static QString& path(UserProgram& e) { return e.CmdName; }
};

template <> struct UserListFields<UserFile> {
    static constexpr int Max = MaxUserFiles;
    static QString& caption(UserFile& e) { return e.ShortName; }
    static QString& path(UserFile& e) { return e.FileName; }
};

// The editing rules shared by the User Programs and User Files dialogs. The
// dialog edits a working copy; the caller's list changes only through
// accepted(). The entry fields of the dialog mirror the selected entry, so
// every rule reads the entry instead of the widgets.
template <typename Entry> class UserListModel {
    using Fields = UserListFields<Entry>;

public:
    enum class NewResult { Added, BlankAlreadyEdited, ListFull };

    explicit UserListModel(const QVector<Entry>& entries = {}) { load(entries); }

    // Fills the working copy; the first entry, if any, is selected.
    void load(const QVector<Entry>& entries) {
        entries_ = entries.mid(0, Fields::Max);
        selected_ = entries_.isEmpty() ? -1 : 0;
        fieldsEnabled_ = selected_ >= 0;
    }

    int count() const { return int(entries_.size()); }
    const QVector<Entry>& entries() const { return entries_; }
    int selected() const { return selected_; }
    bool fieldsEnabled() const { return fieldsEnabled_; }
    // The entry the fields edit, or nullptr when no line is selected: edits
    // without a selected line are ignored.
    Entry* selectedEntry() { return selected_ >= 0 ? &entries_[selected_] : nullptr; }

    void select(int row) {
        if (row < 0 || row >= count())
            return;
        selected_ = row;
        fieldsEnabled_ = true;
    }

    // The caller moves the focus to the caption field in every case but ListFull.
    NewResult addNew() {
        if (count() >= Fields::Max)
            return NewResult::ListFull;
        fieldsEnabled_ = true;
        if (Entry* e = selectedEntry();
            e && Fields::caption(*e).isEmpty() && Fields::path(*e).isEmpty())
            return NewResult::BlankAlreadyEdited;
        entries_.append(Entry{});
        selected_ = count() - 1;
        return NewResult::Added;
    }

    // Later entries move up with all their fields; nothing is selected afterwards.
    bool deleteSelected() {
        if (selected_ < 0)
            return false;
        entries_.remove(selected_);
        selected_ = -1;
        fieldsEnabled_ = false;
        return true;
    }

    // The list OK hands back: a lone entry with neither caption nor path is
    // the blank one "New" made and is dropped. The entry's own fields decide,
    // not the (possibly cleared) edit boxes, so a named or pointed entry is
    // never lost.
    QVector<Entry> accepted() const {
        if (count() == 1) {
            Entry e = entries_[0];
            if (Fields::caption(e).isEmpty() && Fields::path(e).isEmpty())
                return {};
        }
        return entries_;
    }

    // After the dialog closed, whichever way.
    void closed() {
        selected_ = -1;
        fieldsEnabled_ = false;
    }

private:
    QVector<Entry> entries_;
    int selected_ = -1;
    bool fieldsEnabled_ = false;
};

using UserProgramList = UserListModel<UserProgram>;
using UserFileList = UserListModel<UserFile>;

} // namespace quaredit
