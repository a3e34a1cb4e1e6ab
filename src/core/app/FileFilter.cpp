#include "core/app/FileFilter.h"

#include <QStringList>

namespace quaredit {

namespace {

const QString kAllFiles = QStringLiteral("All Files (*)");

// Patterns are separated by ";" in the source form; Qt wants blanks.
QStringList splitPatterns(const QString& patterns) {
    QStringList result;
    for (const QString& part : patterns.split(QLatin1Char(';'))) {
        for (QString pattern : part.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
            if (!pattern.isEmpty() && !result.contains(pattern))
                result << pattern;
        }
    }
    return result;
}

// Splits "Text Files (*.txt)" into its description and the text in the final
// parenthesis; a description without one comes back whole.
std::pair<QString, QString> splitDescription(const QString& description) {
    const QString trimmed = description.trimmed();
    if (trimmed.endsWith(QLatin1Char(')'))) {
        const qsizetype open = trimmed.lastIndexOf(QLatin1Char('('));
        if (open >= 0)
            return {trimmed.left(open).trimmed(), trimmed.mid(open + 1, trimmed.size() - open - 2)};
    }
    return {trimmed, QString()};
}

QString entry(const QString& description, const QStringList& patterns) {
    const QString list = patterns.join(QLatin1Char(' '));
    // Without a description Qt reads the bare list as the patterns.
    return description.isEmpty() ? list
                                 : description + QStringLiteral(" (") + list + QLatin1Char(')');
}

} // namespace

QString qtFilterFromDelphi(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const auto [description, shownPatterns] = splitDescription(parts[i]);
        QStringList patterns;
        if (i + 1 < parts.size())
            patterns = splitPatterns(parts[i + 1]);
        if (patterns.isEmpty())
            patterns = splitPatterns(shownPatterns);
        if (patterns.isEmpty()) {
            if (description.isEmpty())
                continue;
            patterns << QStringLiteral("*");
        }
        entries << entry(description, patterns);
    }
    return entries.isEmpty() ? kAllFiles : entries.join(QStringLiteral(";;"));
}

} // namespace quaredit
