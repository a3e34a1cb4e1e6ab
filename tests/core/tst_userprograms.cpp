#include "core/compile/UserList.h"
#include "core/compile/UserPrograms.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace quaredit;

namespace {

UserProgram program(const QString& name, const QString& cmd, int winState = 0, int arg = 0) {
    return {name, cmd, winState, arg};
}

QVector<UserProgram> programs(int n) {
    QVector<UserProgram> list;
    for (int i = 0; i < n; ++i)
        list << program(QStringLiteral("P%1").arg(i), QStringLiteral("/bin/p%1").arg(i), i % 3,
                        i % 5);
    return list;
}

} // namespace

class TestUserPrograms : public QObject {
    Q_OBJECT

private slots:
    void the92pFileReplacesOnlyTheNamesExtension_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("upper-case extension") << "/PRG/GAME.ASM"
                                              << "/PRG/GAME.92p";
        QTest::newRow("only the last extension") << "/src/my.prog.asm"
                                                 << "/src/my.prog.92p";
        QTest::newRow("dot in a folder, none in the name") << "/my.dir/GAME"
                                                           << "/my.dir/GAME.92p";
        QTest::newRow("never-saved document") << "[Untitled]"
                                              << "[Untitled].92p";
        QTest::newRow("blanks kept") << "/home/a b/x y.asm"
                                     << "/home/a b/x y.92p";
        QTest::newRow("hidden file has its dot as extension") << "/p/.asm"
                                                              << "/p/.92p";
    }
    void the92pFileReplacesOnlyTheNamesExtension() {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        QCOMPARE(the92pFile(path), expected);
    }

    void argumentFollowsTheMode_data() {
        QTest::addColumn<int>("arg");
        QTest::addColumn<QString>("expected");
        QTest::newRow("none") << 0 << "";
        QTest::newRow("inline") << 1 << "typed";
        QTest::newRow("current file") << 2 << "/src/game.asm";
        QTest::newRow("92p file") << 3 << "/src/game.92p";
        QTest::newRow("selection") << 4 << "a\r\nb";
        QTest::newRow("unknown mode gives nothing") << 9 << "";
        QTest::newRow("negative mode gives nothing") << -1 << "";
    }
    void argumentFollowsTheMode() {
        QFETCH(int, arg);
        QFETCH(QString, expected);
        const ArgumentSources sources{"/src/game.asm", "a\r\nb", "typed"};
        QCOMPARE(userProgramArgument(arg, sources), expected);
    }

    void showStateFollowsWinState_data() {
        QTest::addColumn<int>("winState");
        QTest::addColumn<int>("expected");
        QTest::newRow("normal") << 0 << int(ShowState::Normal);
        QTest::newRow("icon") << 1 << int(ShowState::Minimized);
        QTest::newRow("maximized") << 2 << int(ShowState::Maximized);
        QTest::newRow("hand-written 7 is normal") << 7 << int(ShowState::Normal);
    }
    void showStateFollowsWinState() {
        QFETCH(int, winState);
        QFETCH(int, expected);
        QCOMPARE(int(showStateOf(winState)), expected);
    }

    void commandIsSplitWithoutAShell_data() {
        QTest::addColumn<QString>("cmdName");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QStringList>("expected"); // program first; empty: nothing to start
        QTest::newRow("plain program, no argument") << "/usr/bin/tool"
                                                    << "" << QStringList{"/usr/bin/tool"};
        QTest::newRow("fixed arguments kept")
            << "/usr/bin/tool -v --mode=x"
            << "f.asm" << QStringList{"/usr/bin/tool", "-v", "--mode=x", "f.asm"};
        QTest::newRow("quoted program path with blanks")
            << "\"/opt/my tools/run\" -q"
            << "" << QStringList{"/opt/my tools/run", "-q"};
        QTest::newRow("argument with blanks stays one argument")
            << "/bin/ed"
            << "/home/a b/c.asm" << QStringList{"/bin/ed", "/home/a b/c.asm"};
        QTest::newRow("shell syntax in the argument is plain text")
            << "/bin/echo"
            << "x\"; rm -rf ~;\n`id` $(id)"
            << QStringList{"/bin/echo", "x\"; rm -rf ~;\n`id` $(id)"};
        QTest::newRow("shell syntax in the command is not run")
            << "/bin/echo a;b"
            << "" << QStringList{"/bin/echo", "a;b"};
        QTest::newRow("empty command") << ""
                                       << "arg" << QStringList{};
        QTest::newRow("blank command") << "   "
                                       << "arg" << QStringList{};
    }
    void commandIsSplitWithoutAShell() {
        QFETCH(QString, cmdName);
        QFETCH(QString, argument);
        QFETCH(QStringList, expected);
        const auto command = userProgramCommand(cmdName, argument);
        if (expected.isEmpty()) {
            QVERIFY(!command);
            return;
        }
        QVERIFY(command);
        QCOMPARE(QStringList{command->program} + command->arguments, expected);
    }

    void aWholeProgramPathIsNotSplit_data() {
        QTest::addColumn<QString>("cmdName");
        QTest::addColumn<bool>("isProgram");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("existing program with a blank runs whole")
            << "/opt/my tools/run" << true << QStringList{"/opt/my tools/run", "x"};
        QTest::newRow("no such program: split as before")
            << "/opt/my tools/run" << false << QStringList{"/opt/my", "tools/run", "x"};
        QTest::newRow("quoted command with arguments")
            << "\"/opt/my tools/run\" -v" << false << QStringList{"/opt/my tools/run", "-v", "x"};
    }
    void aWholeProgramPathIsNotSplit() {
        QFETCH(QString, cmdName);
        QFETCH(bool, isProgram);
        QFETCH(QStringList, expected);
        const auto command = userProgramCommand(
            cmdName, "x", [&](const QString& p) { return isProgram && p == cmdName; });
        QVERIFY(command);
        QCOMPARE(QStringList{command->program} + command->arguments, expected);
    }

    void browsedProgramFileRunsAsPicked_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("stored");
        QTest::newRow("plain path kept as it is") << "/usr/bin/tool"
                                                  << "/usr/bin/tool";
        QTest::newRow("blank: quoted") << "/opt/my tools/run"
                                       << "\"/opt/my tools/run\"";
        QTest::newRow("quote inside") << "/opt/a\"b c/run"
                                      << "\"/opt/a\"\"\"b c/run\"";
    }
    void browsedProgramFileRunsAsPicked() {
        QFETCH(QString, path);
        QFETCH(QString, stored);
        QCOMPARE(commandForProgramFile(path), stored);
        // What Browse stores runs the picked file, even where it is not found.
        const auto command = userProgramCommand(stored, "", [](const QString&) { return false; });
        QVERIFY(command);
        QCOMPARE(command->program, path);
        QVERIFY(command->arguments.isEmpty());
    }

    void executableFilesAreRecognised() {
        QTemporaryDir dir;
        const QString program = dir.filePath("my tools run");
        QFile f(program);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(!isExecutableFile(program));
        QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        QVERIFY(isExecutableFile(program));
        QVERIFY(!isExecutableFile(dir.path()));
        QVERIFY(!isExecutableFile(dir.filePath("missing")));
    }

    void newAddsABlankEntryUntilTheListIsFull() {
        UserProgramList list(programs(9));
        QCOMPARE(list.addNew(), UserProgramList::NewResult::Added);
        QCOMPARE(list.count(), 10);
        QCOMPARE(list.selected(), 9);
        QCOMPARE(list.entries()[9], UserProgram{});
        list.selectedEntry()->MnuName = "tenth";
        QCOMPARE(list.addNew(), UserProgramList::NewResult::ListFull);
        QCOMPARE(list.count(), 10);
        QCOMPARE(list.entries()[9].MnuName, QString("tenth"));
    }

    void newOnABlankSelectedEntryAddsNothing() {
        UserProgramList list;
        QVERIFY(!list.fieldsEnabled());
        QCOMPARE(list.addNew(), UserProgramList::NewResult::Added);
        QVERIFY(list.fieldsEnabled());
        // A mode or window state alone does not make the entry non-blank.
        list.selectedEntry()->Arg = 3;
        QCOMPARE(list.addNew(), UserProgramList::NewResult::BlankAlreadyEdited);
        QCOMPARE(list.count(), 1);
        list.selectedEntry()->CmdName = "/bin/x";
        QCOMPARE(list.addNew(), UserProgramList::NewResult::Added);
        QCOMPARE(list.count(), 2);
    }

    void newAfterDeleteAddsEvenBesideABlankEntry() {
        UserFileList list({UserFile{}, UserFile{"/a", "A"}});
        list.select(1);
        QVERIFY(list.deleteSelected());
        QVERIFY(!list.fieldsEnabled());
        QCOMPARE(list.addNew(), UserFileList::NewResult::Added);
        QCOMPARE(list.count(), 2);
    }

    void deletingKeepsTheFieldsTogether() {
        UserProgramList list({program("one", "/bin/1", 0, 1), program("two", "/bin/2", 1, 2),
                              program("three", "/bin/3", 2, 4)});
        list.select(1);
        QVERIFY(list.deleteSelected());
        QCOMPARE(list.entries(), (QVector<UserProgram>{program("one", "/bin/1", 0, 1),
                                                       program("three", "/bin/3", 2, 4)}));
        QCOMPARE(list.selected(), -1);
        QVERIFY(!list.fieldsEnabled());
        QVERIFY(!list.selectedEntry());
        QVERIFY(!list.deleteSelected());
        QCOMPARE(list.count(), 2);

        UserFileList files({UserFile{"/a.asm", "A"}, UserFile{"/b.h", "B"}});
        files.select(0);
        QVERIFY(files.deleteSelected());
        QCOMPARE(files.entries(), QVector<UserFile>{(UserFile{"/b.h", "B"})});
    }

    void okDropsOnlyALoneBlankEntry_data() {
        QTest::addColumn<QVector<UserProgram>>("working");
        QTest::addColumn<int>("kept");
        QTest::newRow("lone blank entry") << QVector<UserProgram>{UserProgram{}} << 0;
        QTest::newRow("lone blank entry with a mode")
            << QVector<UserProgram>{program("", "", 2, 3)} << 0;
        QTest::newRow("lone entry with a command but no name")
            << QVector<UserProgram>{program("", "/bin/x")} << 1;
        QTest::newRow("lone entry with a name only") << QVector<UserProgram>{program("x", "")} << 1;
        QTest::newRow("blank entry among others")
            << QVector<UserProgram>{program("a", "/bin/a"), UserProgram{}} << 2;
        QTest::newRow("empty list") << QVector<UserProgram>{} << 0;
    }
    void okDropsOnlyALoneBlankEntry() {
        QFETCH(QVector<UserProgram>, working);
        QFETCH(int, kept);
        UserProgramList list(working);
        QCOMPARE(list.accepted(), working.mid(0, kept));
    }

    void surplusOfAStoredListIsNotLoaded() {
        QVector<UserProgram> stored = programs(10);
        stored << program("eleventh", "/bin/11");
        UserProgramList list(stored);
        QCOMPARE(list.count(), 10);
        QCOMPARE(list.entries().last().MnuName, QString("P9"));
        QCOMPARE(list.addNew(), UserProgramList::NewResult::ListFull);
    }

    void loadSelectsTheFirstEntry() {
        UserFileList list({UserFile{"/a", "A"}});
        QCOMPARE(list.selected(), 0);
        QVERIFY(list.fieldsEnabled());
        list.closed();
        QVERIFY(!list.selectedEntry());
        list.load({});
        QCOMPARE(list.selected(), -1);
        QVERIFY(!list.fieldsEnabled());
    }
};

QTEST_APPLESS_MAIN(TestUserPrograms)
#include "tst_userprograms.moc"
