#include "core/project/ProjectOutline.h"

#include "core/asm/DirectiveScan.h"

namespace quaredit {

ProjectSections sectionsFor(DocumentKind kind, bool isLibrary, const QString& shortFileName) {
    ProjectSections s;
    const bool program = kind == DocumentKind::ProgramSource;
    s.notes = program;
    s.library = program;
    s.include = program || kind == DocumentKind::IncludeFile;
    switch (kind) {
    case DocumentKind::ProgramSource:
        s.rootIcon = ProjectIcon::ProgramRoot;
        break;
    case DocumentKind::IncludeFile:
        s.rootIcon = ProjectIcon::IncludeFile;
        break;
    case DocumentKind::TextFile:
        s.rootIcon = ProjectIcon::TextRoot;
        break;
    case DocumentKind::Other:
        s.rootIcon = ProjectIcon::OtherRoot;
        break;
    }
    // Only a program source can be a library; the flag of any other kind is
    // stale and ignored.
    if (isLibrary && program) {
        s.ownHeader = true;
        s.ownHeaderCaption = replaceExtension(shortFileName, QStringLiteral(".h"));
        s.rootIcon = ProjectIcon::Library;
    }
    return s;
}

QString libraryName(QStringView argument) {
    const qsizetype dot = argument.indexOf(QLatin1Char('.'));
    return (dot < 0 ? argument : argument.left(dot)).toString();
}

OutlineNode libraryNode(const QString& name) {
    return {name,
            ProjectIcon::UsedLibrary,
            {{name + QStringLiteral(".asm"), ProjectIcon::LibrarySource, {}},
             {name + QStringLiteral(".h"), ProjectIcon::IncludedFile, {}}}};
}

ProjectEntries scanEntries(QByteArrayView text, bool hasLibrarySection,
                           const BesideSource& besideSource) {
    ProjectEntries entries;
    const auto xdef = findWord(text, "xdef", 0);
    qsizetype s = 0;
    while (auto d = FindDirective(text, "include", s, 7)) {
        s = d->position + 1;
        if (hasLibrarySection && xdef && d->position < *xdef &&
            !(besideSource && besideSource(d->argument)))
            entries.libraries.append(libraryNode(libraryName(d->argument)));
        else
            entries.includes.append({std::move(d->argument), ProjectIcon::IncludedFile, {}});
    }
    return entries;
}

ProjectOutline projectOutline(QByteArrayView text, DocumentKind kind, bool isLibrary,
                              const QString& shortFileName, const BesideSource& besideSource) {
    const ProjectSections s = sectionsFor(kind, isLibrary, shortFileName);
    ProjectEntries entries;
    if (scansEntries(kind))
        entries = scanEntries(text, s.library, besideSource);
    ProjectOutline outline;
    outline.rootIcon = s.rootIcon;
    if (s.notes)
        outline.sections.append({NotesCaption, ProjectIcon::Notes, {}});
    if (s.library)
        outline.sections.append({LibraryCaption, ProjectIcon::Library, entries.libraries});
    if (s.include)
        outline.sections.append({IncludeCaption, ProjectIcon::IncludeFile, entries.includes});
    if (s.ownHeader)
        outline.sections.append({s.ownHeaderCaption, ProjectIcon::IncludedFile, {}});
    return outline;
}

} // namespace quaredit
