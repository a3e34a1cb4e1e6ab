#include "core/compile/BatchText.h"
#include "core/settings/MemoryKeyStore.h"
#include "core/settings/Settings.h"
#include "support/MainWindowFixture.h"
#include "support/OptionsFixture.h"
#include "ui/common/MenuMap.h"
#include "ui/settings/EditorFontMatch.h"
#include "ui/settings/OptionsCommands.h"
#include "ui/settings/TOptionsFrm.h"
#include "ui/settings/TWelcomeFrm.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

using namespace quaredit;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList visibleTabs(QTabWidget* tabs) {
    QStringList shown;
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->isTabVisible(i))
            shown << tabs->tabText(i);
    }
    return shown;
}

} // namespace

class TestFirstLaunch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void welcomeShowsItsTextAndEnterCloses() {
        TWelcomeFrm welcome;
        QCOMPARE(welcome.windowTitle(), QString(" "));
        QVERIFY(welcome.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(welcome.informations()->toPlainText().split(u'\n'), TWelcomeFrm::welcomeLines());
        QCOMPARE(TWelcomeFrm::welcomeLines().size(), 8);
        QVERIFY(TWelcomeFrm::welcomeLines()[2].endsWith(u' '));

        welcome.show();
        QVERIFY(QTest::qWaitForWindowExposed(&welcome));
        QApplication::setActiveWindow(&welcome);
        // Clicking into the text hands the focus straight back to OK.
        welcome.informations()->setFocus();
        QCOMPARE(QApplication::focusWidget(), welcome.okButton());
        QTest::keyClick(&welcome, Qt::Key_Return);
        QVERIFY(!welcome.isVisible());
        QCOMPARE(welcome.result(), int(QDialog::Accepted));
    }

    void freshUserIsWalkedThroughTheCompilatorPage() {
        OptionsFixture f;
        FakeWindowServices& services = f.services;
        const FakeShellAssociation& association = f.association;
        OptionsCommands& commands = *f.commands;

        services.onDialog([](QDialog& d) {
            QTest::keyClick(&d, Qt::Key_Return);
            return d.result();
        });
        commands.welcomeStep();
        QVERIFY(commands.firstLaunchPending());

        bool stillOpen = false;
        QStringList tabs;
        bool cancelShown = true;
        QString batchShown;
        services.onDialog([&](QDialog& d) {
            auto& options = static_cast<TOptionsFrm&>(d);
            tabs = visibleTabs(options.pages());
            cancelShown = options.findChild<QPushButton*>("CancelBt")->isVisible();
            batchShown = options.findChild<QPlainTextEdit*>("edBAT")->toPlainText();
            QTest::keyClick(&d, Qt::Key_Escape);
            d.close();
            d.reject();
            stillOpen = d.isVisible();
            QTest::mouseClick(options.findChild<QPushButton*>("OkBt"), Qt::LeftButton);
            return d.result();
        });
        commands.createDialogs();

        QCOMPARE(services.dialogs, QStringList({"WelcomeFrm", "OptionsFrm"}));
        QCOMPARE(tabs, QStringList{"Compilator"});
        QVERIFY(!cancelShown);
        QVERIFY(stillOpen);
        QCOMPARE(batchShown,
                 batchDisplayText(GenerateBatchText(ConfigQuaro2, "[COMPILATOR PATH]")));
        QCOMPARE(fileBytes(f.folder() + "compil.bat"),
                 batchBytesFromLines(GenerateBatchText(ConfigQuaro2, "[COMPILATOR PATH]")));
        QCOMPARE(association.calls, (QList<std::pair<bool, bool>>{{false, false}}));
        QVERIFY(!commands.firstLaunchPending());

        // From the menu it is the whole dialog again.
        services.onDialog([&](QDialog& d) {
            auto& options = static_cast<TOptionsFrm&>(d);
            tabs = visibleTabs(options.pages());
            cancelShown = options.findChild<QPushButton*>("CancelBt")->isVisible();
            QTest::keyClick(&d, Qt::Key_Escape);
            stillOpen = d.isVisible();
            return d.result();
        });
        commands.MNU_Options_GeneralClick();
        QCOMPARE(tabs, QStringList({"Compilator", "Editor", "MISC..."}));
        QVERIFY(cancelShown);
        QVERIFY(!stillOpen);
        QCOMPARE(association.calls.size(), 1);
    }

