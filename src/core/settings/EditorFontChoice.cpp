#include "core/settings/EditorFontChoice.h"

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

int fontFamilyEntry(const QStringList& families, const QString& font) {
    for (qsizetype i = 0; i < families.size(); ++i) {
        if (families[i].compare(font, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

} // namespace quaredit
