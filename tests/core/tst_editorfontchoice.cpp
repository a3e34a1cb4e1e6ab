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

    void editorTakesThirtyOneCharacters() {
        const QString longName = QString(40, u'x');
        QCOMPARE(editorFontName(longName), QString(31, u'x'));
        QCOMPARE(editorFontName("Courier New"), QString("Courier New"));
    }
};

QTEST_APPLESS_MAIN(TestEditorFontChoice)
#include "tst_editorfontchoice.moc"
