#include "core/asm/Labels.h"

#include <QtTest>

using namespace quaredit;

namespace {

// "name@line" for every entry, joined by blanks: one readable value per row.
QString listed(const QVector<LabelEntry>& entries) {
    QStringList parts;
    for (const auto& e : entries)
        parts << QString::fromLatin1(e.name) + QLatin1Char('@') + QString::number(e.line);
    return parts.join(QLatin1Char(' '));
}

// A small program that exercises every filter, in the editor's Latin-1 bytes.
const QByteArray source = QByteArray("WIDTH equ 10\n"         // 0
                                     "width equ 10\n"         // 1
                                     "loop:\tdbra\td0,loop\n" // 2
                                     "\\local\tnop\n"         // 3
                                     "\tmove.l\td0,d1\n"      // 4
                                     "; loop: not a label\n"  // 5
                                     "gfx@0000:\n"            // 6
                                     "\xC9"
                                     "clair:\trts\n"          // 7, accented capital
                                     "* banner line\n"        // 8
                                     "Main:\tmove.w\t#1,d0\n" // 9
                                     "loop:\tbra\tloop\n");   // 10, a duplicate

} // namespace

class TestLabels : public QObject {
    Q_OBJECT
private slots:
    void nameRule_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("name"); // "-" when the line names nothing
        QTest::newRow("name, tab, instruction") << "start\tmove.l\td0,d1"
                                                << "start";
        QTest::newRow("indented by a tab") << "\tmove.l\td0,d1"
                                           << "-";
        QTest::newRow("indented by a space") << "  nop"
                                             << "-";
        QTest::newRow("semicolon comment") << "; start"
                                           << "-";
        QTest::newRow("star line names up to the blank") << "* banner"
                                                         << "*";
        QTest::newRow("equ with spaces") << "WIDTH equ 10"
                                         << "WIDTH";
        QTest::newRow("colon stays") << "loop:\tdbra d0,loop"
                                     << "loop:";
        QTest::newRow("tab cut before space") << "a b\tc"
                                              << "a";
        QTest::newRow("space inside operands after tab") << "lbl\tmove.w #1, d0"
                                                         << "lbl";
        QTest::newRow("leading control character trimmed") << "\x01name"
                                                           << "name";
        QTest::newRow("trailing CR trimmed") << "name:\r"
                                             << "name:";
        QTest::newRow("control characters only") << "\x01\x02\x03"
                                                 << "-";
        QTest::newRow("control character then blank") << "\x01 start"
                                                      << "-";
        QTest::newRow("empty line") << ""
                                    << "-";
        QTest::newRow("hash directive") << "#define X 1"
                                        << "#define";
        // Latin-1 characters above the blanks are name characters like any other.
        QTest::newRow("accented letters inside and last")
            << QString::fromLatin1("caf\xe9_\xe0:\trts") << QString::fromLatin1("caf\xe9_\xe0:");
        QTest::newRow("accented capital first")
            << QString::fromLatin1("\xc9tat equ 1") << QString::fromLatin1("\xc9tat");
        QTest::newRow("no-break space first is no indent")
            << QString::fromLatin1("\xa0name\tnop") << QString::fromLatin1("\xa0name");
        QTest::newRow("no-break space neither cuts nor is trimmed")
            << QString::fromLatin1("a\xa0"
                                   "b\xa0 c")
            << QString::fromLatin1("a\xa0"
                                   "b\xa0");
        QTest::newRow("control character inside kept") << "a\x01"
                                                          "b\tnop"
                                                       << "a\x01"
                                                          "b";
    }
    void nameRule() {
        QFETCH(QString, line);
        QFETCH(QString, name);
        const QByteArray bytes = line.toLatin1();
        const auto got = labelName(bytes);
        QCOMPARE(got ? QString::fromLatin1(*got) : QStringLiteral("-"), name);
    }

    void filters_data() {
        QTest::addColumn<bool>("hideSlash");
        QTest::addColumn<bool>("show2Pt");
        QTest::addColumn<bool>("showMaj");
        QTest::addColumn<bool>("showLib");
        QTest::addColumn<bool>("alphOrder");
        QTest::addColumn<QString>("expected");
        const QString all = QStringLiteral("WIDTH@0 width@1 loop:@2 \\local@3 gfx@0000:@6 \xC9"
                                           "clair:@7 *@8 Main:@9 loop:@10");
        QTest::newRow("none ticked lists all in text order")
            << false << false << false << false << false << all;
        QTest::newRow("capital first keeps WIDTH, not width or accents")
            << false << false << true << false << false << "WIDTH@0 Main:@9";
        QTest::newRow("colon last drops WIDTH, keeps loop:")
            << false << true << false << false << false
            << QStringLiteral("loop:@2 gfx@0000:@6 \xC9"
                              "clair:@7 Main:@9 loop:@10");
        QTest::newRow("backslash hidden")
            << true << false << false << false << false
            << QStringLiteral("WIDTH@0 width@1 loop:@2 gfx@0000:@6 \xC9"
                              "clair:@7 *@8 Main:@9 loop:@10");
        QTest::newRow("library entries only")
            << false << false << false << true << false << "gfx@0000:@6";
        QTest::newRow("filters combine") << true << true << true << false << false << "Main:@9";
        QTest::newRow("no name passes every filter") << true << true << true << true << false << "";
        QTest::newRow("sorted ignoring case, each name keeps its line, ties in text order")
            << false << false << false << false << true
            << QStringLiteral(
                   "*@8 \\local@3 gfx@0000:@6 loop:@2 loop:@10 Main:@9 WIDTH@0 width@1 \xC9"
                   "clair:@7");
        QTest::newRow("sorted after filtering")
            << false << true << false << false << true
            << QStringLiteral("gfx@0000:@6 loop:@2 loop:@10 Main:@9 \xC9"
                              "clair:@7");
    }
    void filters() {
        QFETCH(bool, hideSlash);
        QFETCH(bool, show2Pt);
        QFETCH(bool, showMaj);
        QFETCH(bool, showLib);
        QFETCH(bool, alphOrder);
        QFETCH(QString, expected);
        const LabelFilters f{hideSlash, show2Pt, showMaj, showLib, alphOrder};
        QCOMPARE(listed(ScanLabels(source, f)), expected);
    }

    void lineNumbersFollowTheEditor_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("CR LF, LF and CR each end one line") << "a\r\nb\rc\nd"
                                                            << "a@0 b@1 c@2 d@3";
        QTest::newRow("blank lines count") << "\n\n\nlast"
                                           << "last@3";
        QTest::newRow("final line break adds nothing") << "a\r\n"
                                                       << "a@0";
        QTest::newRow("empty document") << ""
                                        << "";
        QTest::newRow("only line breaks") << "\r\n\r\n"
                                          << "";
        QTest::newRow("CR CR LF is two lines") << "a\r\r\nb"
                                               << "a@0 b@2";
        QTest::newRow("LF CR is two lines") << "a\n\rb"
                                            << "a@0 b@2";
        QTest::newRow("last line without line break, after code") << "\tnop\r\n\tnop\r\nend:"
                                                                  << "end:@2";
        QTest::newRow("last line ends in its name's tab") << "a\r\nlast\t"
                                                          << "a@0 last@1";
        QTest::newRow("last line ends in its instruction") << "a\r\nlast\tnop"
                                                           << "a@0 last@1";
        QTest::newRow("line break right after a name's space") << "x \r\ny\tnop\r\n"
                                                               << "x@0 y@1";
        QTest::newRow("control characters before the line break") << "\x01\x02\r\nb"
                                                                  << "b@1";
    }
    void lineNumbersFollowTheEditor() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(listed(ScanLabels(text.toLatin1(), {})), expected);
    }

    // Line ends are searched a block of bytes at a time: every line length
    // around the block size must still number and cut each line the same.
    void lineLengthsAroundBlocks() {
        for (int length = 0; length <= 48; ++length) {
            const QByteArray pad(length, 'x');
            const QByteArray text =
                "\t" + pad + "\r\nlbl" + pad + "\r" + QByteArray(length + 1, ' ') + "\nz:\t" + pad;
            QCOMPARE(listed(ScanLabels(text, {})),
                     QStringLiteral("lbl%1@1 z:@3").arg(QString::fromLatin1(pad)));
        }
    }

    // The text may be a view of a longer buffer, as the editor's is: a name
    // or a line break cut by the view's end goes no further.
    void viewEndsTheText_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("expected");
        QTest::newRow("inside the first name") << 3 << "nam@0";
        QTest::newRow("between CR and LF") << 6 << "name:@0";
        QTest::newRow("just before the next name") << 7 << "name:@0";
        QTest::newRow("inside the next name's tab") << 13 << "name:@0 more:@1";
    }
    void viewEndsTheText() {
        QFETCH(int, size);
        QFETCH(QString, expected);
        const QByteArray buffer = "name:\r\nmore:\tnop\r\nlast:";
        QCOMPARE(listed(ScanLabels(QByteArrayView(buffer).first(size), {})), expected);
    }

    // The order ignores case as QString compares, for every Latin-1 name
    // character: the micro sign folds to a Greek letter and so comes last.
    void sortAgreesWithQString() {
        QByteArray text;
        for (int b = 33; b < 256; ++b) {
            if (b == ';')
                continue;
            text += char(b);
            text += "\r\n";
            text += "A" + QByteArray(1, char(b)) + "\r\n";
        }
        LabelFilters sorted;
        sorted.alphOrder = true;
        QVector<LabelEntry> expected = ScanLabels(text, {});
        std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
            return QString::fromLatin1(a.name).compare(QString::fromLatin1(b.name),
                                                       Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(listed(ScanLabels(text, sorted)), listed(expected));
        QCOMPARE(expected.last().name.toByteArray(), QByteArray("\xb5"));
    }

    // The window keeps the text and shows the names from it: entries must point
    // into that text, so that a large source is not copied name by name.
    void namesViewTheScannedText() {
        const QByteArray text = "one\ttwo\nthree:\n";
        const auto entries = ScanLabels(text, {});
        QCOMPARE(entries.size(), 2);
        for (const auto& e : entries) {
            QVERIFY(e.name.data() >= text.constData());
            QVERIFY(e.name.data() + e.name.size() <= text.constData() + text.size());
        }
    }
};

QTEST_APPLESS_MAIN(TestLabels)
#include "tst_labels.moc"
