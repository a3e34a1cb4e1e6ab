#include "core/settings/DesktopIntegration.h"

#include <QStringList>

#include <algorithm>

namespace quaredit {

std::optional<QString> desktopExecValue(const QString& executable) {
    QString quoted;
    for (const QChar c : executable) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return std::nullopt;
        // Inside a quoted Exec argument these four need a backslash...
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        // ...and a percent sign would be read as a field code.
        if (c == u'%')
            quoted += u'%';
        quoted += c;
    }
    // The Exec value is itself an escaped string, where a backslash stands
    // for the escape that follows: every backslash is written twice.
    quoted.replace(u'\\', QStringLiteral("\\\\"));
    // %F: a file manager opening several files starts one editor with all of them.
    return u'"' + quoted + QStringLiteral("\" %F");
}

std::optional<QByteArray> desktopEntryText(const QString& executable, const QString& iconFile) {
    const auto exec = desktopExecValue(executable);
    if (!exec)
        return std::nullopt;
    // The same entry as the installed data/quaredit.desktop, which this one
    // overrides in the user's folder, except that it starts this very
    // executable and shows the icon shipped beside it.
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=Quaro Program Editor v2.0\n"
                                  "GenericName=68000 Assembly Editor\n"
                                  "Comment=Edit with Quaredit v2.0\n"
                                  "Keywords=assembly;68000;TI-89;TI-92;calculator;\n"
                                  "Exec=%1\n"
                                  "MimeType=%2;\n"
                                  "Terminal=false\n"
                                  "Categories=Development;IDE;\n"
                                  "StartupNotify=true\n"
                                  "StartupWMClass=%3\n")
                       .arg(*exec, AsmMimeType, DesktopEntryId);
    // An icon path with a control character cannot be written on one line;
    // the entry then names the installed theme icon rather than losing the
    // association.
    const bool plain = std::none_of(iconFile.begin(), iconFile.end(), [](QChar c) {
        return c.unicode() < 0x20 || c.unicode() == 0x7f;
    });
    QString icon = DesktopEntryId;
    if (!iconFile.isEmpty() && plain) {
        icon = iconFile;
        icon.replace(u'\\', QStringLiteral("\\\\"));
    }
    text += QStringLiteral("Icon=") + icon + u'\n';
    return text.toUtf8();
}

namespace {

const QString DefaultGroup = QStringLiteral("Default Applications");
const QString AddedGroup = QStringLiteral("Added Associations");

std::optional<QString> groupOf(const QString& line) {
    const QString t = line.trimmed();
    if (t.startsWith(u'[') && t.endsWith(u']'))
        return t.mid(1, t.size() - 2);
    return std::nullopt;
}

bool isEntryFor(const QString& line, const QString& key) {
    const qsizetype eq = line.indexOf(u'=');
    return eq > 0 && line.left(eq).trimmed() == key;
}

QStringList listOf(const QString& line) {
    QStringList items;
    for (const QString& item : line.mid(line.indexOf(u'=') + 1).split(u';')) {
        if (!item.trimmed().isEmpty())
            items << item.trimmed();
    }
    return items;
}

QString entryLine(const QString& key, const QStringList& items) {
    return key + u'=' + items.join(u';') + u';';
}

// One group's rule: where our file must stand in the list, if at all.
enum class Place { Absent, First, Last };

void applyToGroup(QStringList& lines, const QString& group, const QString& key,
                  const QString& desktopFile, Place place) {
    bool inGroup = false;
    bool placed = place == Place::Absent;
    qsizetype endOfGroup = -1; // after the group's last non-blank line
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const auto name = groupOf(lines[i])) {
            inGroup = *name == group;
            if (inGroup)
                endOfGroup = i + 1;
            continue;
        }
        if (!inGroup)
            continue;
        if (!lines[i].trimmed().isEmpty())
            endOfGroup = i + 1;
        if (!isEntryFor(lines[i], key))
            continue;
        const QStringList before = listOf(lines[i]);
        QStringList items = before;
        items.removeAll(desktopFile);
        if (!placed) {
            if (place == Place::First)
                items.prepend(desktopFile);
            else
                items.append(desktopFile);
            placed = true;
        }
        if (items == before)
            continue; // keep the user's own spelling of an unchanged line
        // A line is only ever removed once our file is placed (or must not
        // be), so the insertion below never follows a removal.
        if (items.isEmpty())
            lines.removeAt(i--);
        else
            lines[i] = entryLine(key, items);
    }
    if (placed)
        return;
    const QString entry = entryLine(key, {desktopFile});
    if (endOfGroup >= 0) {
        lines.insert(endOfGroup, entry);
        return;
    }
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    if (!lines.isEmpty())
        lines << QString();
    lines << u'[' + group + u']' << entry;
}

} // namespace

QString updateMimeApps(const QString& text, const QString& mimeType, const QString& desktopFile,
                       bool makeDefault, bool offer) {
    QStringList lines = text.split(u'\n');
    if (text.isEmpty() || text.endsWith(u'\n'))
        lines.removeLast();
    const QStringList before = lines;
    applyToGroup(lines, DefaultGroup, mimeType, desktopFile,
                 makeDefault ? Place::First : Place::Absent);
    applyToGroup(lines, AddedGroup, mimeType, desktopFile, offer ? Place::Last : Place::Absent);
    if (lines == before)
        return text; // nothing of ours to change: the file is left byte for byte
    return lines.isEmpty() ? QString() : lines.join(u'\n') + u'\n';
}

} // namespace quaredit
