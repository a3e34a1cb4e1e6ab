#include "core/reference/KeyCodes.h"
#include "support/FakeWindowServices.h"
#include "support/MainWindowFixture.h"
#include "ui/app/TPFrm.h"
#include "ui/editing/EditorServices.h"
#include "ui/project/ProjectTree.h"
#include "ui/reference/KeyCodesTool.h"
#include "ui/reference/TScanCFrm.h"

#include <QAction>
#include <QButtonGroup>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

using namespace quaredit;

namespace {

QByteArray fileWithEsc() {
    KeyCodeTable t;
    t.info = "test keys";
    t.records[53] = {"ESC", {264, 16648, 4360, 8456, 264}};
    t.records[54] = {"APPS", {-7, 0, 0, 0, 0}};
    return encodeKeyCodes(t);
}

// Picks a line of the Special tab with a modifier and presses a button.
std::function<int(QDialog&)> pick(int line, KeyModifier modifier, QByteArray buttonName) {
    return [=](QDialog& dialog) {
        dialog.findChild<QTabBar*>("KeyType")->setCurrentIndex(int(KeyGroup::Special));
        dialog.findChild<QListWidget*>("Liste")->setCurrentRow(line);
        dialog.findChild<QButtonGroup*>()->button(int(modifier))->click();
        dialog.findChild<QPushButton*>(QString::fromLatin1(buttonName))->click();
        return dialog.result();
    };
}

} // namespace

class TestKeyCodesTool : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString folder() const { return dir.path() + '/'; }
    void writeFile(const QByteArray& bytes) {
        QFile file(folder() + "keycodes.lst");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

private slots:
    void init() { QFile::remove(folder() + "keycodes.lst"); }

    void unusableFileDisablesTheTool_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QString missing =
            "Cannot find the file 'keycodes.lst'. The KeyCode tool will be disabled.";
        const QString invalid =
            "Invalid version of 'keycodes.lst'. The KeyCode tool will be disabled.";
        QByteArray swapped = fileWithEsc();
        swapped[46] = 0;
        swapped[47] = 1;
        QTest::newRow("missing") << false << QByteArray() << missing;
        QTest::newRow("swapped version bytes") << true << swapped << invalid;
        QTest::newRow("too short for a version") << true << fileWithEsc().left(47) << invalid;
        QTest::newRow("empty") << true << QByteArray() << invalid;
    }
    void unusableFileDisablesTheTool() {
        QFETCH(bool, present);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        if (present)
            writeFile(bytes);
        FakeWindowServices services;
        KeyCodesTool tool(services, nullptr);
        QAction menuItem, popupItem;
        tool.load(folder() + "keycodes.lst", {&menuItem, &popupItem});

        QCOMPARE(services.messages.size(), 1);
        QCOMPARE(services.messages[0].text, message);
        QCOMPARE(services.messages[0].caption, QStringLiteral("File Error"));
        QCOMPARE(services.messages[0].icon, MsgIcon::Error);
        QVERIFY(!menuItem.isEnabled());
        QVERIFY(!popupItem.isEnabled());
        QVERIFY(!tool.available());
        // Even if something re-enabled an item, the window has nothing to show.
        QCOMPARE(tool.run(), std::nullopt);
        QVERIFY(services.dialogs.isEmpty());
    }

    void okInsertsTheCodeAsAnImmediate_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("modifier");
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("ESC alone") << 1 << int(KeyModifier::None) << QByteArray("BtOK") << "#264";
        QTest::newRow("ESC with [2nd]")
            << 1 << int(KeyModifier::Second) << QByteArray("BtOK") << "#4360";
        QTest::newRow("negative code")
            << 2 << int(KeyModifier::None) << QByteArray("BtOK") << "#-7";
        QTest::newRow("missing combination")
            << 2 << int(KeyModifier::Maj) << QByteArray("BtOK") << QString();
        QTest::newRow("Cancel") << 1 << int(KeyModifier::None) << QByteArray("BtCancel")
                                << QString();
    }
    void okInsertsTheCodeAsAnImmediate() {
        QFETCH(int, line);
        QFETCH(int, modifier);
        QFETCH(QByteArray, button);
        QFETCH(QString, inserted);
        writeFile(fileWithEsc());
        FakeWindowServices services;
        QWidget mainWindow;
        KeyCodesTool tool(services, &mainWindow);
        QAction menuItem;
        tool.load(folder() + "keycodes.lst", {&menuItem});
        QVERIFY(services.messages.isEmpty());
        QVERIFY(menuItem.isEnabled());

        services.onDialog(pick(line, KeyModifier(modifier), button.constData()));
        const std::optional<QString> text = tool.run();
        QCOMPARE(services.dialogs, QStringList{"TScanCFrm"});
        QCOMPARE(text.value_or(QString()), inserted);
        QCOMPARE(text.has_value(), !inserted.isEmpty());
    }

    // Through the main window: both menu items run the window on the shipped
    // table and the operand lands at the caret as an ordinary edit.
    void mainWindowInsertsAtTheCaret() {
        MainWindowFixture f;
        const MenuMap& menus = f.window->menus();
        QVERIFY(menus.MNU_Tools_ScanC->isEnabled());
        QCOMPARE(menus.MNU_Tools_ScanC->shortcut(), QKeySequence(QStringLiteral("Ctrl+K")));

        f.type(QStringLiteral("cmp.w "));
        f.window->editorServices()
            .UpdateCaretStatus(); // the caret's place as the status bar knows it
        f.services.onDialog(pick(1, KeyModifier::None, "BtOK"));
        menus.MNU_Tools_ScanC->trigger();
        QCOMPARE(f.editor()->text(), QStringLiteral("cmp.w #264"));
        f.type(QStringLiteral(",d0")); // the caret stays after the operand
        QCOMPARE(f.editor()->text(), QStringLiteral("cmp.w #264,d0"));

        f.services.onDialog(pick(1, KeyModifier::None, "BtCancel"));
        menus.POPUPED_ScanC->trigger();
        QCOMPARE(f.editor()->text(), QStringLiteral("cmp.w #264,d0"));
        QCOMPARE(f.services.dialogs, QStringList({"TScanCFrm", "TScanCFrm"}));
        QVERIFY(f.editor()->isModified());
    }

    void mainWindowWithoutTheFile() {
        MainWindowFixture f(false);
        QVERIFY(QFile::remove(f.path("keycodes.lst")));
        f.window->startUp({});
        f.window->createDialogs();
        const QList<FakeWindowServices::Message> errors = {
            {"Cannot find the file 'keycodes.lst'. The KeyCode tool will be disabled.",
             "File Error", MsgIcon::Error, MsgButtons::Ok}};
        QList<FakeWindowServices::Message> shown;
        for (const auto& m : f.services.messages)
            if (m.caption == QStringLiteral("File Error"))
                shown << m;
        QCOMPARE(shown, errors);
        QVERIFY(!f.window->menus().MNU_Tools_ScanC->isEnabled());
        QVERIFY(!f.window->menus().POPUPED_ScanC->isEnabled());
        f.window->projectTree().UpdateToolMenus();
        QVERIFY(!f.window->menus().MNU_Tools_ScanC->isEnabled());
    }
};

QTEST_MAIN(TestKeyCodesTool)
#include "tst_keycodestool.moc"
