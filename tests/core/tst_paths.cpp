#include "core/documents/Paths.h"

#include <QtTest>

using namespace quaredit;

class TestPaths : public QObject {
    Q_OBJECT
private slots:
    void extensionRules_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("as92p");
        QTest::newRow("plain source") << "/prg/GAME.ASM"
                                      << ".ASM"
                                      << "/prg/GAME.92p";
        QTest::newRow("dot in folder only") << "/my.dir/GAME"
                                            << ""
                                            << "/my.dir/GAME.92p";
        QTest::newRow("only the last extension") << "/src/my.prog.asm"
                                                 << ".asm"
                                                 << "/src/my.prog.92p";
        QTest::newRow("never saved") << "[Untitled]"
                                     << ""
                                     << "[Untitled].92p";
    }
    void extensionRules() {
        QFETCH(QString, path);
        QFETCH(QString, extension);
        QFETCH(QString, as92p);
        QCOMPARE(extensionOf(path), extension);
        QCOMPARE(replaceExtension(path, ".92p"), as92p);
    }
    void kindIsCaseSensitive() {
        QCOMPARE(kindFromExtension(".asm"), DocumentKind::ProgramSource);
        QCOMPARE(kindFromExtension(".ASM"), DocumentKind::Other);
        QCOMPARE(kindFromExtension(".h"), DocumentKind::IncludeFile);
        QCOMPARE(kindFromExtension(".txt"), DocumentKind::TextFile);
        QCOMPARE(kindFromExtension(""), DocumentKind::Other);
    }
    void folderAndName() {
        QCOMPARE(folderPart("/a/b/prog.asm"), QString("/a/b/"));
        QCOMPARE(fileNamePart("/a/b/prog.asm"), QString("prog.asm"));
        QCOMPARE(folderPart("[Untitled]"), QString());
        QCOMPARE(fileNamePart("[Untitled]"), QString("[Untitled]"));
    }
};

QTEST_APPLESS_MAIN(TestPaths)
#include "tst_paths.moc"
