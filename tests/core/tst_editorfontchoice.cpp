#include "core/settings/EditorFontChoice.h"

#include <QtTest>

using namespace quaredit;

class TestEditorFontChoice : public QObject {
    Q_OBJECT
private slots:
    void sizeEntry_data() {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("listed size") << 14 << 14;
        QTest::newRow("smallest") << 8 << 8;
        QTest::newRow("unlisted size shows the default") << 11 << 9;
        QTest::newRow("never-read zero shows the default") << 0 << 9;
        QTest::newRow("negative shows the default") << -12 << 9;
    }
    void sizeEntry() {
        QFETCH(int, stored);
        QFETCH(int, shown);
        QCOMPARE(editorFontSizes().at(editorFontSizeEntry(stored)), shown);
    }

    void familyLookupIgnoresCase() {
        const QStringList families =
            sortedFontFamilies({"courier new", "Bitstream Charter", "DejaVu Sans", "abyssinica"});
        QCOMPARE(families,
                 QStringList({"abyssinica", "Bitstream Charter", "courier new", "DejaVu Sans"}));
        QCOMPARE(fontFamilyEntry(families, "Courier New"), 2);
        QCOMPARE(fontFamilyEntry(families, "MS Sans Serif"), -1);
        QCOMPARE(fontFamilyEntry(families, ""), -1);
    }

    void fontListShowsEachFamilyOnce() {
        QCOMPARE(listedFontFamilies({"Nimbus Mono PS [urw]", "DejaVu Sans", "Nimbus Mono PS [UKWN]",
                                     "dejavu sans", "Noto [Bold] Sans", "Z003"}),
                 QStringList({"DejaVu Sans", "Nimbus Mono PS", "Noto [Bold] Sans", "Z003"}));
    }

    void missingFamilyShowsTheClosestFixedPitchOne_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("matched");
        QTest::addColumn<bool>("matchedFixed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("installed: itself") << true << "" << false << "Courier New";
        QTest::newRow("missing: the matcher's fixed-pitch pick")
            << false << "Liberation Mono" << true << "Liberation Mono";
        QTest::newRow("the pick as the font list names it")
            << false << "Nimbus Mono PS [urw]" << true << "Nimbus Mono PS";
        QTest::newRow("missing, proportional pick: the system's fixed font")
            << false << "DejaVu Sans" << false << "DejaVu Sans Mono";
        QTest::newRow("missing, no pick: the system's fixed font")
            << false << "" << true << "DejaVu Sans Mono";
        // fontconfig's pick for Courier New, which Qt does not flag as fixed
        // but which measures so.
        QTest::newRow("a pick that measures fixed though not flagged")
            << false << "Noto Sans Mono" << true << "Noto Sans Mono";
    }
    void missingFamilyShowsTheClosestFixedPitchOne() {
        QFETCH(bool, installed);
        QFETCH(QString, matched);
        QFETCH(bool, matchedFixed);
        QFETCH(QString, shown);
        FontMatch match;
        match.installed = installed;
        match.matched = matched;
        match.matchedFixed = matchedFixed;
        match.systemFixed = "DejaVu Sans Mono";
        QCOMPARE(shownFontFamily("Courier New", match), shown);
    }

    // A desktop without a fixed font configured (qt6ct) gives its general,
    // proportional font as the fixed one: an installed fixed family wins.
    void proportionalSystemFixedFontFallsBack_data() {
        QTest::addColumn<QString>("fallback");
        QTest::addColumn<QString>("shown");
        QTest::newRow("first installed fallback") << "Liberation Mono"
                                                  << "Liberation Mono";
        QTest::newRow("no fallback installed: still the system's") << ""
                                                                   << "DejaVu Sans";
    }
    void proportionalSystemFixedFontFallsBack() {
        QFETCH(QString, fallback);
        QFETCH(QString, shown);
        FontMatch match;
        match.matched = "DejaVu Sans";
        match.matchedFixed = false;
        match.systemFixed = "DejaVu Sans";
        match.systemFixedFixed = false;
        match.fallback = fallback;
        QCOMPARE(shownFontFamily("Courier New", match), shown);
    }

    void editorTakesThirtyOneCharacters() {
        const QString longName = QString(40, u'x');
        QCOMPARE(editorFontName(longName), QString(31, u'x'));
        QCOMPARE(editorFontName("Courier New"), QString("Courier New"));
    }
};

QTEST_APPLESS_MAIN(TestEditorFontChoice)
#include "tst_editorfontchoice.moc"
