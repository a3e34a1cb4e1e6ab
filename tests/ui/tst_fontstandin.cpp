// The stand-in fontconfig names for a family that is not installed is the
// one Qt's own matching draws with, whatever fonts the machine has: the
// editor and the options dialog ask fontconfig, to spare the start-up Qt's
// sort of every font.
#include "platform/settings/FontconfigStandIn.h"
#include "ui/settings/EditorFontMatch.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>

using namespace quaredit;

class TestFontStandIn : public QObject {
    Q_OBJECT

private slots:
    void fontconfigPicksWhatQtDrawsWith_data() {
        QTest::addColumn<QString>("family");
        for (const char* family : {"Courier New", "Lucida Console", "Consolas", "Monaco",
                                   "No Such Family At All", "courier new"})
            QTest::newRow(family) << QString::fromLatin1(family);
        // Installed families answer with themselves.
        const QString general = QFontInfo(QFont()).family();
        QTest::newRow("the desktop's own font") << general;
    }
    void fontconfigPicksWhatQtDrawsWith() {
        QFETCH(QString, family);
        QFont wanted(family, 9);
        wanted.setStyleHint(QFont::TypeWriter);
        const QString drawn = QFontInfo(wanted).family();
        const QString picked = fontconfigStandIn(family);
        QVERIFY(!picked.isEmpty());
        QCOMPARE(picked.toLower(), drawn.toLower());
    }

    // The editor's family is the same through either way of asking.
    void editorFamilyIsTheSameEitherWay_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("Courier New") << QString("Courier New");
        QTest::newRow("a proportional font") << QFontInfo(QFont()).family();
        QTest::newRow("nothing") << QString();
    }
    void editorFamilyIsTheSameEitherWay() {
        QFETCH(QString, stored);
        setFontStandInFinder(nullptr);
        const QString throughQt = installedEditorFamily(stored, 9);
        setFontStandInFinder(fontconfigStandIn);
        const QString throughFontconfig = installedEditorFamily(stored, 9);
        setFontStandInFinder(nullptr);
        QCOMPARE(throughFontconfig, throughQt);
        QVERIFY(!throughQt.isEmpty());
    }
};

QTEST_MAIN(TestFontStandIn)
#include "tst_fontstandin.moc"
