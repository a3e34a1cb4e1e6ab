#include "ui/project/ProjectTree.h"

#include "ui/project/ProjectIcons.h"

#include <QTreeWidget>

namespace quaredit {

ProjectTree::ProjectTree(QTreeWidget* list, QObject* parent) : QObject(parent), list_(list) {}

QTreeWidgetItem* ProjectTree::addRoot(const QString& caption) {
    auto* root = new QTreeWidgetItem(QStringList{caption});
    setIcon(root, 5);
    list_->insertTopLevelItem(0, root);
    return root;
}

void ProjectTree::deleteRoot(QTreeWidgetItem* root) {
    delete root;
}

void ProjectTree::clearSections(ProjectNodes& nodes) {
    if (nodes.root)
        qDeleteAll(nodes.root->takeChildren());
    nodes.library = nodes.include = nodes.notes = nodes.ownHeader = nullptr;
}

void ProjectTree::selectRoot(QTreeWidgetItem* root) {
    if (root)
        list_->setCurrentItem(root);
}

int ProjectTree::rootPosition(const QTreeWidgetItem* item) const {
    if (!item || item->parent())
        return -1;
    return list_->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item));
}

void ProjectTree::setIcon(QTreeWidgetItem* item, int icon) {
    item->setData(0, IconRole, icon);
    item->setIcon(0, projectIcon(icon));
}

int ProjectTree::iconOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, IconRole).toInt() : -1;
}

void ProjectTree::setCaption(QTreeWidgetItem* item, const QString& caption) {
    item->setText(0, caption);
}

} // namespace quaredit
