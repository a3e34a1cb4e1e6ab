#include "core/settings/EditorFontChoice.h"

#include <QRegularExpression>

#include <algorithm>

namespace quaredit {

const QList<int>& editorFontSizes() {
    static const QList<int> sizes{8, 9, 10, 12, 14, 16};
    return sizes;
}

int editorFontSizeEntry(int size) {
    const qsizetype entry = editorFontSizes().indexOf(size);
    return int(entry >= 0 ? entry : editorFontSizes().indexOf(9));
}

QStringList sortedFontFamilies(QStringList families) {
    std::stable_sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return families;
}

QString plainFamilyName(QString family) {
    // Most names have no foundry: no pattern to compile for them.
    if (!family.endsWith(QLatin1Char(']')))
        return family;
    static const QRegularExpression foundry(QStringLiteral("\\s*\\[[^\\]]*\\]$"));
    return family.remove(foundry);
}

QStringList listedFontFamilies(const QStringList& families) {
    QStringList names;
    for (const QString& family : families) {
        const QString name = plainFamilyName(family);
        if (!name.isEmpty() && fontFamilyEntry(names, name) < 0)
            names << name;
    }
    return sortedFontFamilies(names);
}

const QStringList& fixedPitchFallbacks() {
    static const QStringList families{
        QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
        QStringLiteral("Noto Mono"),       QStringLiteral("Noto Sans Mono"),
        QStringLiteral("FreeMono"),        QStringLiteral("Nimbus Mono PS"),
    };
    return families;
}

QString shownFontFamily(const QString& stored, const FontMatch& match) {
    if (match.installed)
        return stored;
    if (!match.matched.isEmpty() && match.matchedFixed)
        return plainFamilyName(match.matched);
    if (match.systemFixedFixed || match.fallback.isEmpty())
        return plainFamilyName(match.systemFixed);
    return plainFamilyName(match.fallback);
}

int fontFamilyEntry(const QStringList& families, const QString& font) {
    for (qsizetype i = 0; i < families.size(); ++i) {
        if (families[i].compare(font, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

} // namespace quaredit
