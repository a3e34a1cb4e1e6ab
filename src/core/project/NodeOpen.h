#pragma once

#include "core/project/ProjectOutline.h"

#include <QString>
#include <functional>

namespace quaredit {

struct Settings;

// What a double-click on a project tree node does.
struct NodeOpen {
    enum class Action {
        Nothing,     // the node names no file
        NotSaved,    // the own header of a library never saved
        Open,        // open `path`
        OfferCreate, // ask, then create a document named `newName`
        NoFile,      // the path names no file and there is nothing to create
    };
    Action action = Action::Nothing;
    QString path;
    QString newName; // the file-name part of `path`
};

// `documentPath` is the FullPath of the document whose subtree holds the
// node; `isFile` tells whether a path names an existing regular file. An
// included file is looked for beside the document first, then in the
// toolchain's include folder.
NodeOpen nodeOpenFor(ProjectIcon icon, const QString& caption, const QString& documentPath,
                     const Settings& settings, const std::function<bool(const QString&)>& isFile);

inline QString notSavedText() {
    return QStringLiteral("You must first give a name to your project.");
}
inline QString notSavedCaption() {
    return QStringLiteral("NOT SAVED");
}
inline QString createFileText(const QString& path) {
    return QStringLiteral("Cannot find the file ") + path +
           QStringLiteral(". Do you want to create it ?");
}
inline QString noFileText(const QString& path) {
    return QStringLiteral("Cannot find the file ") + path + QStringLiteral(".");
}
inline QString fileErrorCaption() {
    return QStringLiteral("File Error");
}

} // namespace quaredit
