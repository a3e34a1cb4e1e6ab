#include "core/settings/Settings.h"
#include "support/MainWindowFixture.h"
#include "ui/common/MenuMap.h"
#include "ui/documents/DocumentSet.h"
#include "ui/documents/EditorAccess.h"
#include "ui/project/ProjectTree.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

using namespace quaredit;

namespace {

const QByteArray Program = "; demo\r\n"
                           "\tinclude \"tios.h\" ; the OS\r\n"
                           "\tinclude gray.lib.h\r\n"
                           "\txdef _main\r\n"
                           "\tinclude macros.h\r\n"
                           "_main:\r\n\trts\r\n";
const QByteArray Library = "\tinclude tios.h\r\n\txdef _library\r\n";

// A subtree as one line per node, indented by depth: "caption|icon".
QStringList render(const QTreeWidgetItem* item, int depth = 0) {
    QStringList lines{QString(depth * 2, QLatin1Char(' ')) + item->text(0) + QLatin1Char('|') +
                      QString::number(ProjectTree::iconOf(item))};
    for (int i = 0; i < item->childCount(); ++i)
        lines += render(item->child(i), depth + 1);
    return lines;
}

QTreeWidgetItem* findNode(QTreeWidgetItem* under, const QString& caption) {
    for (int i = 0; i < under->childCount(); ++i) {
        QTreeWidgetItem* c = under->child(i);
        if (c->text(0) == caption)
            return c;
        if (QTreeWidgetItem* deeper = findNode(c, caption))
            return deeper;
    }
    return nullptr;
}

} // namespace

class TestProjectTree : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindowFixture> f;

    QTreeWidget* list() const { return f->window->projectTree().list(); }
    DocumentSet& docs() const { return f->window->documents(); }
    QTreeWidgetItem* currentRoot() const { return docs().currentNodes().root; }
    QStringList rootCaptions() const {
        QStringList captions;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            captions << list()->topLevelItem(i)->text(0);
        return captions;
    }
    void click(QTreeWidgetItem* item, bool twice = false) {
        list()->scrollToItem(item);
        const QPoint at = list()->visualItemRect(item).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
        if (twice)
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
    }
    void doubleClick(QTreeWidgetItem* item) { click(item, true); }
    QString open(const QString& name, const QByteArray& text) {
        const QString path = f->writeFile(name, text);
        if (!docs().OpenDocument(path))
            qFatal("cannot open %s", qPrintable(path));
        return path;
    }
    // Which of the source tools are on offer, as one word each.
    QStringList toolsShown() const {
        const MenuMap& m = f->window->menus();
        QStringList shown;
        const std::pair<const char*, QAction*> items[] = {{"LibWin", m.MNU_Tools_LibWin},
                                                          {"LblVarWin", m.MNU_Tools_LblVarWin},
                                                          {"Quaro", m.MNU_Quaro->menuAction()},
                                                          {"PopLibWin", m.POPUPED_LibWin},
                                                          {"PopLabVarWin", m.POPUPED_LabVarWin},
                                                          {"PopCompil", m.POPUPED_Compil},
                                                          {"N5", m.N5},
                                                          {"NewLibEntry", m.MNU_Tools_NewLibEntry},
                                                          {"N13", m.N13}};
        for (const auto& [name, action] : items) {
            if (action->isVisible())
                shown << QLatin1String(name);
        }
        if (f->window->libWindowButton()->isEnabled())
            shown << QStringLiteral("Button");
        return shown;
    }

