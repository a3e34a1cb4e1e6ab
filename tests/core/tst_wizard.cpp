#include "core/asm/DirectiveScan.h"
#include "core/tools/Library.h"
#include "core/tools/Wizard.h"

#include <QFile>
#include <QtTest>

using namespace quaredit;
Q_DECLARE_METATYPE(quaredit::WizardAnswers)
Q_DECLARE_METATYPE(quaredit::WizardKernel)

namespace {

const QStringList programTemplate{
    "\tinclude\t\"tios.h\"",   "\txdef\t_main", "\txdef\t_comment", "_main:", "\trts",
    "_comment\tdc.b\t\"x\",0",
};
const QStringList libraryTemplate{
    "\txdef\t_library", "\txdef\tlibname@0000", "libname@0000:", "\trts", "_library\tdc.b\t\"x\",0",
};

WizardAnswers program(const QString& comment, bool ti92, bool ti92plus, bool ti89) {
    WizardAnswers a;
    a.text = comment;
    a.ti92 = ti92;
    a.ti92plus = ti92plus;
    a.ti89 = ti89;
    return a;
}

WizardAnswers library(const QString& name, WizardKernel kernel) {
    WizardAnswers a;
    a.kind = WizardKind::Library;
    a.text = name;
    a.kernel = kernel;
    return a;
}

QStringList installedTemplate(WizardKind kind) {
    QFile f(QStringLiteral(QUAREDIT_SOURCE_DIR "/data/") + wizardTemplateName(kind));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return templateLines(f.readAll());
}

} // namespace

