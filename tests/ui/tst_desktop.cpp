// What a person sees of the program on a desktop: captions, icon, Latin-1
// text, drops, the Save As proposal, file names in captions, placement.
#include "core/documents/Document.h"
#include "support/MainWindowFixture.h"
#include "ui/common/ProgramArt.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editor/EditorAccess.h"
#include "ui/project/ProjectTree.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTreeWidget>
#include <Qsci/qsciscintilla.h>
#include <QtTest>
#include <qpa/qplatformwindow.h>

using namespace quaredit;

namespace {

// The caption the X11 and Wayland back ends give the window manager.
struct PlatformTitle : QPlatformWindow {
    static QString of(const QString& title) {
        return formatWindowTitle(title, QString::fromUtf8(" \u2014 "));
    }
};

const QByteArray FrenchSource = "; R\xE9glage du d\xE9lai: 5 \xB5s \xE0 20 \xB0"
                                "C \xA9 \xC9t\xE9\r\n";

long codePage(QsciScintilla* editor) {
    return long(editor->SendScintilla(QsciScintillaBase::SCI_GETCODEPAGE));
}

void dropOn(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPointF at(10, 10);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
}

} // namespace

class TestDesktop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { applyProgramIdentity(*qApp); }

    void captionsReachTheWindowManagerUnchanged() {
        MainWindowFixture f;
        QCOMPARE(PlatformTitle::of(f.window->windowTitle()),
                 QString("Quaro Program Editor v2.0 ALPHA 5"));
        const QStringList captions{"Options", "File Error", "Confirm", "Find...", "Compilation"};
        for (const QString& caption : captions)
            QCOMPARE(PlatformTitle::of(caption), caption);
        int windows = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName().endsWith(QLatin1String("Frm")) && !w->windowTitle().isEmpty()) {
                QCOMPARE(PlatformTitle::of(w->windowTitle()), w->windowTitle());
                ++windows;
            }
        }
        QVERIFY(windows >= 10);
        QCOMPARE(QGuiApplication::desktopFileName(), QString("quaredit"));
    }

    void everyWindowHasTheProgramIcon() {
        MainWindowFixture f;
        const QIcon icon = QApplication::windowIcon();
        QVERIFY(!icon.isNull());
        for (const int side : {16, 32, 48}) {
            const QImage image = icon.pixmap(side, side).toImage();
            QCOMPARE(image.size(), QSize(side, side));
            // Drawn, not blank: the corner is clear and the middle is the calculator.
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QVERIFY(qAlpha(image.pixel(side / 2, side / 2)) > 200);
        }
        QCOMPARE(f.window->windowIcon().cacheKey(), icon.cacheKey());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->windowIcon().isNull(), qPrintable(w->objectName()));
    }

    void latin1TextStaysLatin1InEveryDocument() {
        MainWindowFixture f;
        QsciScintilla* editor = f.editor();
        QCOMPARE(codePage(editor), 0L); // the first, untouched document
        const QString first = f.writeFile("first.asm", FrenchSource);
        QVERIFY(f.window->documents().OpenDocument(first)); // loaded into the first slot
        QCOMPARE(codePage(editor), 0L);
        QCOMPARE(f.window->editor().bytes(), FrenchSource);

        // Copy puts the same characters on the clipboard.
        f.window->menus().MNU_Edit_SelectAll->trigger();
        f.window->menus().MNU_Edit_Copy->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromLatin1(FrenchSource));

        const QString second = f.writeFile("second.asm", "x\r\n");
        QVERIFY(f.window->documents().OpenDocument(second));
        QCOMPARE(codePage(editor), 0L);
        f.window->menus().MNU_File_NewFile->trigger();
        QCOMPARE(f.window->documents().DocumentCount(), 3);
        QCOMPARE(codePage(editor), 0L);

        // Pasting and typing give the Latin-1 bytes.
        QGuiApplication::clipboard()->setText(QString::fromUtf8("\u00b5s \u00e0 "));
        f.window->menus().MNU_Edit_Paste->trigger();
        f.editor()->setFocus();
        QTest::sendKeyEvent(QTest::Click, f.editor(), Qt::Key_Eacute, QString(QChar(0xE9)),
                            Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Click, f.editor(), Qt::Key_Eacute, QString(QChar(0xC9)),
                            Qt::ShiftModifier);
        QCOMPARE(f.window->editor().bytes(), QByteArray("\xB5s \xE0 \xE9\xC9"));

        for (int i = 0; i < 3; ++i) {
            f.window->documents().makeCurrent(i);
            QCOMPARE(codePage(editor), 0L);
        }
        f.window->documents().makeCurrent(0);
        QCOMPARE(f.window->editor().bytes(), FrenchSource);
    }

    void filesDroppedOnTheEditorOpenInOrder() {
        MainWindowFixture f;
        const QStringList paths{f.writeFile("one.asm", "1\r\n"), f.writeFile("two.h", "2\r\n"),
                                f.writeFile("three.txt", "3\r\n")};
        dropOn(f.editor()->viewport(),
               {QUrl::fromLocalFile(paths[0]), QUrl::fromLocalFile(paths[1]),
                QUrl::fromLocalFile(paths[2])});
        QCOMPARE(f.tabCaptions(), (QStringList{"one.asm", "two.h", "three.txt"}));
        QCOMPARE(f.window->documents().CurrentIndex(), 2);
        // The files are opened, not inserted into the text.
        QCOMPARE(f.window->editor().bytes(), QByteArray("3\r\n"));
        QVERIFY(f.window->settings().RecentFiles.isEmpty());
        QVERIFY(f.services.messages.isEmpty());
    }

    void saveAsOfUntitledOffersThePreviousChoice() {
        MainWindowFixture f;
        QVERIFY(QDir().mkpath(f.path("sub")));
        f.type("a");
        f.services.answerSave(f.path("sub/first.asm"));
        f.window->menus().MNU_File_SaveAs->trigger();
        QCOMPARE(f.tabCaptions(), QStringList{"first.asm"});

        f.window->menus().MNU_File_NewFile->trigger();
        f.type("b");
        f.services.answerSave(std::nullopt);
        f.window->menus().MNU_File_SaveAs->trigger();
        const FileDialogOptions offered = f.services.saveRequests.last();
        QCOMPARE(offered.initialName, QString("first.asm"));
        QCOMPARE(QDir(offered.initialFolder).absolutePath(), QDir(f.path("sub")).absolutePath());
    }

    void fileNamesShowLiterallyInCaptions() {
        MainWindowFixture f;
        const QString path = f.writeFile("a&b.asm", "x\r\n");
        f.services.answerOpen(path);
        f.window->menus().MNU_File_OpenFile->trigger();
        // A tab caption doubles "&" to show it; the tree shows text as it is.
        QCOMPARE(f.tabCaption(0), QString("a&&b.asm"));
        QCOMPARE(f.window->projectTree().list()->topLevelItem(0)->text(0), QString("a&b.asm"));
        QCOMPARE(f.window->documents().current().ShortFileName, QString("a&b.asm"));
        f.type("y");
        QCOMPARE(f.tabCaption(0), QString("a&&b.asm*"));
        const QList<QAction*> reopen = f.window->menus().MNU_File_Reopen->actions();
        QCOMPARE(reopen.size(), 1);
        QCOMPARE(reopen[0]->text(), QString("&1:") + QString(path).replace("&", "&&"));
    }

    void refusedFileIsNotOfferedAgain_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("exists");
        QTest::newRow("NUL byte") << QByteArray("a\0b", 3) << true;
        QTest::newRow("missing") << QByteArray() << false;
    }
    void refusedFileIsNotOfferedAgain() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, exists);
        MainWindowFixture f;
        const QString path = exists ? f.writeFile("bad.asm", bytes) : f.path("none.asm");
        f.services.answerOpen(path);
        f.window->menus().MNU_File_OpenFile->trigger();
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].caption, QString("File Error"));
        QVERIFY(f.window->settings().RecentFiles.isEmpty());
        QVERIFY(!f.window->menus().MNU_File_Reopen->isEnabled());
    }

    void dialogsAreCentredOnTheScreenAtEveryOpening() {
        MainWindowFixture f;
        f.window->setGeometry(20, 30, 600, 450);
        f.window->show();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        int checked = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(w);
            if (!dialog || !dialog->objectName().endsWith(QLatin1String("Frm")) ||
                dialog->objectName() == QLatin1String("AboutFrm"))
                continue;
            QRect first;
            for (int opening = 0; opening < 3; ++opening) {
                dialog->show();
                QCoreApplication::processEvents();
                const QRect frame = dialog->frameGeometry();
                QVERIFY2(qAbs(frame.center().x() - screen.center().x()) <= 1 &&
                             qAbs(frame.center().y() - screen.center().y()) <= 1,
                         qPrintable(dialog->objectName()));
                if (opening == 0)
                    first = dialog->geometry();
                // Reopening never moves it.
                QCOMPARE(dialog->geometry(), first);
                dialog->hide();
            }
            ++checked;
        }
        QVERIFY(checked >= 10);
    }

    void pictureAndEditorLookAsDrawn() {
        MainWindowFixture f;
        auto* picture = f.window->findChild<QLabel*>("Image1");
        QVERIFY(picture);
        QVERIFY(picture->text().isEmpty());
        // Drawn at the window's first paint.
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        picture->repaint();
        QCOMPARE(picture->pixmap().deviceIndependentSize().toSize(), QSize(132, 69));
        QCOMPARE(picture->size(), QSize(132, 69));
        QCOMPARE(f.editor()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(f.editor()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QVERIFY(f.editor()->SendScintilla(QsciScintillaBase::SCI_GETMARGINLEFT) > 0);
    }

    void panelsMeetTheStatusBar_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("800 x 600") << QSize(800, 600);
        QTest::newRow("1024 x 700") << QSize(1024, 700);
    }
    void panelsMeetTheStatusBar() {
        QFETCH(QSize, size);
        MainWindowFixture f;
        f.window->resize(size);
        f.window->show();
        QCoreApplication::processEvents();
        const QWidget* work = f.window->centralWidget();
        for (const char* name : {"Fond3", "Fond4"}) {
            const auto* panel = work->findChild<QWidget*>(name);
            QCOMPARE(panel->geometry().bottom(), work->height() - 1);
        }
        QCOMPARE(work->findChild<QWidget*>("Fond4")->geometry().right(), work->width() - 1);
    }

    // Dragged (or tiled) as small as it goes, every panel still shows whole:
    // the editor with its scroll bar, the project panel with its Refresh
    // button, the picture.
    void smallestWindowShowsEveryPanel() {
        MainWindowFixture f;
        f.window->showNormal();
        f.window->resize(100, 100);
        QCoreApplication::processEvents();
        const QWidget* work = f.window->centralWidget();
        QVERIFY2(f.window->width() <= 1280 / 3 - 6, qPrintable(QString::number(f.window->width())));
        QCOMPARE(f.window->size(), f.window->minimumSizeHint().expandedTo(f.window->minimumSize()));
        const auto place = [work](const char* name) {
            const auto* w = work->findChild<QWidget*>(name);
            return QRect(w->mapTo(work, QPoint(0, 0)), w->size());
        };
        const QRect inside = work->rect();
        for (const char* name : {"Fond4", "Editor", "ProjectList", "RefreshBt", "Image1", "TabSet"})
            QVERIFY2(inside.contains(place(name)), name);
        QVERIFY(place("Editor").right() < place("Fond4").left());
        QVERIFY(place("RefreshBt").bottom() < place("Fond4").bottom());
        QVERIFY(f.editor()->verticalScrollBar()->isVisible());
        QVERIFY(place("Editor").width() >= 200);
    }
};

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
