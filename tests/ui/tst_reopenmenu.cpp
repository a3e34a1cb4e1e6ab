#include "platform/settings/IniKeyStore.h"
#include "support/MainWindowFixture.h"
#include "ui/documents/DocumentSet.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

using namespace quaredit;

namespace {

QStringList captions(const TPFrm& w) {
    QStringList all;
    for (const QAction* item : w.menus().MNU_File_Reopen->actions())
        all << item->text();
    return all;
}

QStringList numbered(const QStringList& paths) {
    QStringList all;
    for (int i = 0; i < paths.size(); ++i)
        all << QString("&%1:%2").arg(i + 1).arg(paths[i]);
    return all;
}

// The recent files as the settings store holds them.
QStringList stored(const KeyStore& store) {
    QStringList all;
    const int nb = store.readInt("OldFiles", "Nb").value_or(-1);
    for (int i = 0; i < nb; ++i)
        all << store.readText("OldFiles", QString("Name%1").arg(i)).value_or("<missing>");
    return all;
}

// File > Open File, answering the file dialog with `path`.
void openThroughDialog(MainWindowFixture& f, const QString& path) {
    f.services.answerOpen(path);
    f.window->menus().MNU_File_OpenFile->trigger();
}

// Writes each named file and opens it in turn; returns their paths.
QStringList createAndOpen(MainWindowFixture& f, const QStringList& names) {
    QStringList paths;
    for (const QString& name : names) {
        paths << f.writeFile(name, name.toLatin1() + "\r\n");
        openThroughDialog(f, paths.last());
    }
    return paths;
}

void clickReopen(TPFrm& w, int index) {
    w.menus().MNU_File_Reopen->actions().at(index)->trigger();
}

} // namespace

class TestReopenMenu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void captionsOrderAndStoredValues() {
        MainWindowFixture f;
        QMenu* reopen = f.window->menus().MNU_File_Reopen;
        QVERIFY(reopen->actions().isEmpty());
        QVERIFY(!reopen->isEnabled());

        const QStringList p = createAndOpen(f, {"a.asm", "b.asm", "c.asm"});
        const QString &a = p[0], &b = p[1], &c = p[2];
        QVERIFY(reopen->isEnabled());
        QCOMPARE(captions(*f.window), numbered({c, b, a}));
        QCOMPARE(stored(f.store), (QStringList{c, b, a}));

        // Opening a listed file again keeps one entry and moves it up.
        openThroughDialog(f, b);
        QCOMPARE(captions(*f.window), numbered({b, c, a}));

        // Reopening the last entry opens it and moves it to the top.
        clickReopen(*f.window, 2);
        QCOMPARE(f.window->documents().current().FullPath, a);
        QCOMPARE(captions(*f.window), numbered({a, b, c}));
        QCOMPARE(stored(f.store), (QStringList{a, b, c}));
        QVERIFY(f.services.messages.isEmpty());
    }

    void topEntryChangesAndWritesNothing() {
        MainWindowFixture f;
        const QStringList p = createAndOpen(f, {"a.asm", "b.asm"});
        const QString &a = p[0], &b = p[1];
        f.window->documents().makeCurrent(0);
        // A value the program would overwrite if it wrote the list again.
        QVERIFY(f.store.writeText("OldFiles", "Name0", "untouched"));

        clickReopen(*f.window, 0);
        QCOMPARE(f.window->documents().current().FullPath, b);
        QCOMPARE(f.window->documents().DocumentCount(), 2);
        QCOMPARE(captions(*f.window), numbered({b, a}));
        QCOMPARE(f.store.readText("OldFiles", "Name0").value_or(QString()), QString("untouched"));
    }

    void pathsCompareExactly() {
        MainWindowFixture f;
        const QStringList p = createAndOpen(f, {"A.asm", "a.asm"});
        QCOMPARE(captions(*f.window), numbered({p[1], p[0]}));
    }

    void eleventhFilePushesTheOldestOut() {
        MainWindowFixture f;
        QStringList opened;
        for (int i = 0; i < 11; ++i) {
            opened.prepend(f.writeFile(QString("f%1.txt").arg(i), "x\r\n"));
            openThroughDialog(f, opened.first());
        }
        const QStringList newest = opened.mid(0, 10);
        QCOMPARE(captions(*f.window), numbered(newest));
        QVERIFY(captions(*f.window).last().startsWith("&10:"));
        QCOMPARE(stored(f.store), newest);
    }

    void vanishedFileIsReportedAndStillMovesUp() {
        MainWindowFixture f;
        const QStringList p = createAndOpen(f, {"a.asm", "b.asm"});
        const QString &a = p[0], &b = p[1];
        f.window->documents().makeCurrent(0);
        QVERIFY(f.window->documents().CloseCurrentDocument());
        QVERIFY(QFile::remove(a));

        clickReopen(*f.window, 1);
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].text, QString("Cannot find the file <%1>").arg(a));
        QCOMPARE(captions(*f.window), numbered({a, b}));
    }

    // The list survives in the settings file and comes back at the next start.
    void settingsFileKeepsTheList() {
        QTemporaryDir dir;
        const QString ini = dir.filePath("alpha5.ini");
        const QString a = dir.filePath("a.asm");
        const QString b = dir.filePath("b.asm");
        for (const QString& p : {a, b}) {
            QFile file(p);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x\r\n");
        }
        FakeWindowServices services;
        FakeProcessStarter processes;
        FakeShellAssociation association;
        {
            IniKeyStore store(ini);
            TPFrm window(
                TPFrmContext{&store, &services, dir.path() + "/", &processes, &association});
            services.answerOpen(a);
            window.menus().MNU_File_OpenFile->trigger();
            services.answerOpen(b);
            window.menus().MNU_File_OpenFile->trigger();
        }
        QSettings file(ini, QSettings::IniFormat);
        QCOMPARE(file.value("OldFiles/Nb").toInt(), 2);
        QCOMPARE(file.value("OldFiles/Name0").toString(), b);
        QCOMPARE(file.value("OldFiles/Name1").toString(), a);

        IniKeyStore store(ini);
        TPFrm window(TPFrmContext{&store, &services, dir.path() + "/", &processes, &association});
        QCOMPARE(captions(window), numbered({b, a}));
        QVERIFY(window.menus().MNU_File_Reopen->isEnabled());
    }
};

QTEST_MAIN(TestReopenMenu)
#include "tst_reopenmenu.moc"
