#pragma once

#include "core/project/ProjectOutline.h"

#include <QObject>
#include <QString>
#include <QVector>

class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quaredit {

class DocumentSet;
class EditorAccess;
class WindowServices;
struct MenuMap;
struct Settings;

// A document's nodes in the project tree; a section pointer is null while
// that section does not exist.
struct ProjectNodes {
    QTreeWidgetItem* root = nullptr;
    QTreeWidgetItem* library = nullptr;
    QTreeWidgetItem* include = nullptr;
    QTreeWidgetItem* notes = nullptr;
    QTreeWidgetItem* ownHeader = nullptr;
};

// The project tree `ProjectList`: one root per open document, newest on top,
// and under a program source what its text pulls in. It follows the document
// set through its signals and keeps the nodes of document i at index i. It
// also decides which source tools the menus offer, since that follows the
// same document facts.
class ProjectTree : public QObject {
    Q_OBJECT
public:
    // The icon number of a node is behaviour (a double-click acts by it), so
    // every node carries it as data under this role.
    static constexpr int IconRole = 0x0100 + 1; // Qt::UserRole + 1

    explicit ProjectTree(QTreeWidget* list, QObject* parent = nullptr);
    QTreeWidget* list() const { return list_; }

    // What the tree works with once the main window has built it all; the
    // tree makes the roots of the documents already open and starts following
    // the set and handling click, double-click and Refresh here.
    struct Links {
        DocumentSet* documents = nullptr;
        EditorAccess* editor = nullptr;
        const Settings* settings = nullptr;
        WindowServices* services = nullptr;
        const MenuMap* menus = nullptr;
        QToolButton* libWindow = nullptr;
        QPushButton* refresh = nullptr;
    };
    void attach(const Links& links);

    // The nodes of the set's current document.
    ProjectNodes& currentNodes();
    // Index of the document whose root is `root`, or -1.
    int indexOfRoot(const QTreeWidgetItem* root) const;

    static void setIcon(QTreeWidgetItem* item, int icon);
    static int iconOf(const QTreeWidgetItem* item);

    // Operations on the current document.
    void BuildSectionNodes();
    void UpdateProjectTree();
    void UpdateToolMenus();

    // Event handlers.
    void ProjectListClick();
    void ProjectListDblClick();
    // Node captions are not the user's to change: every in-place edit is refused.
    bool ProjectList_OnEditing(QTreeWidgetItem* item) const;
    void RefreshBtClick() { UpdateProjectTree(); }

private:
    // What the document set announces.
    void documentAdded(int index, const QString& caption);
    void documentClosed(int index);
    void documentRenamed(int index, const QString& caption);
    void currentDocumentChanged(int index);

    // Deletes the section nodes and every other child of the root.
    static void clearSections(ProjectNodes& nodes);
    void rebuild(const ProjectOutline& outline);
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const OutlineNode& node);
    QString documentPathOf(const QTreeWidgetItem* item) const;

    QTreeWidget* list_;
    Links links_;
    QVector<ProjectNodes> nodes_;
};

} // namespace quaredit
