#include "core/project/DirectiveScan.h"

#include <QtTest>

using namespace quaredit;

class TestDirectiveScan : public QObject {
    Q_OBJECT
private slots:
    void wholeWordSearch_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("expected"); // -1: not found
        QTest::newRow("case ignored") << "\tXDEF _main"
                                      << "xdef" << 0 << 1;
        QTest::newRow("word at the very start") << "xdef"
                                                << "xdef" << 0 << 0;
        QTest::newRow("longer word is no match") << "\txdefs a\r\n"
                                                 << "xdef" << 0 << -1;
        QTest::newRow("plural skipped, later word found") << "_mains\r\n_main:"
                                                          << "_main" << 0 << 8;
        QTest::newRow("underscore joins words") << "__main"
                                                << "_main" << 0 << -1;
        QTest::newRow("digit joins words") << "xdef2 xdef"
                                           << "xdef" << 0 << 6;
        QTest::newRow("accented letter joins words")
            << QString::fromLatin1("\xe9xdef") << "xdef" << 0 << -1;
        QTest::newRow("punctuation separates") << ".include\"a.h\""
                                               << "include" << 0 << 1;
        QTest::newRow("inside a comment still counts") << "; xdef here"
                                                       << "xdef" << 0 << 2;
        QTest::newRow("search starts at from") << "xdef xdef"
                                               << "xdef" << 1 << 5;
        QTest::newRow("from at the match") << "a xdef"
                                           << "xdef" << 2 << 2;
        QTest::newRow("from past the end") << "xdef"
                                           << "xdef" << 9 << -1;
        QTest::newRow("negative from reads from the start") << "xdef"
                                                            << "xdef" << -3 << 0;
        QTest::newRow("empty text") << ""
                                    << "xdef" << 0 << -1;
        QTest::newRow("empty word finds nothing") << "abc"
                                                  << "" << 0 << -1;
    }
    void wholeWordSearch() {
        QFETCH(QString, text);
        QFETCH(QString, word);
        QFETCH(int, from);
        QFETCH(int, expected);
        const auto at = findWord(text, word, from);
        QCOMPARE(at.value_or(-1), qsizetype(expected));
    }

    void plainSearchMatchesInsideWords() {
        QCOMPARE(findPlain(u"\tXDEFS", u"xdef", 0).value_or(-1), 1);
        QCOMPARE(findPlain(u"abc", u"d", 0).value_or(-1), -1);
        QCOMPARE(findPlain(u"abc", u"", 2).value_or(-1), 2);
    }

    void directiveArgument_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("argument");
        QTest::newRow("tabs and quotes removed") << "\tinclude\t\"graphlib.h\"\r\n"
                                                 << true << 1 << "graphlib.h";
        QTest::newRow("comment cut") << "\tinclude tios.h ; the OS\r\n" << true << 1 << "tios.h";
        QTest::newRow("quoted argument with comment")
            << "\tinclude \"a.h\" ; see \"b.h\"\r\nnext" << true << 1 << "a.h";
        QTest::newRow("quotes in the middle removed") << "include a\"b\".h\r\n"
                                                      << true << 0 << "ab.h";
        QTest::newRow("LF line end") << "include x.h\nmore" << true << 0 << "x.h";
        QTest::newRow("CR line end") << "include x.h\rmore" << true << 0 << "x.h";
        QTest::newRow("last line without line break")
            << "xdef _main\r\n\tinclude last.h" << true << 13 << "last.h";
        QTest::newRow("upper-case keyword") << "\tINCLUDE Up.h\r\n" << true << 1 << "Up.h";
        QTest::newRow("inner spaces kept") << "include  my file.h  \r\n"
                                           << true << 0 << "my file.h";
        QTest::newRow("only spaces give an empty argument")
            << "\tinclude   \r\nnext" << true << 1 << "";
        QTest::newRow("quote between spaces gives an empty argument") << "include \" \" \r\n"
                                                                      << true << 0 << "";
        QTest::newRow("nothing after the keyword ends the scan")
            << "\tinclude\r\ninclude b.h" << false << 0 << "";
        QTest::newRow("only a comment ends the scan")
            << "\tinclude;x\r\ninclude b.h" << false << 0 << "";
        QTest::newRow("a space before the comment is an empty argument") << "\tinclude ;x\r\n"
                                                                         << true << 1 << "";
        QTest::newRow("a tab before the comment ends the scan") << "\tinclude\t;x\r\n"
                                                                << false << 0 << "";
        QTest::newRow("only tabs and quotes end the scan") << "\tinclude\t\"\"\t\r\n"
                                                           << false << 0 << "";
        QTest::newRow("keyword at the very end") << "nothing\r\ninclude" << false << 0 << "";
        QTest::newRow("part of a longer word is no directive") << "includes a.h\r\n"
                                                               << false << 0 << "";
        QTest::newRow("no keyword") << "\tmove.l d0,d1\r\n" << false << 0 << "";
    }
    void directiveArgument() {
        QFETCH(QString, text);
        QFETCH(bool, found);
        QFETCH(int, position);
        QFETCH(QString, argument);
        const auto d = FindDirective(text, u"include", 0, 7);
        QCOMPARE(d.has_value(), found);
        if (found) {
            QCOMPARE(d->position, qsizetype(position));
            QCOMPARE(d->argument, argument);
        }
    }

    // A caller walks the text by starting each search one past the last find.
    void directivesReadInTurn() {
        const QString text = "include a.h\r\n; include b.h\r\n\tinclude \"c.h\"";
        QStringList args;
        qsizetype s = 0;
        while (const auto d = FindDirective(text, u"include", s, 7)) {
            args << d->argument;
            s = d->position + 1;
        }
        QCOMPARE(args, QStringList({"a.h", "b.h", "c.h"}));
    }

    void argumentNeverReadsPastTheLine() {
        // A skip longer than the rest of the line must not pull in the next line.
        const auto d = FindDirective(u"x inc\r\ny.h", u"inc", 0, 7);
        QVERIFY(!d);
    }

    void libraryTest_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("library");
        const int prg = int(DocumentKind::ProgramSource);
        QTest::newRow("_library without _main") << "\txdef _library\r\n" << prg << true;
        QTest::newRow("_library before _main") << "\txdef _library\r\n_main:\r\n" << prg << true;
        QTest::newRow("_library after _main") << "\txdef _main\r\n\txdef _library\r\n"
                                              << prg << false;
        QTest::newRow("only _main") << "_main:\r\n" << prg << false;
        QTest::newRow("neither") << "\tmove.l d0,d1\r\n" << prg << false;
        QTest::newRow("case ignored") << "\tXDEF _LIBRARY\r\n" << prg << true;
        QTest::newRow("in a comment counts") << "; _library\r\n_main:\r\n" << prg << true;
        QTest::newRow("longer words ignored") << "_librarys _mains _library2\r\n" << prg << false;
        QTest::newRow("_mains does not count as _main") << "_mains\r\n_library\r\n" << prg << true;
        QTest::newRow("header is never a library") << "\txdef _library\r\n"
                                                   << int(DocumentKind::IncludeFile) << false;
        QTest::newRow("text file is never a library")
            << "_library" << int(DocumentKind::TextFile) << false;
        QTest::newRow("other kind is never a library")
            << "_library" << int(DocumentKind::Other) << false;
    }
    void libraryTest() {
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(bool, library);
        QCOMPARE(DetectLibrary(text, DocumentKind(kind)), library);
    }
};

QTEST_APPLESS_MAIN(TestDirectiveScan)
#include "tst_directivescan.moc"
