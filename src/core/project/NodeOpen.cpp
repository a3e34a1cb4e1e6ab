#include "core/project/NodeOpen.h"

#include "core/settings/Settings.h"

namespace quaredit {

NodeOpen nodeOpenFor(ProjectIcon icon, const QString& caption, const QString& documentPath,
                     const Settings& settings, const std::function<bool(const QString&)>& isFile) {
    NodeOpen result;
    switch (icon) {
    case ProjectIcon::IncludedFile: {
        // As the assemblers look: the source's own folder first, then the
        // toolchain's. A file found in neither is offered in the toolchain's.
        const QString folder = folderPart(documentPath);
        const QString beside = folder + caption;
        result.path = !folder.isEmpty() && !caption.trimmed().isEmpty() && isFile(beside)
                          ? beside
                          : settings.includeFolder() + caption;
        break;
    }
    case ProjectIcon::LibrarySource:
        result.path = settings.libraryFolder() + caption;
        break;
    case ProjectIcon::Notes:
        result.path = replaceExtension(documentPath, QStringLiteral(".txt"));
        break;
    default:
        return result;
    }
    result.newName = fileNamePart(result.path);
    if (caption == QLatin1String("[Untitled].h")) {
        result.action = NodeOpen::Action::NotSaved;
    } else if (result.newName.isEmpty()) {
        // An include with an empty argument points at the folder itself: no
        // file to open, and a document without a name cannot be created.
        result.action = NodeOpen::Action::NoFile;
    } else {
        result.action =
            isFile(result.path) ? NodeOpen::Action::Open : NodeOpen::Action::OfferCreate;
    }
    return result;
}

} // namespace quaredit
