#include "core/asm/EditorColours.h"
#include "core/settings/ColourScheme.h"

#include <QtTest>

using namespace quaredit;

// The editor's two colour sets must stay readable: every syntax class on
// every paper it is drawn on, in both sets.
class TestEditorColours : public QObject {
    Q_OBJECT
private slots:
    void contrastFollowsTheDefinition_data() {
        QTest::addColumn<Rgb>("a");
        QTest::addColumn<Rgb>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white is the most") << Rgb(0x000000) << Rgb(0xFFFFFF) << 21.0;
        QTest::newRow("order does not matter") << Rgb(0xFFFFFF) << Rgb(0x000000) << 21.0;
        QTest::newRow("a colour on itself is none") << Rgb(0x7A1F8C) << Rgb(0x7A1F8C) << 1.0;
        // Pure blue on white, a figure every contrast checker gives.
        QTest::newRow("blue on white") << Rgb(0x0000FF) << Rgb(0xFFFFFF) << 8.59;
        // Middle grey on white: the usual example of a grey that fails.
        QTest::newRow("grey 777 on white") << Rgb(0x777777) << Rgb(0xFFFFFF) << 4.48;
        QTest::newRow("alpha byte ignored") << Rgb(0xFF000000) << Rgb(0xFFFFFFFF) << 21.0;
    }
    void contrastFollowsTheDefinition() {
        QFETCH(Rgb, a);
        QFETCH(Rgb, b);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(contrastRatio(a, b) - ratio) < 0.01,
                 qPrintable(QString::number(contrastRatio(a, b))));
    }

    void everyClassReadsOnEveryPaper_data() {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("paper");
        const char* names[AsmClassCount] = {"default",  "comment",   "label",       "local label",
                                            "mnemonic", "directive", "register",    "number",
                                            "string",   "immediate", "library call"};
        for (const bool dark : {false, true}) {
            for (int style = 0; style < AsmClassCount; ++style) {
                for (const char* paper : {"paper", "current line", "selection"}) {
                    QTest::addRow("%s %s on %s", dark ? "dark" : "light", names[style], paper)
                        << dark << style << QString::fromLatin1(paper);
                }
            }
        }
    }
    void everyClassReadsOnEveryPaper() {
        QFETCH(bool, dark);
        QFETCH(int, style);
        QFETCH(QString, paper);
        const EditorColours& c = editorColours(dark);
        const Rgb back = paper == "paper"          ? c.paper
                         : paper == "current line" ? c.currentLine
                                                   : c.selection;
        const double ratio = contrastRatio(c.syntax[size_t(style)], back);
        QVERIFY2(ratio >= ReadableContrast, qPrintable(QString::number(ratio)));
    }

    void plainTextMarginAndNotesRead_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }
    void plainTextMarginAndNotesRead() {
        QFETCH(bool, dark);
        const EditorColours& c = editorColours(dark);
        QVERIFY(contrastRatio(c.text, c.paper) >= ReadableContrast);
        QVERIFY(contrastRatio(c.text, c.currentLine) >= ReadableContrast);
        QVERIFY(contrastRatio(c.marginText, c.marginPaper) >= ReadableContrast);
        QVERIFY(contrastRatio(c.annotationText, c.annotationPaper) >= ReadableContrast);
        // The caret and the markers are shapes, not text: 3 is enough.
        QVERIFY(contrastRatio(c.caret, c.paper) >= 3.0);
        QVERIFY(contrastRatio(c.errorMarker, c.marginPaper) >= 3.0);
        QVERIFY(contrastRatio(c.warningMarker, c.marginPaper) >= 3.0);
        // The current line must be seen, and stay a line, not a bar.
        QVERIFY(c.currentLine != c.paper);
        QCOMPARE(isDarkBackground(c.paper), dark);
    }

    void schemeChoosesTheSet_data() {
        QTest::addColumn<qint32>("scheme");
        QTest::addColumn<Rgb>("base");
        QTest::addColumn<bool>("dark");
        QTest::newRow("follow, white base") << 0 << Rgb(0xFFFFFF) << false;
        QTest::newRow("follow, Fusion light") << 0 << Rgb(0xF0F0F0) << false;
        QTest::newRow("follow, qt6ct darker") << 0 << Rgb(0x2E2F30) << true;
        QTest::newRow("follow, Adwaita dark") << 0 << Rgb(0x2D2D2D) << true;
        QTest::newRow("follow, middle grey reads as light") << 0 << Rgb(0x808080) << false;
        QTest::newRow("light on a dark desktop") << 1 << Rgb(0x202020) << false;
        QTest::newRow("dark on a light desktop") << 2 << Rgb(0xFFFFFF) << true;
        QTest::newRow("unknown number follows") << 7 << Rgb(0x202020) << true;
    }
    void schemeChoosesTheSet() {
        QFETCH(qint32, scheme);
        QFETCH(Rgb, base);
        QFETCH(bool, dark);
        QCOMPARE(useDarkColours(scheme, base), dark);
    }

    void headingBlueReads_data() {
        QTest::addColumn<Rgb>("window");
        QTest::addColumn<Rgb>("blue");
        QTest::newRow("light window keeps pure blue") << Rgb(0xEFEFEF) << Rgb(0x0000FF);
        QTest::newRow("dark window gets a light blue") << Rgb(0x353535) << Rgb(0x8AB4F8);
    }
    void headingBlueReads() {
        QFETCH(Rgb, window);
        QFETCH(Rgb, blue);
        QCOMPARE(headingBlueOn(window), blue);
        QVERIFY(contrastRatio(headingBlueOn(window), window) >= ReadableContrast);
    }
};

QTEST_APPLESS_MAIN(TestEditorColours)
#include "tst_editorcolours.moc"
