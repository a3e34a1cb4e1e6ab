#include "ui/project/ProjectTree.h"

#include "core/project/NodeOpen.h"
#include "core/project/ToolMenus.h"
#include "ui/common/MenuMap.h"
#include "ui/common/WindowServices.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editor/EditorAccess.h"
#include "ui/project/ProjectIcons.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>

namespace quaredit {

namespace {

// Repainting of the tree stays off while a batch of node changes runs.
class RepaintPause {
public:
    explicit RepaintPause(QWidget* w) : w_(w), was_(w->updatesEnabled()) {
        w_->setUpdatesEnabled(false);
    }
    ~RepaintPause() { w_->setUpdatesEnabled(was_); }
    RepaintPause(const RepaintPause&) = delete;
    RepaintPause& operator=(const RepaintPause&) = delete;

private:
    QWidget* w_;
    bool was_;
};

// Asks the tree before any in-place editor opens, so that no node caption
// can be edited whatever its flags say.
class EditGuard : public QStyledItemDelegate {
public:
    EditGuard(const ProjectTree& tree, QTreeWidget* list)
        : QStyledItemDelegate(list), tree_(tree), list_(list) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (!tree_.ProjectList_OnEditing(list_->itemFromIndex(index)))
            return nullptr;
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

private:
    const ProjectTree& tree_;
    QTreeWidget* list_;
};

QTreeWidgetItem* newItem(const QString& caption, int icon) {
    auto* item = new QTreeWidgetItem(QStringList{caption});
    // Default flags: selectable and enabled, never editable.
    ProjectTree::setIcon(item, icon);
    return item;
}

QTreeWidgetItem* detachedItem(const OutlineNode& node) {
    QTreeWidgetItem* item = newItem(node.caption, int(node.icon));
    QList<QTreeWidgetItem*> children;
    children.reserve(node.children.size());
    for (const OutlineNode& child : node.children)
        children.append(detachedItem(child));
    item->addChildren(children);
    return item;
}

} // namespace

ProjectTree::ProjectTree(QTreeWidget* list, QObject* parent) : QObject(parent), list_(list) {
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setItemDelegate(new EditGuard(*this, list_));
}

void ProjectTree::attach(const Links& links) {
    links_ = links;
    DocumentSet* documents = links_.documents;
    for (int i = 0; i < documents->DocumentCount(); ++i)
        documentAdded(i, documents->at(i).ShortFileName);
    if (!nodes_.isEmpty())
        list_->setCurrentItem(currentNodes().root);
    connect(documents, &DocumentSet::documentAdded, this, &ProjectTree::documentAdded);
    connect(documents, &DocumentSet::documentClosed, this, &ProjectTree::documentClosed);
    connect(documents, &DocumentSet::documentRenamed, this, &ProjectTree::documentRenamed);
    connect(documents, &DocumentSet::currentDocumentChanged, this,
            &ProjectTree::currentDocumentChanged);
    // Only the current document's text is in the editor, and the set loads
    // and saves the current document only.
    connect(documents, &DocumentSet::documentLoaded, this, [this] { UpdateProjectTree(); });
    connect(documents, &DocumentSet::documentSavedAs, this, [this] {
        UpdateProjectTree();
        // The tree leaves the menus alone for a text file or other kind, but a
        // source saved under such a name must not keep offering the source tools.
        UpdateToolMenus();
    });
    connect(documents, &DocumentSet::documentChanged, this, [this](int index) {
        if (index == links_.documents->CurrentIndex())
            UpdateProjectTree();
    });
    connect(list_, &QTreeWidget::itemClicked, this, [this] { ProjectListClick(); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { ProjectListDblClick(); });
    if (links_.refresh)
        connect(links_.refresh, &QPushButton::clicked, this, &ProjectTree::RefreshBtClick);
}

void ProjectTree::documentAdded(int index, const QString& caption) {
    Q_ASSERT(index >= 0 && index <= nodes_.size());
    // A new document's root goes on top, icon 5, no children.
    QTreeWidgetItem* root = newItem(caption, int(ProjectIcon::OtherRoot));
    list_->insertTopLevelItem(0, root);
    nodes_.insert(index, ProjectNodes{root});
}

void ProjectTree::documentClosed(int index) {
    Q_ASSERT(index >= 0 && index < nodes_.size());
    RepaintPause pause(list_);
    clearSections(nodes_[index]);
    delete nodes_[index].root;
    nodes_.removeAt(index);
}

void ProjectTree::documentRenamed(int index, const QString& caption) {
    nodes_[index].root->setText(0, caption);
}

void ProjectTree::currentDocumentChanged(int index) {
    list_->setCurrentItem(nodes_[index].root);
    UpdateToolMenus();
}

ProjectNodes& ProjectTree::currentNodes() {
    return nodes_[links_.documents->CurrentIndex()];
}

int ProjectTree::indexOfRoot(const QTreeWidgetItem* root) const {
    for (int i = 0; i < nodes_.size(); ++i) {
        if (nodes_[i].root == root)
            return i;
    }
    return -1;
}

void ProjectTree::clearSections(ProjectNodes& nodes) {
    if (nodes.root)
        qDeleteAll(nodes.root->takeChildren());
    nodes.library = nodes.include = nodes.notes = nodes.ownHeader = nullptr;
}

void ProjectTree::setIcon(QTreeWidgetItem* item, int icon) {
    item->setData(0, IconRole, icon);
    item->setIcon(0, projectIcon(icon));
}

int ProjectTree::iconOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, IconRole).toInt() : -1;
}