private slots:
    void init() {
        f = std::make_unique<MainWindowFixture>();
        list()->resize(200, 600);
        Settings& s = f->window->settings();
        s.CompilatorPath = f->dir.path() + QStringLiteral("/");
        s.IncludePath = QStringLiteral("inc/");
        s.LibPath = QStringLiteral("lib/");
        QDir(f->dir.path()).mkpath(QStringLiteral("inc"));
        QDir(f->dir.path()).mkpath(QStringLiteral("lib"));
    }
    void cleanup() { f.reset(); }

    void shapeAndIconsByKind_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("program") << "demo.asm" << Program
                                 << QStringList{"demo.asm|0",  "  Notes|3",        "  Library|2",
                                                "    tios|6",  "      tios.asm|4", "      tios.h|7",
                                                "    gray|6",  "      gray.asm|4", "      gray.h|7",
                                                "  Include|1", "    macros.h|7"};
        QTest::newRow("library") << "gfx.asm" << Library
                                 << QStringList{"gfx.asm|2",   "  Notes|3",        "  Library|2",
                                                "    tios|6",  "      tios.asm|4", "      tios.h|7",
                                                "  Include|1", "  gfx.h|7"};
        QTest::newRow("include file") << "defs.h" << Program
                                      << QStringList{"defs.h|1", "  Include|1", "    tios.h|7",
                                                     "    gray.lib.h|7", "    macros.h|7"};
        QTest::newRow("text file") << "notes.txt" << Program << QStringList{"notes.txt|8"};
        QTest::newRow("extension case matters")
            << "demo.ASM" << Program << QStringList{"demo.ASM|5"};
    }
    void shapeAndIconsByKind() {
        QFETCH(QString, name);
        QFETCH(QByteArray, text);
        QFETCH(QStringList, expected);
        open(name, text);
        QCOMPARE(render(currentRoot()), expected);
        QCOMPARE(list()->currentItem(), currentRoot());
    }

    void toolsFollowTheCurrentDocument() {
        QCOMPARE(toolsShown(), QStringList());
        open("demo.asm", Program);
        const QStringList source{"LibWin",       "LblVarWin", "Quaro", "PopLibWin",
                                 "PopLabVarWin", "PopCompil", "N5",    "Button"};
        QStringList library = source;
        library.insert(library.size() - 1, "NewLibEntry");
        library.insert(library.size() - 1, "N13");
        QCOMPARE(toolsShown(), source);
        open("gfx.asm", Library);
        QCOMPARE(toolsShown(), library);
        open("defs.h", Program);
        QCOMPARE(toolsShown(), QStringList());
        // Switching tabs brings the tools of the document shown.
        f->window->tabSet()->setCurrentIndex(1);
        QCOMPARE(toolsShown(), library);
        f->window->tabSet()->setCurrentIndex(0);
        QCOMPARE(toolsShown(), source);
        // F9 must keep working while the compile menu is hidden.
        f->window->tabSet()->setCurrentIndex(2);
        QVERIFY(f->window->menus().MNU_Quaro_Compile->isVisible());
        // Closing documents down to the last leaves a fresh "[Untitled]" with no tools.
        QVERIFY(docs().MNU_File_CloseAllClick());
        QCOMPARE(toolsShown(), QStringList());
        QCOMPARE(render(currentRoot()), QStringList{"[Untitled]|5"});
    }

    void rootsNewestFirstAndClickSelectsDocument() {
        for (int i = 0; i < 5; ++i)
            open(QStringLiteral("p%1.asm").arg(i), Program);
        QCOMPARE(rootCaptions(), (QStringList{"p4.asm", "p3.asm", "p2.asm", "p1.asm", "p0.asm"}));
        click(list()->topLevelItem(4));
        QCOMPARE(docs().CurrentIndex(), 0);
        QCOMPARE(f->window->tabSet()->currentIndex(), 0);
        click(list()->topLevelItem(2));
        QCOMPARE(docs().CurrentIndex(), 2);
        QCOMPARE(f->window->tabSet()->currentIndex(), 2);
        QCOMPARE(f->window->editor().bytes(), Program);
        // A click on a node below a root changes nothing.
        click(findNode(list()->topLevelItem(0), "Notes"));
        QCOMPARE(docs().CurrentIndex(), 2);
        // Closing the current document drops its root, the others keep their order.
        QVERIFY(docs().CloseCurrentDocument());
        QCOMPARE(rootCaptions(), (QStringList{"p4.asm", "p3.asm", "p1.asm", "p0.asm"}));
        QCOMPARE(list()->currentItem()->text(0), QString("p3.asm"));
    }

    void doubleClickOpensByIcon_data() {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("file"); // created before the double-click
        QTest::addColumn<QString>("opened");
        QTest::newRow("Notes open the .txt beside the source") << "Notes"
                                                               << "demo.txt"
                                                               << "demo.txt";
        QTest::newRow("library source from the library folder") << "gray.asm"
                                                                << "lib/gray.asm"
                                                                << "gray.asm";
        QTest::newRow("library header from the include folder") << "tios.h"
                                                                << "inc/tios.h"
                                                                << "tios.h";
        QTest::newRow("include entry from the include folder") << "macros.h"
                                                               << "inc/macros.h"
                                                               << "macros.h";
    }
    void doubleClickOpensByIcon() {
        QFETCH(QString, node);
        QFETCH(QString, file);
        QFETCH(QString, opened);
        open("demo.asm", Program);
        f->writeFile(file, "; x\r\n");
        currentRoot()->setExpanded(true);
        list()->expandAll();
        doubleClick(findNode(currentRoot(), node));
        QVERIFY(f->services.messages.isEmpty());
        QCOMPARE(f->tabCaptions(), (QStringList{"demo.asm", opened}));
        QCOMPARE(docs().current().FullPath, f->path(file));
        QCOMPARE(f->window->editor().bytes(), QByteArray("; x\r\n"));
    }

    void doubleClickOnNodesThatNameNoFile_data() {
        QTest::addColumn<QString>("node");
        QTest::newRow("Library section") << "Library";
        QTest::newRow("Include section") << "Include";
        QTest::newRow("used library") << "gray";
        QTest::newRow("root") << "demo.asm";
    }
    void doubleClickOnNodesThatNameNoFile() {
        QFETCH(QString, node);
        open("demo.asm", Program);
        list()->expandAll();
        QTreeWidgetItem* item = node == "demo.asm" ? currentRoot() : findNode(currentRoot(), node);
        doubleClick(item);
        QVERIFY(f->services.messages.isEmpty());
        QCOMPARE(docs().DocumentCount(), 1);
    }

    void missingFileIsOfferedForCreation() {
        open("demo.asm", Program);
        list()->expandAll();
        const QString missing = f->path("inc/macros.h");
        f->services.expectMessage(MsgResult::Cancel);
        doubleClick(findNode(currentRoot(), "macros.h"));
        const FakeWindowServices::Message offer{
            "Cannot find the file " + missing + ". Do you want to create it ?", "File Error",
            MsgIcon::Question, MsgButtons::OkCancel};
        QCOMPARE(f->services.messages.size(), 1);
        QVERIFY(f->services.messages[0] == offer);
        QCOMPARE(f->tabCaptions(), QStringList{"demo.asm"});

        f->services.expectMessage(MsgResult::Ok);
        doubleClick(findNode(list()->topLevelItem(0), "macros.h"));
        QCOMPARE(f->services.messages.size(), 2);
        QCOMPARE(f->tabCaptions(), (QStringList{"demo.asm", "macros.h"}));
        const Document& created = docs().current();
        QCOMPARE(created.FullPath, QString("macros.h"));
        QVERIFY(!created.OnDisk);
        QVERIFY(!QFileInfo::exists(missing));
        QCOMPARE(rootCaptions(), (QStringList{"macros.h", "demo.asm"}));
    }

    void emptyIncludeNamesNoFile() {
        open("demo.asm", "\txdef _main\r\n\tinclude   \r\n");
        list()->expandAll();
        QTreeWidgetItem* empty = findNode(currentRoot(), "");
        QVERIFY(empty);
        doubleClick(empty);
        QCOMPARE(f->services.messages.size(), 1);
        QCOMPARE(f->services.messages[0].caption, QString("File Error"));
        QCOMPARE(f->services.messages[0].buttons, MsgButtons::Ok);
        QCOMPARE(docs().DocumentCount(), 1);
    }

    void unsavedLibraryHeaderIsRefused() {
        // As the program wizard leaves it: an unnamed program source.
        f->window->editor().insertLineBefore(0, "\txdef _library");
        Document& doc = docs().current();
        doc.Kind = DocumentKind::ProgramSource;
        doc.IsLibrary = true;
        f->window->UpdateProjectTree();
        list()->expandAll();
        doubleClick(findNode(currentRoot(), "[Untitled].h"));
        const FakeWindowServices::Message refusal{"You must first give a name to your project.",
                                                  "NOT SAVED", MsgIcon::Error, MsgButtons::Ok};
        QCOMPARE(f->services.messages.size(), 1);
        QVERIFY(f->services.messages[0] == refusal);
        QCOMPARE(docs().DocumentCount(), 1);
    }

    void treeIsASnapshotUntilRefresh() {
        open("demo.asm", "\txdef _main\r\n");
        currentRoot()->setExpanded(true);
        f->window->editor().insertLineBefore(1, "\tinclude late.h");
        QVERIFY(!findNode(currentRoot(), "late.h"));
        f->window->refreshButton()->click();
        QVERIFY(findNode(currentRoot(), "late.h"));
        // The root stays open, the rebuilt sections start closed.
        QVERIFY(currentRoot()->isExpanded());
        QVERIFY(!docs().currentNodes().include->isExpanded());
        // Refresh does not look for "_library" again.
        f->window->editor().insertLineBefore(0, "\txdef _library");
        f->window->refreshButton()->click();
        QCOMPARE(ProjectTree::iconOf(currentRoot()), 0);
    }

    void refreshOfATextFileAddsNothing() {
        open("notes.txt", "\tinclude a.h\r\n");
        f->window->editor().insertLineBefore(0, "\tinclude b.h");
        f->window->refreshButton()->click();
        QCOMPARE(render(currentRoot()), QStringList{"notes.txt|8"});
    }

    void saveAsReclassifies() {
        f->window->editor().insertLineBefore(0, "\txdef _library");
        f->window->editor().insertLineBefore(0, "\tinclude tios.h");
        QCOMPARE(render(currentRoot()), QStringList{"[Untitled]|5"});
        f->services.answerSave(f->path("gfx.asm"));
        f->window->menus().MNU_File_SaveAs->trigger();
        QCOMPARE(render(currentRoot()),
                 (QStringList{"gfx.asm|2", "  Notes|3", "  Library|2", "    tios|6",
                              "      tios.asm|4", "      tios.h|7", "  Include|1", "  gfx.h|7"}));
        QVERIFY(toolsShown().contains("NewLibEntry"));
        f->services.answerSave(f->path("gfx.txt"));
        f->window->menus().MNU_File_SaveAs->trigger();
        QCOMPARE(render(currentRoot()), QStringList{"gfx.txt|8"});
        QCOMPARE(toolsShown(), QStringList());
    }

    void captionsCannotBeEdited() {
        open("demo.asm", Program);
        QTreeWidgetItem* root = currentRoot();
        // Even a node made editable gets no editor.
        root->setFlags(root->flags() | Qt::ItemIsEditable);
        list()->editItem(root);
        QVERIFY(!list()->findChild<QLineEdit*>());
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {},
                           list()->visualItemRect(root).center());
        QVERIFY(!list()->findChild<QLineEdit*>());
        QCOMPARE(root->text(0), QString("demo.asm"));
    }
};

QTEST_MAIN(TestProjectTree)
#include "tst_projecttree.moc"
