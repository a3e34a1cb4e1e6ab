#include "support/FakeProcessStarter.h"
#include "support/MainWindowFixture.h"
#include "ui/common/TInputFrm.h"
#include "ui/compile/BuildCommands.h"
#include "ui/compile/TUserFileFrm.h"
#include "ui/compile/TUserPrgmFrm.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editor/EditorAccess.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace quaredit;

namespace {

using Message = FakeWindowServices::Message;

QStringList menuCaptions(const TPFrm& w) {
    QStringList captions;
    for (QAction* a : w.menus().MNU_User->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return captions;
}

void click(QAbstractButton* b) {
    QTest::mouseClick(b, Qt::LeftButton);
}

QStringList lines(const QListWidget* list) {
    QStringList l;
    for (int i = 0; i < list->count(); ++i)
        l << list->item(i)->text();
    return l;
}

void storePrograms(MainWindowFixture& f, const QVector<UserProgram>& programs) {
    f.window->settings().UserPrograms = programs;
    QVERIFY(SaveUserPrograms(f.store, programs));
    f.window->UpdateUserMenu();
}

void storeFiles(MainWindowFixture& f, const QVector<UserFile>& files) {
    f.window->settings().UserFiles = files;
    QVERIFY(SaveUserFiles(f.store, files));
    f.window->UpdateUserMenu();
}

} // namespace

class TestUserMenu : public QObject {
    Q_OBJECT

private slots:
    void menuShowsProgramsSeparatorAndFiles_data() {
        QTest::addColumn<int>("programs");
        QTest::addColumn<int>("files");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("neither: hidden") << 0 << 0 << QStringList{};
        QTest::newRow("two programs, no separator") << 2 << 0 << QStringList{"P0", "P1"};
        QTest::newRow("one file, no separator") << 0 << 1 << QStringList{"F0"};
        QTest::newRow("both: separator between") << 1 << 1 << QStringList{"P0", "-", "F0"};
    }
    void menuShowsProgramsSeparatorAndFiles() {
        QFETCH(int, programs);
        QFETCH(int, files);
        QFETCH(QStringList, captions);
        MainWindowFixture f;
        // Start from a full menu, so the rebuild must also remove commands.
        storePrograms(f, {UserProgram{"old", "/x", 0, 0}});
        storeFiles(f, {UserFile{"/y", "oldfile"}});
        QVector<UserProgram> p;
        for (int i = 0; i < programs; ++i)
            p << UserProgram{QStringLiteral("P%1").arg(i), "/bin/true", 0, 0};
        QVector<UserFile> u;
        for (int i = 0; i < files; ++i)
            u << UserFile{f.path(QStringLiteral("f%1.txt").arg(i)), QStringLiteral("F%1").arg(i)};
        storePrograms(f, p);
        storeFiles(f, u);
        QCOMPARE(menuCaptions(*f.window), captions);
        QCOMPARE(f.window->menus().MNU_User->menuAction()->isVisible(), !captions.isEmpty());
    }

