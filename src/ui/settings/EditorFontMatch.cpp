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

FontStandInFinder standInFinder = nullptr;

// Qt resolves a missing family through fontconfig's substitutes; the hint
// asks for a fixed-pitch one where the name is unknown to it. An installed
// family resolves to itself.
QString qtStandIn(const QString& family, int pointSize) {
    QFont wanted(family, pointSize);
    wanted.setStyleHint(QFont::TypeWriter);
    return QFontInfo(wanted).family();
}

// Whether `family` is really there: a family the matcher names without
// having its files draws in another one. Asked of the font itself, which is
// loaded anyway to be measured, instead of the font database, whose every
// question runs all of fontconfig's substitution rules.
bool drawsInItself(const QFont& font, const QString& family) {
    return QFontInfo(font).family().compare(family, Qt::CaseInsensitive) == 0;
}

bool familyMeasuresFixed(const QString& family, int pointSize) {
    const QFont font(family, pointSize);
    return drawsInItself(font, family) && measuresFixedPitch(font);
}

} // namespace

QString installedEditorFamily(const QString& stored, int pointSize) {
    pointSize = pointSize > 0 ? pointSize : -1;
    const QString name = editorFontName(stored);
    FontMatch match;
    if (!name.isEmpty()) {
        const QString resolved = standInFinder ? standInFinder(name) : qtStandIn(name, pointSize);
        match.installed = resolved.compare(plainFamilyName(name), Qt::CaseInsensitive) == 0;
        if (!match.installed && !resolved.isEmpty()) {
            const QFont candidate(resolved, pointSize);
            if (drawsInItself(candidate, resolved)) {
                match.matched = resolved;
                match.matchedFixed = measuresFixedPitch(candidate);
            }
        }
    }
    if (!match.installed && !match.matchedFixed) {
        const QFont system = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        match.systemFixed = QFontInfo(system).family();
        match.systemFixedFixed = measuresFixedPitch(system);
        if (!match.systemFixedFixed) {
            for (const QString& family : fixedPitchFallbacks()) {
                if (familyMeasuresFixed(family, pointSize)) {
                    match.fallback = family;
                    break;
                }
            }
        }
    }
    return shownFontFamily(name, match);
}

void setFontStandInFinder(FontStandInFinder finder) {
    standInFinder = finder;
}

} // namespace quaredit
