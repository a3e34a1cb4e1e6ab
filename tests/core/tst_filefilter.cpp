#include "core/app/FileFilter.h"

#include <QtTest>

using namespace quaredit;

class TestFileFilter : public QObject {
    Q_OBJECT
private slots:
    void conversion_data() {
        QTest::addColumn<QString>("delphi");
        QTest::addColumn<QString>("qt");
        QTest::newRow("two entries, patterns space-separated")
            << "ASM Files (*.asm;*.h)|*.asm;*.h|Text Files (*.txt)|*.txt"
            << "ASM Files (*.asm *.h);;Text Files (*.txt)";
        QTest::newRow("shown text follows the real patterns") << "Sources (*.asm)|*.asm;*.s"
                                                              << "Sources (*.asm *.s)";
        QTest::newRow("description without parenthesis") << "Programs|*.exe"
                                                         << "Programs (*.exe)";
        QTest::newRow("star dot star means every file") << "All Files (*.*)|*.*"
                                                        << "All Files (*)";
        QTest::newRow("blanks around patterns ignored") << "Headers| *.h ; *.inc ;"
                                                        << "Headers (*.h *.inc)";
        QTest::newRow("parenthesis inside the description kept")
            << "Notes (plain) files (*.txt)|*.txt"
            << "Notes (plain) files (*.txt)";

        // Malformed filters still give something the dialog can use.
        QTest::newRow("empty filter lists all files") << ""
                                                      << "All Files (*)";
        QTest::newRow("only bars") << "||"
                                   << "All Files (*)";
        QTest::newRow("odd part count: patterns taken from the parenthesis")
            << "ASM Files (*.asm)|*.asm|Text Files (*.txt)"
            << "ASM Files (*.asm);;Text Files (*.txt)";
        QTest::newRow("lone description without patterns shows every file") << "Anything"
                                                                            << "Anything (*)";
        QTest::newRow("trailing bar dropped") << "ASM Files|*.asm|"
                                              << "ASM Files (*.asm)";
        QTest::newRow("empty pattern part falls back to the parenthesis") << "Text (*.txt)|"
                                                                          << "Text (*.txt)";
        QTest::newRow("patterns without description") << "|*.asm;*.h"
                                                      << "*.asm *.h";
    }
    void conversion() {
        QFETCH(QString, delphi);
        QFETCH(QString, qt);
        QCOMPARE(qtFilterFromDelphi(delphi), qt);
    }
};

QTEST_APPLESS_MAIN(TestFileFilter)
#include "tst_filefilter.moc"