    void programsDialogEditsAndStoresTheList() {
        MainWindowFixture f;
        storePrograms(f, {UserProgram{"One", "/bin/1", 0, 1}, UserProgram{"Two", "/bin/2", 1, 2},
                          UserProgram{"Three", "/bin/3", 2, 4}, UserProgram{"Four", "/bin/4", 0, 0},
                          UserProgram{"Five", "/bin/5", 0, 0}});
        f.services.onDialog([](QDialog& d) {
            auto& dlg = static_cast<TUserPrgmFrm&>(d);
            // Opens on the first entry as a click on it would.
            [&] {
                QCOMPARE(lines(dlg.UserList), QStringList({"One", "Two", "Three", "Four", "Five"}));
                QCOMPARE(dlg.UserList->currentRow(), 0);
                QCOMPARE(dlg.Nm->text(), QString("One"));
                QCOMPARE(dlg.Path->text(), QString("/bin/1"));
                QCOMPARE(dlg.ArgList->currentIndex(), 1);
                QVERIFY(dlg.Nm->isEnabled());
                QVERIFY(dlg.PathLbl->isEnabled());
                QVERIFY(dlg.ArgBox->isEnabled());
            }();
            // Edits go into the selected entry and its line.
            dlg.UserList->setCurrentRow(2);
            [&] { QCOMPARE(dlg.HowRunChoices->checkedId(), 2); }();
            dlg.Nm->setText("&Third");
            QTest::keyClicks(dlg.Path, " -x");
            dlg.HowRunChoices->button(1)->click(); // a click beside a short label misses it
            dlg.ArgList->setCurrentIndex(3);
            // Deleting the second and the last.
            dlg.UserList->setCurrentRow(1);
            click(dlg.DelBt);
            dlg.UserList->setCurrentRow(3);
            click(dlg.DelBt);
            [&] {
                QVERIFY(!dlg.Nm->isEnabled());
                // Every caption greys with its field.
                QVERIFY(!dlg.PathLbl->isEnabled());
                QVERIFY(!dlg.ArgBox->isEnabled());
                QVERIFY(!dlg.HowRun->isEnabled());
                QVERIFY(dlg.Nm->text().isEmpty());
                QCOMPARE(dlg.UserList->currentRow(), -1);
                QCOMPARE(lines(dlg.UserList), QStringList({"One", "&Third", "Four"}));
            }();
            // With no line selected, typing changes nothing.
            dlg.Nm->setText("ignored");
            click(dlg.BtOK);
            return dlg.result();
        });
        f.window->menus().MNU_Options_UsrPrg->trigger();
        const QVector<UserProgram> expected{UserProgram{"One", "/bin/1", 0, 1},
                                            UserProgram{"&Third", "/bin/3 -x", 1, 3},
                                            UserProgram{"Four", "/bin/4", 0, 0}};
        QCOMPARE(f.window->settings().UserPrograms, expected);
        RegKey key(f.store, "UserPrgm", false);
        QCOMPARE(key.readInt("Nb", -1), 3);
        QCOMPARE(key.readText("MnuName1"), QString("&Third"));
        QCOMPARE(key.readText("CmdName1"), QString("/bin/3 -x"));
        QCOMPARE(key.readInt("WinState1", -1), 1);
        QCOMPARE(key.readInt("Arg1", -1), 3);
        // The longer list's values stay; the count keeps them from being read.
        QCOMPARE(key.readText("MnuName4"), QString("Five"));
        QCOMPARE(menuCaptions(*f.window), QStringList({"One", "&Third", "Four"}));
        QVERIFY(f.services.messages.isEmpty());
    }

    void newFollowsItsLimitAndBlankEntryRule() {
        MainWindowFixture f;
        f.services.expectMessage(MsgResult::Ok);
        f.services.onDialog([](QDialog& d) {
            auto& dlg = static_cast<TUserPrgmFrm&>(d);
            [&] { QVERIFY(!dlg.Nm->isEnabled()); }();
            click(dlg.NewBt);
            click(dlg.NewBt); // the blank entry is still being edited
            [&] { QCOMPARE(dlg.UserList->count(), 1); }();
            [&] { QVERIFY(dlg.Nm->isEnabled()); }();
            for (int i = 0; i < 9; ++i) {
                dlg.Nm->setText(QStringLiteral("P%1").arg(i));
                click(dlg.NewBt);
            }
            [&] { QCOMPARE(dlg.UserList->count(), 10); }();
            dlg.Nm->setText("P9");
            click(dlg.NewBt); // the 11th
            [&] { QCOMPARE(dlg.UserList->count(), 10); }();
            click(dlg.BtOK);
            return dlg.result();
        });
        f.window->menus().MNU_Options_UsrPrg->trigger();
        QCOMPARE(f.services.messages,
                 QList<Message>{(Message{"Cannot create more user programs", "Error",
                                         MsgIcon::Error, MsgButtons::Ok})});
        QCOMPARE(f.window->settings().UserPrograms.size(), 10);
        QCOMPARE(f.window->settings().UserPrograms[9].MnuName, QString("P9"));
    }

    void newThenOkOnAnEmptyListStoresNothing() {
        MainWindowFixture f;
        storeFiles(f, {});
        f.services.onDialog([](QDialog& d) {
            auto& dlg = static_cast<TUserPrgmFrm&>(d);
            click(dlg.NewBt);
            dlg.ArgList->setCurrentIndex(2);
            click(dlg.BtOK);
            return dlg.result();
        });
        f.window->menus().MNU_Options_UsrPrg->trigger();
        QVERIFY(f.window->settings().UserPrograms.isEmpty());
        QCOMPARE(RegKey(f.store, "UserPrgm", false).readInt("Nb", -1), 0);
        QVERIFY(!f.window->menus().MNU_User->menuAction()->isVisible());
    }

