#include "core/tools/Library.h"

#include <QtTest>

using namespace quaredit;

namespace {

// Applies the edits the way the editor does, each on the lines left by the ones before.
QString applied(const QString& text, const LineEdits& edits) {
    QStringList lines = editorLines(text.toLatin1());
    for (const LineEdit& e : edits) {
        switch (e.kind) {
        case LineEdit::Kind::Replace:
            lines[e.line] = e.text;
            break;
        case LineEdit::Kind::InsertBefore:
            lines.insert(e.line, e.text);
            break;
        case LineEdit::Kind::Delete:
            lines.removeAt(e.line);
            break;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

QString inc(const char* name) {
    return libraryIncludeLine(QString::fromLatin1(name));
}

} // namespace

class TestLibrary : public QObject {
    Q_OBJECT
private slots:
    void editorLinesFollowTheEditor_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty text is one empty line") << "" << QStringList{""};
        QTest::newRow("final break opens an empty line") << "a\r\n" << QStringList{"a", ""};
        QTest::newRow("mixed breaks") << "a\rb\nc\r\nd" << QStringList{"a", "b", "c", "d"};
        QTest::newRow("LF CR is two breaks") << "a\n\rb" << QStringList{"a", "", "b"};
        QTest::newRow("long lines, a break at either side of 16 bytes")
            << QString(20, 'a') + "\r\n" + QString(31, 'b') + "\r" + QString(16, 'c') + "\n\n" +
                   QString(15, 'd') + "\r\n"
            << QStringList{
                   QString(20, 'a'), QString(31, 'b'), QString(16, 'c'), "", QString(15, 'd'), ""};
        QTest::newRow("Latin-1 characters kept")
            << QString::fromLatin1("caf\xe9\r\n\xff")
            << QStringList{QString::fromLatin1("caf\xe9"), QString::fromLatin1("\xff")};
    }
    void editorLinesFollowTheEditor() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(editorLines(text.toLatin1()), lines);
    }

    void listedLibraries_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hasXdef");
        QTest::addColumn<QStringList>("libraries");
        QTest::newRow("includes before the first xdef only")
            << "\tinclude\t\"a.h\"\n\tinclude\t\"c.h\"\n\txdef\t_main\n\tinclude\t\"d.h\"" << true
            << QStringList{"a.h", "c.h"};
        QTest::newRow("xdef in a comment above the includes")
            << "; xdef comes later\n\tinclude\t\"a.h\"\n\txdef\t_main" << true << QStringList{};
        QTest::newRow("xdef inside a longer word counts")
            << "; myXDEFs\n\tinclude\t\"a.h\"\n\txdef\t_main" << true << QStringList{};
        QTest::newRow("comment cut from the argument")
            << "\tinclude tios.h ; the OS\n\tXDEF _main" << true << QStringList{"tios.h"};
        QTest::newRow("an include without argument ends the listing")
            << "\tinclude\n\tinclude\t\"b.h\"\n\txdef\t_main" << true << QStringList{};
        QTest::newRow("no xdef at all") << "\tinclude\t\"a.h\"\n\tnop" << false << QStringList{};
    }
    void listedLibraries() {
        QFETCH(QString, text);
        QFETCH(bool, hasXdef);
        QFETCH(QStringList, libraries);
        const auto listed = ProgramLibraries(text.toLatin1());
        QCOMPARE(listed.has_value(), hasXdef);
        if (listed)
            QCOMPARE(*listed, libraries);
    }

