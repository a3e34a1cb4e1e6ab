// Under a dark theme every text the program's own windows show stays
// readable: the white cards (welcome, about) set their text colours with
// their paper, and the blue headings turn light where blue would vanish.
// Contrast is computed from the colours the widgets will paint with, so no
// installed theme or font is involved.
#include "core/asm/EditorColours.h"
#include "core/settings/ColourScheme.h"
#include "ui/about/TAboutFrm.h"
#include "ui/editor/EditorMarkers.h"
#include "ui/reference/TTblCharFrm.h"
#include "ui/settings/TWelcomeFrm.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtTest>

using namespace quaredit;

namespace {

QPalette darkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Base, QColor(0x2E, 0x2F, 0x30));
    dark.setColor(QPalette::Button, QColor(0x45, 0x45, 0x45));
    for (const auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        dark.setColor(role, QColor(0xE0, 0xE0, 0xE0));
    return dark;
}

// The contrast of a widget's text against what it paints behind it.
double textContrast(const QWidget* w, QPalette::ColorRole text, QPalette::ColorRole paper) {
    return contrastRatio(w->palette().color(text).rgb(), w->palette().color(paper).rgb());
}

QString figure(double ratio) {
    return QString::number(ratio, 'f', 2);
}

} // namespace

class TestDarkTheme : public QObject {
    Q_OBJECT
private slots:
    void initTestCase_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light theme") << false;
        QTest::newRow("dark theme") << true;
    }
    void init() {
        QFETCH_GLOBAL(bool, dark);
        QApplication::setPalette(dark ? darkPalette() : QPalette());
    }
    void cleanupTestCase() { QApplication::setPalette(QPalette()); }

    void welcomeTextReadsOnItsWhiteCard() {
        TWelcomeFrm welcome;
        welcome.show();
        const double text = textContrast(welcome.informations(), QPalette::Text, QPalette::Base);
        QVERIFY2(text >= ReadableContrast, qPrintable(figure(text)));
        for (const char* name : {"Label1", "Label2"}) {
            const auto* label = welcome.findChild<QLabel*>(name);
            const double c = contrastRatio(label->palette().color(QPalette::WindowText).rgb(),
                                           welcome.palette().color(QPalette::Window).rgb());
            QVERIFY2(c >= ReadableContrast, qPrintable(QString("%1 %2").arg(name, figure(c))));
        }
    }

    void aboutCreditsAndTitleRead() {
        TAboutFrm about;
        about.show();
        const auto* credits = about.findChild<QPlainTextEdit*>("AboutTxt");
        const double text = textContrast(credits, QPalette::Text, QPalette::Base);
        QVERIFY2(text >= ReadableContrast, qPrintable(figure(text)));
        const auto* title = about.findChild<QLabel*>("Label1");
        const auto* panel = about.findChild<QWidget*>("TopPanel");
        const double heading = contrastRatio(title->palette().color(QPalette::WindowText).rgb(),
                                             panel->palette().color(QPalette::Window).rgb());
        QVERIFY2(heading >= ReadableContrast, qPrintable(figure(heading)));
        about.hide();
    }

    void charTableValueHeadingReads() {
        TTblCharFrm table;
        table.show();
        const auto* heading = table.findChild<QLabel*>("Label1");
        const double c = contrastRatio(heading->palette().color(QPalette::WindowText).rgb(),
                                       table.palette().color(QPalette::Window).rgb());
        QVERIFY2(c >= ReadableContrast, qPrintable(figure(c)));
    }

    // The error marks are shapes, not text: 3:1 against the margin and the
    // paper they are drawn on, in the editor's set for each theme.
    void errorMarksStandOut() {
        QFETCH_GLOBAL(bool, dark);
        const EditorColours& c = editorColours(dark);
        const markers::MarkerColours m = markers::markerColours(dark);
        const double fill = contrastRatio(m.error.rgb(), c.marginPaper);
        const double squiggle = contrastRatio(m.fault.rgb(), c.paper);
        QVERIFY2(fill >= 3.0, qPrintable(figure(fill)));
        QVERIFY2(squiggle >= 3.0, qPrintable(figure(squiggle)));
    }
};

QTEST_MAIN(TestDarkTheme)
#include "tst_darktheme.moc"