    void cancelStoresNothingAndTheNextOpeningStartsAfresh() {
        MainWindowFixture f;
        storePrograms(f, {UserProgram{"Keep", "/bin/k", 0, 0}});
        f.services.onDialog([](QDialog& d) {
            auto& dlg = static_cast<TUserPrgmFrm&>(d);
            dlg.Nm->setText("Changed");
            click(dlg.NewBt);
            click(dlg.BtCancel);
            return dlg.result();
        });
        f.window->menus().MNU_Options_UsrPrg->trigger();
        QCOMPARE(f.window->settings().UserPrograms,
                 QVector<UserProgram>{(UserProgram{"Keep", "/bin/k", 0, 0})});
        QCOMPARE(RegKey(f.store, "UserPrgm", false).readText("MnuName0"), QString("Keep"));
        QCOMPARE(RegKey(f.store, "UserPrgm", false).readInt("Nb", -1), 1);
        f.services.onDialog([](QDialog& d) {
            auto& dlg = static_cast<TUserPrgmFrm&>(d);
            [&] { QCOMPARE(lines(dlg.UserList), QStringList{"Keep"}); }();
            return int(QDialog::Rejected);
        });
        f.window->menus().MNU_Options_UsrPrg->trigger();
        QVERIFY(!f.window->build().userMenu().userPrgmFrm()->Nm->isEnabled());
    }

    void missingKeyKeepsTheOldMenu() {
        MainWindowFixture f;
        storePrograms(f, {UserProgram{"Old", "/bin/o", 0, 0}});
        f.store.deleteKey("UserPrgm");
        f.services.onDialog([](QDialog& d) {
            auto& dlg = static_cast<TUserPrgmFrm&>(d);
            dlg.Nm->setText("New");
            click(dlg.BtOK);
            return dlg.result();
        });
        f.window->menus().MNU_Options_UsrPrg->trigger();
        QCOMPARE(f.window->settings().UserPrograms[0].MnuName, QString("New"));
        QCOMPARE(menuCaptions(*f.window), QStringList{"Old"});
    }

    void filesDialogEditsBrowsesAndStores() {
        MainWindowFixture f;
        storeFiles(f, {UserFile{"/a/first.asm", "First"}, UserFile{"/a/second.h", "Second"}});
        const QString picked = f.path("picked.txt");
        f.services.answerOpen(picked);
        f.services.onDialog([](QDialog& d) {
            auto& dlg = static_cast<TUserFileFrm&>(d);
            [&] {
                QCOMPARE(dlg.ShortName->text(), QString("First"));
                QCOMPARE(dlg.FileName->text(), QString("/a/first.asm"));
                // Each box says what it holds.
                QCOMPARE(dlg.FileNameLbl->buddy(), dlg.FileName);
                QCOMPARE(dlg.ShortNameLbl->buddy(), dlg.ShortName);
                QVERIFY(dlg.FileNameLbl->isEnabled());
            }();
            click(dlg.Del); // the first of two
            [&] {
                QVERIFY(!dlg.FileNameLbl->isEnabled());
                QVERIFY(!dlg.ShortNameLbl->isEnabled());
            }();
            dlg.FileList->setCurrentRow(0);
            [&] { QCOMPARE(dlg.FileName->text(), QString("/a/second.h")); }();
            click(dlg.New);
            QTest::keyClicks(dlg.ShortName, "Notes");
            click(dlg.BrowseBt);
            click(dlg.OKBt);
            return dlg.result();
        });
        f.window->menus().MNU_Options_UsrFile->trigger();
        QCOMPARE(f.services.openRequests.size(), 1);
        QCOMPARE(f.services.openRequests[0].title, QString("User Files"));
        QCOMPARE(f.services.openRequests[0].filter,
                 QString("Quaro files (*.asm;*.h)|*.asm;*.h|Text Files (*.txt;*.doc)|*.txt;*.doc|"
                         "All Files (*.*)|*.*"));
        QVERIFY(f.services.openRequests[0].initialName.isEmpty());
        const QVector<UserFile> expected{UserFile{"/a/second.h", "Second"},
                                         UserFile{picked, "Notes"}};
        QCOMPARE(f.window->settings().UserFiles, expected);
        RegKey key(f.store, "UserFiles", false);
        QCOMPARE(key.readInt("Nb", -1), 2);
        QCOMPARE(key.readText("FileName1"), picked);
        QCOMPARE(key.readText("ShortName1"), QString("Notes"));
        QCOMPARE(menuCaptions(*f.window), QStringList({"Second", "Notes"}));
    }

