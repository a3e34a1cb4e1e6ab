#include "ui/settings/EditorFontMatch.h"

#include "core/settings/EditorFontChoice.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

namespace quaredit {

QString installedEditorFamily(const QString& stored) {
    const QString name = editorFontName(stored);
    FontMatch match;
    match.installed = !name.isEmpty() && QFontDatabase::hasFamily(name);
    if (!match.installed) {
        // Qt resolves a missing family through fontconfig's substitutes; the
        // hint asks for a fixed-pitch one where the name is unknown to it.
        QFont wanted(name);
        wanted.setStyleHint(QFont::TypeWriter);
        const QFontInfo resolved(wanted);
        // Only a family that is really there: an alias the matcher names
        // without having its files is no font to show in the list.
        if (QFontDatabase::hasFamily(resolved.family())) {
            match.matched = resolved.family();
            match.matchedFixed = resolved.fixedPitch();
        }
        match.systemFixed = QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
    }
    return shownFontFamily(name, match);
}

} // namespace quaredit