    // The whole start-up of a new user's main window: the window shows
    // first, then the welcome, then the options dialog that only OK leaves.
    void mainWindowRunsTheSequenceOnce() {
        MainWindowFixture f(false);
        FakeShellAssociation& association = f.association;
        bool windowShownFirst = false;
        f.services.onDialog([&](QDialog& d) {
            windowShownFirst = f.window->isVisible();
            QTest::keyClick(&d, Qt::Key_Return);
            return d.result();
        });
        f.services.onDialog([](QDialog& d) {
            QTest::mouseClick(d.findChild<QPushButton*>("OkBt"), Qt::LeftButton);
            return d.result();
        });
        f.window->startUp({});
        f.window->createDialogs();

        QVERIFY(windowShownFirst);
        QCOMPARE(f.services.dialogs, QStringList({"WelcomeFrm", "OptionsFrm"}));
        QCOMPARE(RegKey(f.store, QString(), false).readInt("FirstLaunch", -1), 1);
        QVERIFY(MainWindowFixture::readFile(f.path("compil.bat"))
                    .contains("SET QUARO=[COMPILATOR PATH]\r\n"));
        QCOMPARE(association.calls.size(), 1);
    }

    void secondStartShowsNeither() {
        MainWindowFixture f(false);
        RegKey(f.store, QString(), false).writeInt("FirstLaunch", 1);
        f.window->startUp({});
        f.window->createDialogs();
        QVERIFY(f.services.dialogs.isEmpty());
        QVERIFY(!f.window->options().optionsFrm()->restricted());
        QVERIFY(!QFile::exists(f.path("compil.bat")));
    }

    // The stored wrap and font are the editor's from the start, before the
    // window is ever shown or activated.
    void storedWrapAndFontApplyAtStartUp() {
        MemoryKeyStore store;
        WriteDefaultSettings(store, WindowPlacement{});
        {
            RegKey options(store, "Options", false);
            options.writeInt("WordWrap", 1);
            options.writeInt("EditorFontSize", 14);
        }
        QTemporaryDir dir;
        FakeWindowServices services;
        FakeProcessStarter processes;
        FakeShellAssociation association;
        TPFrm window(TPFrmContext{&store, &services, dir.path() + "/", &processes, &association});
        QCOMPARE(window.editorWidget()->wrapMode(), QsciScintilla::WrapWord);
        QCOMPARE(window.editorWidget()->font().pointSize(), 14);
        QVERIFY(measuresFixedPitch(window.editorWidget()->font()));
    }

    void okAppliesWrapAndFontToTheEditor() {
        MainWindowFixture f;
        const QString longName = "AFamilyNameThatIsLongerThanThirtyOneLetters";
        f.window->settings().EditorFont = longName; // not installed, so it stays chosen
        f.services.onDialog([](QDialog& d) {
            d.findChild<QCheckBox*>("WWrapOpt")->setChecked(true);
            d.findChild<QComboBox*>("SizeList")->setCurrentText("12");
            QTest::mouseClick(d.findChild<QPushButton*>("OkBt"), Qt::LeftButton);
            return d.result();
        });
        f.window->menus().MNU_Options_General->trigger();
        QCOMPARE(f.editor()->wrapMode(), QsciScintilla::WrapWord);
        // The name is not installed: the editor shows an installed fixed-pitch
        // family for it, and the stored name stays.
        QVERIFY(QFontDatabase::hasFamily(f.editor()->font().family()));
        QVERIFY(measuresFixedPitch(f.editor()->font()));
        QCOMPARE(f.editor()->font().pointSize(), 12);
        QCOMPARE(RegKey(f.store, "Options", false).readText("EditorFont"), longName);
    }
};

QTEST_MAIN(TestFirstLaunch)
#include "tst_firstlaunch.moc"