    void filesDialogLimitAndLoneBlankEntry() {
        MainWindowFixture f;
        f.services.expectMessage(MsgResult::Ok);
        f.services.onDialog([](QDialog& d) {
            auto& dlg = static_cast<TUserFileFrm&>(d);
            for (int i = 0; i < 10; ++i) {
                click(dlg.New);
                dlg.FileName->setText(QStringLiteral("/f%1").arg(i));
            }
            click(dlg.New);
            [&] { QCOMPARE(dlg.FileList->count(), 10); }();
            return int(QDialog::Rejected);
        });
        f.window->menus().MNU_Options_UsrFile->trigger();
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].text, QString("Cannot create more user files"));
        QVERIFY(f.window->settings().UserFiles.isEmpty());

        f.services.onDialog([](QDialog& d) {
            auto& dlg = static_cast<TUserFileFrm&>(d);
            click(dlg.New);
            click(dlg.OKBt);
            return dlg.result();
        });
        f.window->menus().MNU_Options_UsrFile->trigger();
        QCOMPARE(RegKey(f.store, "UserFiles", false).readInt("Nb", -1), 0);
    }

    void browseForAProgramUsesItsFilterAndTitle() {
        MainWindowFixture f;
        f.services.answerOpen(QString("/usr/bin/tool"));
        f.services.onDialog([](QDialog& d) {
            auto& dlg = static_cast<TUserPrgmFrm&>(d);
            click(dlg.NewBt);
            click(dlg.BrowseBt);
            click(dlg.BtOK);
            return dlg.result();
        });
        f.window->menus().MNU_Options_UsrPrg->trigger();
        QCOMPARE(f.services.openRequests.size(), 1);
        QCOMPARE(f.services.openRequests[0].title, QString("User Program"));
        QCOMPARE(
            f.services.openRequests[0].filter,
            QString("Program files (*.exe;*.com;*.bat)|*.exe;*.com;*.bat|All Files (*.*)|*.*"));
        // A command without a name is not the blank entry: it is kept.
        QCOMPARE(f.window->settings().UserPrograms,
                 QVector<UserProgram>{(UserProgram{"", "/usr/bin/tool", 0, 0})});
    }

    void programPickedInAFolderWithABlankRuns_data() {
        QTest::addColumn<bool>("storedByBrowse");
        // Browse stores a command that splits back into the program; an entry
        // stored earlier holds the bare path, which must run all the same.
        QTest::newRow("picked with Browse") << true;
        QTest::newRow("bare path stored before") << false;
    }
    void programPickedInAFolderWithABlankRuns() {
        QFETCH(bool, storedByBrowse);
        MainWindowFixture f;
        FakeProcessStarter& starter = f.processes;
        QVERIFY(QDir().mkpath(f.path("my tools")));
        const QString program = f.writeFile("my tools/run it", "#!/bin/sh\n");
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));
        if (storedByBrowse) {
            f.services.answerOpen(program);
            f.services.onDialog([](QDialog& d) {
                auto& dlg = static_cast<TUserPrgmFrm&>(d);
                click(dlg.NewBt);
                dlg.findChild<QLineEdit*>("Nm")->setText("Run");
                click(dlg.BrowseBt);
                dlg.findChild<QComboBox*>("ArgList")->setCurrentIndex(ArgCurrentFile);
                click(dlg.BtOK);
                return dlg.result();
            });
            f.window->menus().MNU_Options_UsrPrg->trigger();
        } else {
            storePrograms(f, {UserProgram{"Run", program, 0, 2}});
        }
        QCOMPARE(f.window->settings().UserPrograms.size(), 1);
        const QString file = f.writeFile("a b.asm", "x\r\n");
        QVERIFY(f.window->documents().OpenDocument(file));
        f.window->build().userMenu().programCommands().at(0)->trigger();
        QCOMPARE(starter.starts.size(), 1);
        QCOMPARE(starter.starts[0].program, program);
        QCOMPARE(starter.starts[0].arguments, QStringList{file});
        QVERIFY(f.services.messages.isEmpty());
    }

    void runningAProgramPassesItsArgument_data() {
        QTest::addColumn<int>("arg");
        QTest::addColumn<int>("winState");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("show");
        QTest::newRow("none, fixed arguments only")
            << 0 << 0 << QStringList{"-v"} << int(ShowState::Normal);
        QTest::newRow("current file, minimised")
            << 2 << 1 << QStringList{"-v", "@FILE"} << int(ShowState::Minimized);
        QTest::newRow("92p file, maximised")
            << 3 << 2 << QStringList{"-v", "@92P"} << int(ShowState::Maximized);
        QTest::newRow("selection") << 4 << 0 << QStringList{"-v", "b c"} << int(ShowState::Normal);
        QTest::newRow("stored state 7 is normal")
            << 0 << 7 << QStringList{"-v"} << int(ShowState::Normal);
    }
    void runningAProgramPassesItsArgument() {
        QFETCH(int, arg);
        QFETCH(int, winState);
        QFETCH(QStringList, arguments);
        QFETCH(int, show);
        MainWindowFixture f;
        FakeProcessStarter& starter = f.processes;
        const QString file = f.writeFile("my game.asm", "a b c\r\n");
        QVERIFY(f.window->documents().OpenDocument(file));
        f.window->editor().setSelection(2, 3);
        storePrograms(f, {UserProgram{"Tool", "\"/opt/a tool/run\" -v", winState, arg}});
        f.window->build().userMenu().programCommands().at(0)->trigger();
        arguments.replaceInStrings("@FILE", file).replaceInStrings("@92P", f.path("my game.92p"));
        QCOMPARE(starter.starts, QList<FakeProcessStarter::Start>{(FakeProcessStarter::Start{
                                     "/opt/a tool/run", arguments, "", ShowState(show), false})});
        QVERIFY(f.services.messages.isEmpty());
    }

    void inlineArgumentPromptsAndCancelRunsNothing() {
        MainWindowFixture f;
        FakeProcessStarter& starter = f.processes;
        storePrograms(f, {UserProgram{"Tool", "/bin/tool", 0, 1}});
        QAction* command = f.window->build().userMenu().programCommands().at(0);
        f.services.onDialog([](QDialog& d) {
            auto& input = static_cast<TInputFrm&>(d);
            [&] { QCOMPARE(input.windowTitle(), QString("Inline Argument")); }();
            QTest::keyClicks(input.Txt, "x;y");
            return int(QDialog::Rejected);
        });
        command->trigger();
        QVERIFY(starter.starts.isEmpty());
        QVERIFY(f.services.messages.isEmpty());
        // Opens with the previous text; any characters are accepted.
        f.services.onDialog([](QDialog& d) {
            auto& input = static_cast<TInputFrm&>(d);
            [&] { QCOMPARE(input.text(), QString("x;y")); }();
            input.Txt->end(false);
            QTest::keyClicks(input.Txt, " 12");
            return int(QDialog::Accepted);
        });
        command->trigger();
        QCOMPARE(starter.starts.size(), 1);
        QCOMPARE(starter.starts[0].arguments, QStringList{"x;y 12"});
        QCOMPARE(f.window->inputFrm().windowTitle(), QString("Inline Argument"));
    }

    void failedStartIsReported_data() {
        QTest::addColumn<QString>("cmdName");
        QTest::addColumn<bool>("startSucceeds");
        QTest::newRow("empty command") << "" << true;
        QTest::newRow("start refused") << "/no/such/program" << false;
    }
    void failedStartIsReported() {
        QFETCH(QString, cmdName);
        QFETCH(bool, startSucceeds);
        MainWindowFixture f;
        FakeProcessStarter& starter = f.processes;
        starter.succeeds = startSucceeds;
        storePrograms(f, {UserProgram{"Tool", cmdName, 0, 0}});
        f.services.expectMessage(MsgResult::Ok);
        f.window->build().userMenu().programCommands().at(0)->trigger();
        QCOMPARE(f.services.messages,
                 QList<Message>{(Message{"Error when trying to run the file", "Error",
                                         MsgIcon::Error, MsgButtons::Ok})});
    }

    void userFileOpensOrSwitchesToItsTab() {
        MainWindowFixture f;
        const QString a = f.writeFile("a.asm", "a\r\n");
        const QString b = f.writeFile("b.txt", "b\r\n");
        QVERIFY(f.window->documents().OpenDocument(a));
        QVERIFY(f.window->documents().OpenDocument(b));
        // The stored path is not in its cleaned form; it still names the open file.
        storeFiles(f,
                   {UserFile{f.dir.path() + "/./a.asm", "A"}, UserFile{f.path("gone.h"), "Gone"}});
        f.window->build().userMenu().fileCommands().at(0)->trigger();
        QCOMPARE(f.tabCaptions(), QStringList({"a.asm", "b.txt"}));
        QCOMPARE(f.window->documents().CurrentIndex(), 0);
        f.services.expectMessage(MsgResult::Ok);
        f.window->build().userMenu().fileCommands().at(1)->trigger();
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].caption, QString("File Error"));
        QCOMPARE(f.window->settings().UserFiles.size(), 2);
    }
};

QTEST_MAIN(TestUserMenu)
#include "tst_usermenu.moc"