class TestWizard : public QObject {
    Q_OBJECT
private slots:
    void filling_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<WizardAnswers>("answers");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("program with two models")
            << programTemplate << program("Demo", false, true, true)
            << QStringList{
                   "\tinclude\t\"tios.h\"",     "\txdef\t_main", "\txdef\t_comment", "",
                   "\txdef\t_ti92plus",         "\txdef\t_ti89", "_main:",           "\trts",
                   "_comment\tdc.b\t\"Demo\",0"};
        QTest::newRow("no model: no empty line")
            << programTemplate << program("Space invaders", false, false, false)
            << QStringList{"\tinclude\t\"tios.h\"",
                           "\txdef\t_main",
                           "\txdef\t_comment",
                           "_main:",
                           "\trts",
                           "_comment\tdc.b\t\"Space invaders\",0"};
        QTest::newRow("models keep their fixed order")
            << QStringList{"_COMMENT", "_Comment"} << program("", true, false, true)
            << QStringList{"_COMMENT", "", "\txdef\t_ti92", "\txdef\t_ti89",
                           "_comment\tdc.b\t\"\",0"};
        QTest::newRow("key word twice on one line")
            << QStringList{"a", "_comment _comment", "b"} << program("c", false, false, false)
            << QStringList{"a", "_comment\tdc.b\t\"c\",0", "b"};
        QTest::newRow("key word inside a longer word")
            << QStringList{"\txdef\tmy_comments", "x_COMMENT:"} << program("c", false, false, false)
            << QStringList{"\txdef\tmy_comments", "_comment\tdc.b\t\"c\",0"};
        QTest::newRow("library with Quaro II")
            << libraryTemplate << library("gfx", WizardKernel::QuaroII)
            << QStringList{"\txdef\t_library", "\txdef\tgfx@0000", "gfx@0000:", "\trts",
                           "_library\tdc.b\t\"gfx\",0"};
        QTest::newRow("library with PlusShell/DoorsOS")
            << libraryTemplate << library("gfx", WizardKernel::PlusShellDoorsOS)
            << QStringList{"\txdef\t_library", "\txdef\tgfx@0000", "gfx@0000:", "\trts"};
        QTest::newRow("library without a name")
            << libraryTemplate << library("", WizardKernel::QuaroII)
            << QStringList{"\txdef\t_library", "\txdef\t@0000", "@0000:", "\trts",
                           "_library\tdc.b\t\"\",0"};
        // Broken templates: each missing marker leaves the lines alone.
        QTest::newRow("only one key word: no data line")
            << QStringList{"\txdef\t_comment", "\trts"} << program("d", false, false, true)
            << QStringList{"\txdef\t_comment", "", "\txdef\t_ti89", "\trts"};
        QTest::newRow("no key word: models at the top")
            << QStringList{"\trts"} << program("d", true, false, false)
            << QStringList{"", "\txdef\t_ti92", "\trts"};
        QTest::newRow("library without libname markers")
            << QStringList{"\txdef\t_library", "_library"}
            << library("gfx", WizardKernel::PlusShellDoorsOS) << QStringList{"\txdef\t_library"};
        QTest::newRow("empty template")
            << QStringList{} << library("gfx", WizardKernel::QuaroII) << QStringList{};
    }
    void filling() {
        QFETCH(QStringList, lines);
        QFETCH(WizardAnswers, answers);
        QFETCH(QStringList, expected);
        QCOMPARE(FillTemplate(lines, answers), expected);
    }

    void templateFileLines_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF with a final break")
            << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
        QTest::newRow("LF without a final break")
            << QByteArray("a\n\nb") << QStringList{"a", "", "b"};
        QTest::newRow("CR only") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("8-bit bytes kept")
            << QByteArray("\xa9\xff\n") << QStringList{"\u00a9\u00ff"};
    }
    void templateFileLines() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(templateLines(bytes), lines);
    }

    // The delivered templates must keep every marker where the wizard and the
    // tools that follow it expect them.
    void installedProgramTemplate() {
        const QStringList tpl = installedTemplate(WizardKind::Program);
        QVERIFY(!tpl.isEmpty());
        QCOMPARE(tpl.join('\n').count("_comment", Qt::CaseInsensitive), 2);
        const QStringList out = FillTemplate(tpl, program("Demo", true, true, true));
        const QString text = out.join('\n');
        QVERIFY(
            text.contains("\txdef\t_comment\n\n\txdef\t_ti92\n\txdef\t_ti92plus\n\txdef\t_ti89\n"));
        QVERIFY(out.contains("_comment\tdc.b\t\"Demo\",0"));
        const QByteArray bytes = text.toLatin1();
        QVERIFY(findWord(bytes, "_main", 0));
        QVERIFY(!DetectLibrary(bytes, DocumentKind::ProgramSource));
        // The library window opens right after: it needs an xdef and lists the block above it.
        QCOMPARE(ProgramLibraries(bytes),
                 std::optional<QStringList>(QStringList{"tios.h", "flib.h"}));
    }
    void installedLibraryTemplate_data() {
        QTest::addColumn<WizardKernel>("kernel");
        QTest::addColumn<bool>("dataLine");
        QTest::newRow("Quaro II names the library") << WizardKernel::QuaroII << true;
        QTest::newRow("PlusShell/DoorsOS drops the name")
            << WizardKernel::PlusShellDoorsOS << false;
    }
    void installedLibraryTemplate() {
        QFETCH(WizardKernel, kernel);
        QFETCH(bool, dataLine);
        const QStringList tpl = installedTemplate(WizardKind::Library);
        QVERIFY(!tpl.isEmpty());
        QCOMPARE(tpl.join('\n').count("_library", Qt::CaseInsensitive), 2);
        QCOMPARE(tpl.join('\n').count("libname", Qt::CaseInsensitive), 2);
        WizardAnswers a = library("gfx", kernel);
        a.ti89 = true;
        const QStringList out = FillTemplate(tpl, a);
        const QString text = out.join('\n');
        QCOMPARE(out.contains("_library\tdc.b\t\"gfx\",0"), dataLine);
        QCOMPARE(out.count("\txdef\tgfx@0000"), 1);
        QCOMPARE(out.count("gfx@0000:"), 1);
        QVERIFY(out.indexOf("\txdef\t_ti89") > out.indexOf("\txdef\t_library"));
        QVERIFY(!text.contains("libname", Qt::CaseInsensitive));
        const QByteArray bytes = text.toLatin1();
        QVERIFY(DetectLibrary(bytes, DocumentKind::ProgramSource));
        QCOMPARE(ProgramLibraries(bytes), std::optional<QStringList>(QStringList{"tios.h"}));
    }
};

QTEST_APPLESS_MAIN(TestWizard)
#include "tst_wizard.moc"
