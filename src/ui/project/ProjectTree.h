#pragma once

#include <QObject>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

namespace quaredit {

// A document's nodes in the project tree; a section pointer is null while
// that section does not exist.
struct ProjectNodes {
    QTreeWidgetItem* root = nullptr;
    QTreeWidgetItem* library = nullptr;
    QTreeWidgetItem* include = nullptr;
    QTreeWidgetItem* notes = nullptr;
    QTreeWidgetItem* ownHeader = nullptr;
};

// The project tree `ProjectList`: one root per open document, newest on top.
class ProjectTree : public QObject {
    Q_OBJECT
public:
    // The icon number of a node is behaviour (a double-click acts by it), so
    // every node carries it as data under this role.
    static constexpr int IconRole = 0x0100 + 1; // Qt::UserRole + 1

    explicit ProjectTree(QTreeWidget* list, QObject* parent = nullptr);
    QTreeWidget* list() const { return list_; }

    // A new root at the top, icon 5, no children.
    QTreeWidgetItem* addRoot(const QString& caption);
    void deleteRoot(QTreeWidgetItem* root);
    // Deletes the section nodes and every other child of the root.
    void clearSections(ProjectNodes& nodes);
    void selectRoot(QTreeWidgetItem* root);
    // Position of a root from the top (0-based), or -1 for a node that is no root.
    int rootPosition(const QTreeWidgetItem* item) const;

    static void setIcon(QTreeWidgetItem* item, int icon);
    static int iconOf(const QTreeWidgetItem* item);
    static void setCaption(QTreeWidgetItem* item, const QString& caption);

private:
    QTreeWidget* list_;
};

} // namespace quaredit