    void selectionToggles_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("added");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("added in alphabetical order ignoring case")
            << QStringList{"a.h", "C.h"} << "b.h" << true << QStringList{"a.h", "b.h", "C.h"};
        QTest::newRow("present under another case is taken out")
            << QStringList{"a.h", "Graph.h"} << "graph.h" << false << QStringList{"a.h"};
        QTest::newRow("added to an empty selection")
            << QStringList{} << "z.h" << true << QStringList{"z.h"};
    }
    void selectionToggles() {
        QFETCH(QStringList, before);
        QFETCH(QString, name);
        QFETCH(bool, added);
        QFETCH(QStringList, after);
        QStringList selected = before;
        QCOMPARE(ToggleLibrary(selected, name), added);
        QCOMPARE(selected, after);
        if (added) { // a second double-click takes it out again
            QVERIFY(!ToggleLibrary(selected, name));
            QCOMPARE(selected, before);
        }
    }

    void sortingIgnoresCase() {
        QStringList libs{"util.h", "Graphlib.h", "flib.h", "ZIP.h", "graphlib.h"};
        sortLibraries(libs);
        QCOMPARE(libs, (QStringList{"flib.h", "Graphlib.h", "graphlib.h", "util.h", "ZIP.h"}));
    }

    void includeRewrite_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("selected");
        QTest::addColumn<QString>("expected");
        const QString tail = "\txdef\t_main\n" + inc("d.h") + "\n_main:";
        QTest::newRow("added library joins the block where the first stood")
            << "; demo\n" + inc("a.h") + "\n" + inc("c.h") + "\n" + tail
            << QStringList{"a.h", "b.h", "c.h"}
            << "; demo\n" + inc("a.h") + "\n" + inc("b.h") + "\n" + inc("c.h") + "\n" + tail;
        QTest::newRow("scattered includes gather at the first")
            << inc("c.h") + "\n\tnop\n" + inc("a.h") + "\n" + tail << QStringList{"a.h", "c.h"}
            << inc("a.h") + "\n" + inc("c.h") + "\n\tnop\n" + tail;
        QTest::newRow("removing every library deletes the lines")
            << "; demo\n" + inc("a.h") + "\n" + inc("c.h") + "\n" + tail << QStringList{}
            << "; demo\n" + tail;
        QTest::newRow("no library include yet: the top of the text")
            << "; demo\n" + tail << QStringList{"b.h"} << inc("b.h") + "\n; demo\n" + tail;
        QTest::newRow("xdef in a comment: includes below it are left")
            << "; xdef below\n" + inc("a.h") + "\n" + tail << QStringList{"b.h"}
            << inc("b.h") + "\n; xdef below\n" + inc("a.h") + "\n" + tail;
        QTest::newRow("two include words on one line delete it once")
            << inc("a.h") + " ; include b.h\n\tnop\n" + tail << QStringList{} << "\tnop\n" + tail;
        QTest::newRow("CR LF text")
            << "; demo\r\n" + inc("a.h") + "\r\n\txdef\t_main\r\n"
            << QStringList{"q.h"} << "; demo\n" + inc("q.h") + "\n\txdef\t_main\n";
        QTest::newRow("no xdef: nothing to rewrite")
            << inc("a.h") + "\n\tnop" << QStringList{"b.h"} << inc("a.h") + "\n\tnop";
    }
    void includeRewrite() {
        QFETCH(QString, text);
        QFETCH(QStringList, selected);
        QFETCH(QString, expected);
        QCOMPARE(applied(text, RewriteLibraryIncludes(text.toLatin1(), selected)), expected);
    }

    void libraryEntry_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caretLine");
        QTest::addColumn<int>("caretColumn");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("newCaretLine");
        QTest::addColumn<int>("newCaretColumn");
        const QString lib = "\txdef\t_library\n\txdef\tgfx@0000\n\ngfx@0000:\n\trts\n";
        QTest::newRow("blank caret line becomes the label")
            << lib + "\n_library\tdc.b\t\"gfx\",0" << 5 << 0 << "gfx@0001"
            << "\txdef\t_library\n\txdef\tgfx@0000\n\txdef\tgfx@0001\n\ngfx@0000:\n\trts\n"
               "gfx@0001\n_library\tdc.b\t\"gfx\",0"
            << 6 << 8;
        QTest::newRow("blanks only count as an empty line")
            << lib + " \t \n\tend" << 5 << 2 << "gfx@0001"
            << "\txdef\t_library\n\txdef\tgfx@0000\n\txdef\tgfx@0001\n\ngfx@0000:\n\trts\n"
               "gfx@0001\n\tend"
            << 6 << 8;
        QTest::newRow("non-empty caret line: the name goes above it")
            << lib << 4 << 3 << "gfx@0001"
            << "\txdef\t_library\n\txdef\tgfx@0000\n\txdef\tgfx@0001\n\ngfx@0000:\ngfx@0001\n"
               "\trts\n"
            << 6 << 3;
        QTest::newRow("caret above the xdef lines does not move down")
            << "; top\n" + lib << 0 << 2 << "e"
            << "e\n; top\n\txdef\t_library\n\txdef\tgfx@0000\n\txdef\te\n\ngfx@0000:\n\trts\n"
            << 1 << 2;
        QTest::newRow("xdef in a trailing comment is the last one")
            << "\txdef\ta\n\tnop ; no xdef here\n\n\trts" << 2 << 0 << "b"
            << "\txdef\ta\n\tnop ; no xdef here\n\txdef\tb\nb\n\trts" << 3 << 1;
        QTest::newRow("no-break spaces count as blanks")
            << lib + QString::fromLatin1("\xa0 \xa0\n\tend") << 5 << 1 << "gfx@0001"
            << "\txdef\t_library\n\txdef\tgfx@0000\n\txdef\tgfx@0001\n\ngfx@0000:\n\trts\n"
               "gfx@0001\n\tend"
            << 6 << 8;
        QTest::newRow("the last xdef in any case, inside a word too")
            << "\txdef\ta\n\tnop\n; myXDEFs\n\trts" << 3 << 0 << "b"
            << "\txdef\ta\n\tnop\n; myXDEFs\n\txdef\tb\nb\n\trts" << 5 << 0;
        QTest::newRow("no xdef: the xdef line goes to the top") << "\tnop\n"
                                                                << 1 << 0 << "e"
                                                                << "\txdef\te\n\tnop\ne" << 2 << 1;
        QTest::newRow("empty name accepted") << lib << 5 << 0 << ""
                                             << "\txdef\t_library\n\txdef\tgfx@0000\n\txdef\t\n"
                                                "\ngfx@0000:\n\trts\n"
                                             << 6 << 0;
    }
    void libraryEntry() {
        QFETCH(QString, text);
        QFETCH(int, caretLine);
        QFETCH(int, caretColumn);
        QFETCH(QString, entry);
        QFETCH(QString, expected);
        QFETCH(int, newCaretLine);
        QFETCH(int, newCaretColumn);
        const LibraryEntryResult r =
            InsertLibraryEntry(text.toLatin1(), caretLine, caretColumn, entry);
        QCOMPARE(applied(text, r.edits), expected);
        QCOMPARE(r.caretLine, newCaretLine);
        QCOMPARE(r.caretColumn, newCaretColumn);
    }
};

QTEST_APPLESS_MAIN(TestLibrary)
#include "tst_library.moc"