QTreeWidgetItem* ProjectTree::addNode(QTreeWidgetItem* parent, const OutlineNode& node) {
    // The subtree is built away from the view and hung in at once: every item
    // added under one already shown tells the view on its own, which for a
    // source with thousands of includes was most of the refresh.
    QTreeWidgetItem* item = detachedItem(node);
    parent->addChild(item);
    return item;
}

void ProjectTree::rebuild(const ProjectOutline& outline) {
    ProjectNodes& nodes = currentNodes();
    QTreeWidgetItem* root = nodes.root;
    const bool wasExpanded = root->isExpanded();
    RepaintPause pause(list_);
    clearSections(nodes);
    for (const OutlineNode& section : outline.sections) {
        QTreeWidgetItem* item = addNode(root, section);
        // Each section has its own icon, which tells the sections apart.
        switch (section.icon) {
        case ProjectIcon::Notes:
            nodes.notes = item;
            break;
        case ProjectIcon::Library:
            nodes.library = item;
            break;
        case ProjectIcon::IncludeFile:
            nodes.include = item;
            break;
        case ProjectIcon::IncludedFile:
            nodes.ownHeader = item;
            break;
        default:
            break;
        }
    }
    setIcon(root, int(outline.rootIcon));
    // One level only: the new sections start collapsed.
    if (wasExpanded)
        root->setExpanded(true);
}

void ProjectTree::BuildSectionNodes() {
    const Document& doc = links_.documents->current();
    rebuild(projectOutline(QByteArrayView(), doc.Kind, doc.IsLibrary, doc.ShortFileName));
}

void ProjectTree::UpdateProjectTree() {
    const Document& doc = links_.documents->current();
    if (!scansEntries(doc.Kind)) {
        // Text files and others: sections only, and the menus stay as they are.
        BuildSectionNodes();
        return;
    }
    const QString folder = doc.OnDisk ? folderPart(doc.FullPath) : QString();
    BesideSource beside;
    if (!folder.isEmpty())
        beside = [folder](const QString& argument) {
            return !argument.isEmpty() && QFileInfo(folder + argument).isFile();
        };
    rebuild(
        projectOutline(links_.editor->view(), doc.Kind, doc.IsLibrary, doc.ShortFileName, beside));
    UpdateToolMenus();
}

void ProjectTree::UpdateToolMenus() {
    const Document& doc = links_.documents->current();
    const ToolMenuState state = toolMenuState(doc.Kind, doc.IsLibrary);
    const MenuMap& m = *links_.menus;
    // The compile item goes with its menu: hiding the item itself would also
    // take away F9, which must reach the compile command for every document.
    for (QAction* a : {m.MNU_Tools_LibWin, m.MNU_Tools_LblVarWin, m.MNU_Quaro->menuAction(),
                       m.POPUPED_LibWin, m.POPUPED_LabVarWin, m.POPUPED_Compil, m.N5})
        a->setVisible(state.sourceTools);
    m.MNU_Tools_NewLibEntry->setVisible(state.libraryEntry);
    m.N13->setVisible(state.libraryEntry);
    if (links_.libWindow)
        links_.libWindow->setEnabled(state.sourceTools);
}

void ProjectTree::ProjectListClick() {
    // A click below a root changes nothing.
    const int index = indexOfRoot(list_->currentItem());
    if (index >= 0)
        links_.documents->makeCurrent(index);
}

QString ProjectTree::documentPathOf(const QTreeWidgetItem* item) const {
    while (item->parent())
        item = item->parent();
    const int index = indexOfRoot(item);
    return index < 0 ? QString() : links_.documents->at(index).FullPath;
}

void ProjectTree::ProjectListDblClick() {
    const QTreeWidgetItem* item = list_->currentItem();
    if (!item)
        return;
    // Read everything from the node before acting: opening a file changes the tree.
    const NodeOpen what =
        nodeOpenFor(ProjectIcon(iconOf(item)), item->text(0), documentPathOf(item),
                    *links_.settings, [](const QString& path) { return QFileInfo(path).isFile(); });
    WindowServices& services = *links_.services;
    switch (what.action) {
    case NodeOpen::Action::Nothing:
        break;
    case NodeOpen::Action::NotSaved:
        services.messageBox(notSavedText(), notSavedCaption(), MsgIcon::Error, MsgButtons::Ok);
        break;
    case NodeOpen::Action::Open:
        links_.documents->OpenDocument(what.path);
        break;
    case NodeOpen::Action::OfferCreate:
        if (services.messageBox(createFileText(what.path), fileErrorCaption(), MsgIcon::Question,
                                MsgButtons::OkCancel) == MsgResult::Ok)
            links_.documents->NewDocument(what.newName);
        break;
    case NodeOpen::Action::NoFile:
        services.messageBox(noFileText(what.path), fileErrorCaption(), MsgIcon::Error,
                            MsgButtons::Ok);
        break;
    }
}

bool ProjectTree::ProjectList_OnEditing(QTreeWidgetItem*) const {
    return false;
}

} // namespace quaredit
