#include "core/asm/DirectiveScan.h"
#include "core/project/NodeOpen.h"
#include "core/project/ProjectOutline.h"
#include "core/project/ToolMenus.h"
#include "core/settings/Settings.h"

#include <QtTest>

using namespace quaredit;

namespace {

// The outline as one line per node, indented by depth, "caption|icon".
QStringList render(const ProjectOutline& outline) {
    QStringList lines{QStringLiteral("root|%1").arg(int(outline.rootIcon))};
    std::function<void(const OutlineNode&, int)> add = [&](const OutlineNode& n, int depth) {
        lines << QString(depth * 2, QLatin1Char(' ')) + n.caption + QStringLiteral("|") +
                     QString::number(int(n.icon));
        for (const auto& c : n.children)
            add(c, depth + 1);
    };
    for (const auto& s : outline.sections)
        add(s, 1);
    return lines;
}

} // namespace

class TestProjectOutline : public QObject {
    Q_OBJECT
private slots:
    void outlineShape_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("expected");
        const QString program = "; game\r\n"
                                "\tinclude \"tios.h\" ; the OS\r\n"
                                "\tinclude gray.lib.h\r\n"
                                "\txdef _main\r\n"
                                "\tinclude \"macros.h\"\r\n"
                                "_main:\r\n\trts\r\n";
        QTest::newRow("program: libraries above xdef, includes below")
            << program << "game.asm"
            << QStringList{"root|0",      "  Notes|3",        "  Library|2",
                           "    tios|6",  "      tios.asm|4", "      tios.h|7",
                           "    gray|6",  "      gray.asm|4", "      gray.h|7",
                           "  Include|1", "    macros.h|7"};
        QTest::newRow("program without xdef: every include is an include")
            << "\tinclude a.h\r\n\tinclude b.h\r\n"
            << "p.asm" << QStringList{"root|0",      "  Notes|3", "  Library|2",
                                      "  Include|1", "    a.h|7", "    b.h|7"};
        QTest::newRow("XDEF in a comment above makes them includes")
            << "; XDEF comes later\r\n\tinclude a.h\r\n"
            << "p.asm"
            << QStringList{"root|0", "  Notes|3", "  Library|2", "  Include|1", "    a.h|7"};
        QTest::newRow("xdefs is not xdef")
            << "; xdefs\r\n\tinclude a.h\r\n\txdef _main\r\n"
            << "p.asm" << QStringList{"root|0",        "  Notes|3",   "  Library|2", "    a|6",
                                      "      a.asm|4", "      a.h|7", "  Include|1"};
        QTest::newRow("include of spaces gives an empty entry")
            << "\txdef _main\r\n\tinclude   \r\n\tinclude b.h\r\n"
            << "p.asm" << QStringList{"root|0",      "  Notes|3", "  Library|2",
                                      "  Include|1", "    |7",    "    b.h|7"};
        QTest::newRow("bare include ends the scan")
            << "\txdef _main\r\n\tinclude a.h\r\n\tinclude\r\n\tinclude b.h\r\n"
            << "p.asm"
            << QStringList{"root|0", "  Notes|3", "  Library|2", "  Include|1", "    a.h|7"};
        QTest::newRow("library without a dot keeps its whole name")
            << "\tinclude util\r\n\txdef _main\r\n"
            << "p.asm"
            << QStringList{"root|0",           "  Notes|3",      "  Library|2", "    util|6",
                           "      util.asm|4", "      util.h|7", "  Include|1"};
        QTest::newRow("library source: own header last, books icon")
            << "\tinclude tios.h\r\n\txdef _library\r\n"
            << "gfx.asm"
            << QStringList{"root|2",           "  Notes|3",      "  Library|2", "    tios|6",
                           "      tios.asm|4", "      tios.h|7", "  Include|1", "  gfx.h|7"};
    }
    void outlineShape() {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QStringList, expected);
        const auto kind = kindFromExtension(extensionOf(name));
        const QByteArray bytes = text.toLatin1();
        QCOMPARE(render(projectOutline(bytes, kind, DetectLibrary(bytes, kind), name)), expected);
    }

    void outlineByKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("isLibrary");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("header: only Include, all plain includes")
            << int(DocumentKind::IncludeFile) << false << "a.h"
            << QStringList{"root|1", "  Include|1", "    a.h|7"};
        QTest::newRow("text file: no sections")
            << int(DocumentKind::TextFile) << false << "notes.txt" << QStringList{"root|8"};
        QTest::newRow("other kind: blank page")
            << int(DocumentKind::Other) << false << "[Untitled]" << QStringList{"root|5"};
        QTest::newRow("stale library flag on a header is ignored")
            << int(DocumentKind::IncludeFile) << true << "a.h"
            << QStringList{"root|1", "  Include|1", "    a.h|7"};
        QTest::newRow("unsaved library's header is [Untitled].h")
            << int(DocumentKind::ProgramSource) << true << "[Untitled]"
            << QStringList{"root|2",        "  Notes|3",   "  Library|2", "    a|6",
                           "      a.asm|4", "      a.h|7", "  Include|1", "  [Untitled].h|7"};
    }
    void outlineByKind() {
        QFETCH(int, kind);
        QFETCH(bool, isLibrary);
        QFETCH(QString, name);
        QFETCH(QStringList, expected);
        const QByteArray text = "\tinclude a.h\r\n\txdef x\r\n";
        QCOMPARE(render(projectOutline(text, DocumentKind(kind), isLibrary, name)), expected);
    }

    void includesBesideTheSourceAreNeverLibraries() {
        const QByteArray text = "\tinclude tios.h\r\n\tinclude \"mydefs.h\"\r\n\txdef _main\r\n"
                                "\tinclude late.h\r\n";
        const auto beside = [](const QString& argument) {
            return argument == "mydefs.h" || argument == "late.h";
        };
        const ProjectEntries entries = scanEntries(text, true, beside);
        QCOMPARE(entries.libraries.size(), 1);
        QCOMPARE(entries.libraries[0].caption, QString("tios"));
        QCOMPARE(entries.includes.size(), 2);
        QCOMPARE(entries.includes[0].caption, QString("mydefs.h"));
        QCOMPARE(entries.includes[1].caption, QString("late.h"));
        // Without a folder to look in, the old reading stands.
        QCOMPARE(scanEntries(text, true).libraries.size(), 2);
    }

    void toolMenusFollowKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("isLibrary");
        QTest::addColumn<bool>("sourceTools");
        QTest::addColumn<bool>("libraryEntry");
        QTest::newRow("program") << int(DocumentKind::ProgramSource) << false << true << false;
        QTest::newRow("library") << int(DocumentKind::ProgramSource) << true << true << true;
        QTest::newRow("header") << int(DocumentKind::IncludeFile) << false << false << false;
        QTest::newRow("text") << int(DocumentKind::TextFile) << false << false << false;
        QTest::newRow("other with stale library flag")
            << int(DocumentKind::Other) << true << false << false;
    }
    void toolMenusFollowKind() {
        QFETCH(int, kind);
        QFETCH(bool, isLibrary);
        QFETCH(bool, sourceTools);
        QFETCH(bool, libraryEntry);
        QCOMPARE(toolMenuState(DocumentKind(kind), isLibrary),
                 (ToolMenuState{sourceTools, libraryEntry}));
    }

    void doubleClick_data() {
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("newName");
        using A = NodeOpen::Action;
        const QString inc = "/tc/asm/include/";
        const QString lib = "/tc/asm/lib/";
        QTest::newRow("include entry opens from the include folder")
            << 7 << "tios.h" << inc + "tios.h" << int(A::Open) << inc + "tios.h"
            << "tios.h";
        QTest::newRow("include beside the source opens from there")
            << 7 << "mydefs.h"
            << "/p/mydefs.h" << int(A::Open) << "/p/mydefs.h"
            << "mydefs.h";
        QTest::newRow("library source opens from the library folder")
            << 4 << "gray.asm" << lib + "gray.asm" << int(A::Open) << lib + "gray.asm"
            << "gray.asm";
        QTest::newRow("notes lie beside the source")
            << 3 << "Notes"
            << "/p/game.txt" << int(A::Open) << "/p/game.txt"
            << "game.txt";
        QTest::newRow("missing file is offered by its name")
            << 7 << "sub/new.h"
            << "" << int(A::OfferCreate) << inc + "sub/new.h"
            << "new.h";
        QTest::newRow("missing notes offered") << 3 << "Notes"
                                               << "" << int(A::OfferCreate) << "/p/game.txt"
                                               << "game.txt";
        QTest::newRow("unsaved library's own header refused")
            << 7 << "[Untitled].h" << inc + "[Untitled].h" << int(A::NotSaved)
            << inc + "[Untitled].h"
            << "[Untitled].h";
        QTest::newRow("empty include names no file")
            << 7 << "" << inc << int(A::NoFile) << inc << "";
        QTest::newRow("Library section does nothing") << 2 << "Library"
                                                      << "" << int(A::Nothing) << ""
                                                      << "";
        QTest::newRow("Include section does nothing") << 1 << "Include"
                                                      << "" << int(A::Nothing) << ""
                                                      << "";
        QTest::newRow("used library does nothing") << 6 << "gray"
                                                   << "" << int(A::Nothing) << ""
                                                   << "";
        QTest::newRow("program root does nothing") << 0 << "game.asm"
                                                   << "" << int(A::Nothing) << ""
                                                   << "";
        QTest::newRow("blank root does nothing") << 5 << "[Untitled]"
                                                 << "" << int(A::Nothing) << ""
                                                 << "";
    }
    void doubleClick() {
        QFETCH(int, icon);
        QFETCH(QString, caption);
        QFETCH(QString, existing);
        QFETCH(int, action);
        QFETCH(QString, path);
        QFETCH(QString, newName);
        Settings settings;
        settings.CompilatorPath = "/tc/";
        settings.IncludePath = "asm/include/";
        settings.LibPath = "asm/lib/";
        const auto r = nodeOpenFor(ProjectIcon(icon), caption, "/p/game.asm", settings,
                                   [&](const QString& p) { return p == existing; });
        QCOMPARE(int(r.action), action);
        QCOMPARE(r.path, path);
        QCOMPARE(r.newName, newName);
    }
};

QTEST_APPLESS_MAIN(TestProjectOutline)
#include "tst_projectoutline.moc"
