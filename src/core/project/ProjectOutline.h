#pragma once

#include "core/documents/Paths.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <QVector>
#include <functional>

namespace quaredit {

// The project tree's icon numbers. A double-click chooses what to open by
// the node's icon, so the numbers are behaviour, not only artwork.
enum class ProjectIcon : int {
    ProgramRoot = 0,   // stack of pages
    IncludeFile = 1,   // page with a paper clip: root of a ".h" document, the "Include" section
    Library = 2,       // stack of books: root of a library source, the "Library" section
    Notes = 3,         // notepad
    LibrarySource = 4, // hand writing on a page: a used library's ".asm"
    OtherRoot = 5,     // blank page
    UsedLibrary = 6,   // open folder
    IncludedFile = 7,  // page with lines: an include entry, a library's ".h", the own header
    TextRoot = 8,      // hand writing
};
constexpr int ProjectIconCount = 9;

inline const QString NotesCaption = QStringLiteral("Notes");
inline const QString LibraryCaption = QStringLiteral("Library");
inline const QString IncludeCaption = QStringLiteral("Include");

struct OutlineNode {
    QString caption;
    ProjectIcon icon = ProjectIcon::OtherRoot;
    QVector<OutlineNode> children;
    bool operator==(const OutlineNode&) const = default;
};

} // namespace quaredit

// Its members may move in memory as they are, so a growing list of nodes
// is moved in one block rather than node by node.
Q_DECLARE_TYPEINFO(quaredit::OutlineNode, Q_RELOCATABLE_TYPE);

namespace quaredit {

// The nodes a document's root holds besides the entries found in its text:
// which sections exist, in the order they are added under the root.
struct ProjectSections {
    ProjectIcon rootIcon = ProjectIcon::OtherRoot;
    bool notes = false;
    bool library = false;
    bool include = false;
    bool ownHeader = false;
    QString ownHeaderCaption; // set when ownHeader is
};

// `shortFileName` is the document's name without folder ("[Untitled]" for
// a document never saved); a library's own header is that name with ".h".
ProjectSections sectionsFor(DocumentKind kind, bool isLibrary, const QString& shortFileName);

// Text files and documents of other kinds show no entries, and refreshing
// them leaves the tool menus alone.
inline bool scansEntries(DocumentKind kind) {
    return kind == DocumentKind::ProgramSource || kind == DocumentKind::IncludeFile;
}

struct ProjectEntries {
    QVector<OutlineNode> libraries; // under "Library", text order
    QVector<OutlineNode> includes;  // under "Include", text order
    bool operator==(const ProjectEntries&) const = default;
};

// Whether the source's own folder holds the file an include names. The
// assemblers look there first, so such a file is the program's own, never
// a library, wherever its include stands. Empty: nothing lies beside it (a
// document never saved).
using BesideSource = std::function<bool(const QString& argument)>;

// Reads every `include` of the text. With a Library section, the ones above
// the first `xdef` are the program's libraries, unless the file lies beside
// the source; all others are includes. A directive without argument ends the
// scan. One pass over the text, which is Latin-1 bytes as the editor holds them.
ProjectEntries scanEntries(QByteArrayView text, bool hasLibrarySection,
                           const BesideSource& besideSource = {});

// The library named by an include argument: up to its first "." (gray.lib.h is gray).
QString libraryName(QStringView argument);
OutlineNode libraryNode(const QString& name);

// A document's whole subtree below its root, as plain data: the sections in
// the order they are added, entries filled in when the kind is scanned.
struct ProjectOutline {
    ProjectIcon rootIcon = ProjectIcon::OtherRoot;
    QVector<OutlineNode> sections;
};
ProjectOutline projectOutline(QByteArrayView text, DocumentKind kind, bool isLibrary,
                              const QString& shortFileName, const BesideSource& besideSource = {});

} // namespace quaredit
