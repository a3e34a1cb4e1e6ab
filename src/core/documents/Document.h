#pragma once

#include "core/documents/Paths.h"

#include <QString>

namespace quaredit {

constexpr int MaxDocuments = 255;
inline const QString UntitledName = QStringLiteral("[Untitled]");

// A file name as a tab or menu item caption shows it: each "&" doubled, so
// that "a&b.asm" reads as it is instead of underlining the "b".
inline QString literalCaption(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// One open document's record; its text lives in the editor's document object.
struct Document {
    QString FullPath = UntitledName;
    QString ShortFileName = UntitledName;
    QString Folder;
    QString Extension;
    DocumentKind Kind = DocumentKind::Other;
    bool IsLibrary = false;
    bool OnDisk = false;
    bool Modified = false;
    int SavedSelLength = 0;
    int CaretLine = 0;
    int CaretColumn = 0;
    int SavedSelStart = 0;
    int SavedTopLine = 0;

    // A document without a file, named `name` (tab and tree caption).
    static Document named(const QString& name) {
        Document d;
        d.FullPath = name;
        d.ShortFileName = name;
        return d;
    }
    // Points the record at a file: name, folder, extension and kind follow the path.
    void setPath(const QString& path) {
        FullPath = path;
        ShortFileName = fileNamePart(path);
        Folder = folderPart(path);
        Extension = extensionOf(path);
        Kind = kindFromExtension(Extension);
    }
    bool isUntouched() const { return !Modified && !OnDisk; }
    QString tabCaption() const {
        return Modified ? ShortFileName + QLatin1Char('*') : ShortFileName;
    }
};

} // namespace quaredit
