#include "core/asm/DirectiveScan.h"

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
        QTest::newRow("accented letter after the word joins it")
            << QString::fromLatin1("INCLUDE\xe9 include") << "include" << 0 << 9;
        QTest::newRow("accented capital matches its small letter") << QString::fromLatin1("; \xc9"
                                                                                          "CRAN")
                                                                   << QString::fromLatin1("\xe9"
                                                                                          "cran")
                                                                   << 0 << 2;
        QTest::newRow("micro sign is a letter")
            << QString::fromLatin1("xdef\xb5 xdef") << "xdef" << 0 << 6;
        QTest::newRow("superscript digit joins words")
            << QString::fromLatin1("\xb2xdef") << "xdef" << 0 << -1;
        QTest::newRow("multiplication sign separates")
            << QString::fromLatin1("\xd7xdef\xd7") << "xdef" << 0 << 1;
        QTest::newRow("no-break space separates")
            << QString::fromLatin1("\xa0xdef") << "xdef" << 0 << 1;
        QTest::newRow("word at the very end") << "a;xdef"
                                              << "xdef" << 0 << 2;
        QTest::newRow("word longer than the text") << "xde"
                                                   << "xdef" << 0 << -1;
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
        const auto at = findWord(text.toLatin1(), word.toLatin1(), from);
        QCOMPARE(at.value_or(-1), qsizetype(expected));
    }

    void plainSearchMatchesInsideWords() {
        QCOMPARE(findPlain("\tXDEFS", "xdef", 0).value_or(-1), 1);
        QCOMPARE(findPlain("abc", "d", 0).value_or(-1), -1);
        QCOMPARE(findPlain("abc", "", 2).value_or(-1), 2);
        QCOMPARE(findPlain("abc", "abcd", 0).value_or(-1), -1);
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
        QTest::newRow("Latin-1 argument kept") << QString::fromLatin1("\tinclude \"caf\xe9.h\"\r\n")
                                               << true << 1 << QString::fromLatin1("caf\xe9.h");
    }
    void directiveArgument() {
        QFETCH(QString, text);
        QFETCH(bool, found);
        QFETCH(int, position);
        QFETCH(QString, argument);
        const auto d = FindDirective(text.toLatin1(), "include", 0, 7);
        QCOMPARE(d.has_value(), found);
        if (found) {
            QCOMPARE(d->position, qsizetype(position));
            QCOMPARE(d->argument, argument);
        }
    }

    // A caller walks the text by starting each search one past the last find.
    void directivesReadInTurn() {
        const QByteArray text = "include a.h\r\n; include b.h\r\n\tinclude \"c.h\"";
        QStringList args;
        qsizetype s = 0;
        while (const auto d = FindDirective(text, "include", s, 7)) {
            args << d->argument;
            s = d->position + 1;
        }
        QCOMPARE(args, QStringList({"a.h", "b.h", "c.h"}));
    }

    void argumentNeverReadsPastTheLine() {
        // A skip longer than the rest of the line must not pull in the next line.
        const auto d = FindDirective("x inc\r\ny.h", "inc", 0, 7);
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
        QCOMPARE(DetectLibrary(text.toLatin1(), DocumentKind(kind)), library);
    }

    void orderIgnoringCase_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order"); // the sign of a compared with b
        QTest::newRow("accented capital equals its small letter") << QString::fromLatin1("\xc9"
                                                                                         "CRAN")
                                                                  << QString::fromLatin1("\xe9"
                                                                                         "cran")
                                                                  << 0;
        QTest::newRow("a text before a longer one it begins") << "loop"
                                                              << "LOOP2" << -1;
        QTest::newRow("underscore before letters of either case") << "_x"
                                                                  << "Ax" << -1;
        QTest::newRow("micro sign after y with diaeresis, its fold being Greek")
            << QString::fromLatin1("\xb5") << QString::fromLatin1("\xff") << 1;
        QTest::newRow("sharp s before a with grave")
            << QString::fromLatin1("\xdf") << QString::fromLatin1("\xe0") << -1;
        QTest::newRow("empty texts") << ""
                                     << "" << 0;
    }
    // The labels window sorts by this order, which is QString's.
    void orderIgnoringCase() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        const auto sign = [](int v) { return (v > 0) - (v < 0); };
        QCOMPARE(sign(a.compare(b, Qt::CaseInsensitive)), order);
        QCOMPARE(sign(compareIgnoringCase(a.toLatin1(), b.toLatin1())), order);
        QCOMPARE(sign(compareIgnoringCase(b.toLatin1(), a.toLatin1())), -order);
    }

    // Ignoring case and matching case must answer as QString did over the
    // same text, for every needle character, Latin-1 or not. Each text holds
    // every byte, once in rising and once in falling order, so that both
    // characters of a pair of cases get found first. The three-character
    // needles put the character between fixed ends, where it is compared
    // only after the ends have matched.
    void searchAgreesWithQString_data() {
        QTest::addColumn<bool>("framed");
        QTest::addColumn<bool>("rising");
        QTest::newRow("one character, rising") << false << true;
        QTest::newRow("one character, falling") << false << false;
        QTest::newRow("between fixed ends, rising") << true << true;
        QTest::newRow("between fixed ends, falling") << true << false;
    }
    void searchAgreesWithQString() {
        QFETCH(bool, framed);
        QFETCH(bool, rising);
        QByteArray text;
        for (int i = 0; i < 256; ++i) {
            const char b = char(rising ? i : 255 - i);
            text += framed ? QByteArray("\x01") + b + '\x02' : QByteArray(1, b);
        }
        const QString qtext = QString::fromLatin1(text);
        for (int u = 1; u < 0x10000; ++u) {
            const QChar c{char16_t(u)};
            if (c.isSurrogate())
                continue;
            const QString needle = framed ? QChar(1) + QString(c) + QChar(2) : QString(c);
            for (const auto cs : {Qt::CaseInsensitive, Qt::CaseSensitive}) {
                const auto bytes = latin1Needle(needle, cs);
                const qsizetype got = bytes ? findPlain(text, *bytes, 0, cs).value_or(-1) : -1;
                const qsizetype expected = qtext.indexOf(needle, 0, cs);
                if (got != expected)
                    QFAIL(
                        qPrintable(QStringLiteral("U+%1 %2: found at %3, QString at %4")
                                       .arg(u, 4, 16, QLatin1Char('0'))
                                       .arg(cs == Qt::CaseSensitive ? "with case" : "without case")
                                       .arg(got)
                                       .arg(expected)));
            }
        }
    }

    // The text may be a view of a longer buffer, as the editor's is: nothing
    // past its end takes part in a match or an argument.
    void viewEndsTheText() {
        const QByteArray buffer = QByteArray(64, 'x') + "INCLUDE include";
        for (qsizetype size = 0; size < 64 + 7; ++size) {
            const QByteArrayView text = QByteArrayView(buffer).first(size);
            QVERIFY(!findPlain(text, "include", 0));
            QVERIFY(!findWord(text, "include", 0));
        }
        const QByteArray line = QByteArray(40, ' ') + "include a.h;b.h";
        const auto d = FindDirective(QByteArrayView(line).first(line.size() - 4), "include", 0, 7);
        QVERIFY(d);
        QCOMPARE(d->argument, QString("a.h"));
        const auto e = FindDirective(QByteArrayView(line).first(line.size() - 5), "include", 0, 7);
        QCOMPARE(e ? e->argument : QString("-"), QString("a."));
    }

    // A match is found wherever it stands: at the start, at the end, and on
    // either side of every block the search reads at once.
    void everyPlacementFound() {
        for (qsizetype size = 7; size <= 70; ++size) {
            for (qsizetype at = 0; at + 7 <= size; ++at) {
                QByteArray text(size, 'x');
                text.replace(at, 7, "INCLUDE");
                QCOMPARE(findPlain(text, "include", 0).value_or(-1), at);
                QCOMPARE(findPlain(text, "INCLUDE", 0, Qt::CaseSensitive).value_or(-1), at);
                QVERIFY(!findPlain(text, "include", 0, Qt::CaseSensitive));
                QVERIFY(!findPlain(text, "include", at + 1));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestDirectiveScan)
#include "tst_directivescan.moc"
