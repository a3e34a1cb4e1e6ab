#include "core/settings/Settings.h"
#include "support/MainWindowFixture.h"
#include "ui/common/MenuMap.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editor/EditorAccess.h"
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
    QTreeWidgetItem* currentRoot() const { return f->window->projectTree().currentNodes().root; }
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

    // Runs steps such as "open a.asm", "show 1", "close", "saveas z.asm", "closeall".
    void run(const QStringList& steps) {
        for (const QString& step : steps) {
            const QString arg = step.section(QLatin1Char(' '), 1);
            if (step.startsWith("open ")) {
                open(arg, Program);
            } else if (step.startsWith("show ")) {
                docs().makeCurrent(arg.toInt());
            } else if (step == "close") {
                QVERIFY(docs().CloseCurrentDocument());
            } else if (step == "closeall") {
                QVERIFY(docs().MNU_File_CloseAllClick());
            } else if (step.startsWith("saveas ")) {
                f->services.answerSave(f->path(arg));
                QCOMPARE(docs().MNU_File_SaveAsClick(), DocumentSet::SaveOutcome::Saved);
            } else {
                QFAIL(qPrintable("unknown step " + step));
            }
        }
    }

    void rootsStayWithTheirDocuments_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("roots"); // top to bottom
        const QStringList three{"open a.asm", "open b.asm", "open c.asm"};
        QTest::newRow("closing a middle tab")
            << three + QStringList{"show 1", "close"} << QStringList{"c.asm", "a.asm"};
        QTest::newRow("closing the first tab")
            << three + QStringList{"show 0", "close"} << QStringList{"c.asm", "b.asm"};
        QTest::newRow("closing the last tab")
            << three + QStringList{"close"} << QStringList{"b.asm", "a.asm"};
        QTest::newRow("Save As of a tab that is not the newest")
            << three + QStringList{"show 0", "saveas z.asm"}
            << QStringList{"c.asm", "b.asm", "z.asm"};
        QTest::newRow("reopening a closed file puts it on top")
            << three + QStringList{"show 1", "close", "open b.asm"}
            << QStringList{"b.asm", "c.asm", "a.asm"};
        QTest::newRow("opening after closing everything")
            << three + QStringList{"closeall", "open d.asm", "open e.asm"}
            << QStringList{"e.asm", "d.asm"};
        QTest::newRow("closing the only document leaves [Untitled]")
            << QStringList{"open a.asm", "close", "open b.asm", "close"}
            << QStringList{"[Untitled]"};
    }
    void rootsStayWithTheirDocuments() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, roots);
        run(steps);
        QCOMPARE(rootCaptions(), roots);
        ProjectTree& tree = f->window->projectTree();
        const int count = docs().DocumentCount();
        // Newest on top, and each root is the one of the document it names.
        for (int i = 0; i < count; ++i) {
            QTreeWidgetItem* root = list()->topLevelItem(count - 1 - i);
            QCOMPARE(tree.indexOfRoot(root), i);
            QCOMPARE(root->text(0), docs().at(i).ShortFileName);
        }
        QCOMPARE(list()->currentItem(), currentRoot());
        // A click on each root shows its document, and the tools follow it.
        for (int i = 0; i < count; ++i) {
            click(list()->topLevelItem(i));
            QCOMPARE(docs().current().ShortFileName, rootCaptions()[i]);
            QCOMPARE(toolsShown().contains("LibWin"), docs().current().OnDisk);
        }
    }

    void doubleClickAfterAMiddleTabClosedUsesTheRightFolder() {
        // Same names in two folders: the Notes of a root open beside its own source.
        QDir(f->dir.path()).mkpath("one");
        QDir(f->dir.path()).mkpath("two");
        open("one/p.asm", Program);
        open("mid.asm", Program);
        open("two/p.asm", Program);
        f->writeFile("one/p.txt", "one\r\n");
        f->writeFile("two/p.txt", "two\r\n");
        docs().makeCurrent(1);
        QVERIFY(docs().CloseCurrentDocument());
        // Roots, top to bottom: two/p.asm, one/p.asm.
        list()->expandAll();
        doubleClick(findNode(list()->topLevelItem(1), "Notes"));
        QCOMPARE(f->window->editor().bytes(), QByteArray("one\r\n"));
        list()->expandAll();
        // The new p.txt root is on top; two/p.asm is now second.
        doubleClick(findNode(list()->topLevelItem(1), "Notes"));
        QCOMPARE(f->window->editor().bytes(), QByteArray("two\r\n"));
        QVERIFY(f->services.messages.isEmpty());
    }

    // What the tree is told, in order, by the steps after the set-up ones.
    void setAnnouncesInTheOrderTheTreeNeeds_data() {
        QTest::addColumn<QStringList>("setup");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("told");
        QTest::newRow("open into the untouched tab") << QStringList{} << QStringList{"open a.asm"}
                                                     << QStringList{"renamed 0 a.asm", "loaded 0"};
        QTest::newRow("open a second document: its root exists before it is shown")
            << QStringList{"open a.asm"} << QStringList{"open b.asm"}
            << QStringList{"added 1 b.asm", "current 1", "loaded 1"};
        QTest::newRow("open the one already shown shows it again")
            << QStringList{"open a.asm", "open b.asm"} << QStringList{"open b.asm"}
            << QStringList{"current 1"};
        QTest::newRow("open one already open in another tab")
            << QStringList{"open a.asm", "open b.asm"} << QStringList{"open a.asm"}
            << QStringList{"current 0"};
        QTest::newRow("close a middle tab: removed before the shifted index is shown")
            << QStringList{"open a.asm", "open b.asm", "open c.asm", "show 1"}
            << QStringList{"close"} << QStringList{"closed 1", "current 1"};
        QTest::newRow("close the newest tab")
            << QStringList{"open a.asm", "open b.asm"} << QStringList{"close"}
            << QStringList{"closed 1", "current 0"};
        QTest::newRow("close the only document: a fresh one takes its place")
            << QStringList{"open a.asm"} << QStringList{"close"}
            << QStringList{"closed 0", "added 0 [Untitled]", "current 0"};
        QTest::newRow("Save As") << QStringList{"open a.asm", "open b.asm", "show 0"}
                                 << QStringList{"saveas z.txt"}
                                 << QStringList{"renamed 0 z.txt", "saved as 0", "used z.txt"};
    }
    void setAnnouncesInTheOrderTheTreeNeeds() {
        QFETCH(QStringList, setup);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, told);
        run(setup);
        QStringList heard;
        DocumentSet* set = &docs();
        const auto hear = [&](const QString& what) { heard << what; };
        QObject ear;
        connect(set, &DocumentSet::documentAdded, &ear, [&](int i, const QString& caption) {
            hear(QString("added %1 %2").arg(i).arg(caption));
        });
        connect(set, &DocumentSet::documentClosed, &ear,
                [&](int i) { hear(QString("closed %1").arg(i)); });
        connect(set, &DocumentSet::documentRenamed, &ear, [&](int i, const QString& caption) {
            hear(QString("renamed %1 %2").arg(i).arg(caption));
        });
        connect(set, &DocumentSet::documentLoaded, &ear,
                [&](int i) { hear(QString("loaded %1").arg(i)); });
        connect(set, &DocumentSet::documentSavedAs, &ear,
                [&](int i) { hear(QString("saved as %1").arg(i)); });
        connect(set, &DocumentSet::currentDocumentChanged, &ear,
                [&](int i) { hear(QString("current %1").arg(i)); });
        connect(set, &DocumentSet::fileUsed, &ear,
                [&](const QString& path) { hear("used " + QFileInfo(path).fileName()); });
        run(steps);
        QCOMPARE(heard, told);
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

    void includeBesideTheSourceIsTheProgramsOwn() {
        QDir(f->dir.path()).mkpath(QStringLiteral("prog"));
        f->writeFile("prog/mydefs.h", "; mine\r\n");
        f->writeFile("inc/mydefs.h", "; the toolchain's\r\n");
        f->writeFile("inc/tios.h", "; os\r\n");
        open("prog/demo.asm", "\tinclude \"tios.h\"\r\n\tinclude \"mydefs.h\"\r\n\txdef _main\r\n");
        QCOMPARE(
            render(currentRoot()),
            (QStringList{"demo.asm|0", "  Notes|3", "  Library|2", "    tios|6", "      tios.asm|4",
                         "      tios.h|7", "  Include|1", "    mydefs.h|7"}));
        list()->expandAll();
        doubleClick(findNode(currentRoot(), "mydefs.h"));
        QVERIFY(f->services.messages.isEmpty());
        QCOMPARE(docs().current().FullPath, f->path("prog/mydefs.h"));
        QCOMPARE(f->window->editor().bytes(), QByteArray("; mine\r\n"));
        // A header found only in the toolchain's folder still opens from there.
        docs().makeCurrent(0);
        list()->expandAll();
        doubleClick(findNode(currentRoot(), "tios.h"));
        QCOMPARE(docs().current().FullPath, f->path("inc/tios.h"));
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
        docs().setCurrentKind(DocumentKind::ProgramSource);
        QVERIFY(docs().current().IsLibrary);
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
        QVERIFY(!f->window->projectTree().currentNodes().include->isExpanded());
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
