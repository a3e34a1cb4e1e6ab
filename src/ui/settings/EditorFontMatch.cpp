#include "ui/settings/EditorFontMatch.h"

#include "core/settings/EditorFontChoice.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>

namespace quaredit {

bool measuresFixedPitch(const QFont& font) {
    const QFontMetricsF metrics(font);
    const qreal narrow = metrics.horizontalAdvance(QLatin1Char('i'));
    return narrow > 0 && narrow == metrics.horizontalAdvance(QLatin1Char('W')) &&
           narrow == metrics.horizontalAdvance(QLatin1Char('.'));
}

namespace {

bool familyMeasuresFixed(const QString& family, int pointSize) {
    return measuresFixedPitch(QFont(family, pointSize));
}

} // namespace

QString installedEditorFamily(const QString& stored, int pointSize) {
    pointSize = pointSize > 0 ? pointSize : -1;
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
            match.matchedFixed = familyMeasuresFixed(match.matched, pointSize);
        }
        if (!match.matchedFixed) {
            const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
            match.systemFixed = QFontInfo(system).family();
            match.systemFixedFixed = measuresFixedPitch(system);
            if (!match.systemFixedFixed) {
                for (const QString& family : fixedPitchFallbacks()) {
                    if (QFontDatabase::hasFamily(family) &&
                        familyMeasuresFixed(family, pointSize)) {
                        match.fallback = family;
                        break;
                    }
                }
            }
        }
    }
    return shownFontFamily(name, match);
}

} // namespace quaredit
