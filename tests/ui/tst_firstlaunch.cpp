#include "core/build/BatchText.h"
#include "core/settings/MemoryKeyStore.h"
#include "core/settings/Settings.h"
#include "platform/settings/FakeShellAssociation.h"
#include "support/FakeWindowServices.h"
#include "ui/settings/OptionsCommands.h"
#include "ui/settings/TOptionsFrm.h"
#include "ui/settings/TWelcomeFrm.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
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

    QTemporaryDir programDir_;
    QString folder() const { return programDir_.path() + u'/'; }

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
        MemoryKeyStore store;
        WriteDefaultSettings(store, WindowPlacement{});
        Settings settings;
        WindowPlacement placement;
        ReadSettings(store, settings, placement);
        FakeWindowServices services;
        FakeShellAssociation association;
        OptionsContext context;
        context.store = &store;
        context.settings = &settings;
        context.services = &services;
        context.programFolder = folder();
        OptionsCommands commands(context);
        commands.setShellAssociation(association);

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
        QCOMPARE(fileBytes(folder() + "compil.bat"),
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

    void withoutAWelcomeNothingShowsAtCreation() {
        MemoryKeyStore store;
        Settings settings;
        FakeWindowServices services;
        OptionsContext context;
        context.store = &store;
        context.settings = &settings;
        context.services = &services;
        context.programFolder = folder();
        OptionsCommands commands(context);
        commands.createDialogs();
        QVERIFY(services.dialogs.isEmpty());
        QVERIFY(!commands.optionsFrm()->restricted());
    }
};

QTEST_MAIN(TestFirstLaunch)
#include "tst_firstlaunch.moc"
