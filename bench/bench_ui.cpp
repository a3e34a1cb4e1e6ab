// In-process timings through the real windows on the offscreen platform:
// opening a 1 MB source (OpenDocument until the tree is built and the text
// painted) with the editor's colours, line numbers and current line on and
// off, switching between two open 1 MB documents, one typed character in a
// 1 MB document with its restyling and the instruction check (and, for
// comparison, without the check and with assistive
// technology on), Replace All of a word occurring 20,000
// times, and refreshing the labels window on a 1 MB source.
// Prints the median and the worst of each.
#include "SourceGen.h"
#include "core/settings/MemoryKeyStore.h"
#include "support/FakeProcessStarter.h"
#include "support/FakeShellAssociation.h"
#include "support/FakeWindowServices.h"
#include "ui/app/TPFrm.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editing/EditorFeatures.h"
#include "ui/editing/ReplaceCommand.h"
#include "ui/editing/ReplaceDialog.h"
#include "ui/editor/EditorAccess.h"
#include "ui/editor/EditorAppearance.h"
#include "ui/tools/TLblWinFrm.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <Qsci/qsciscintilla.h>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace quaredit;

namespace {

struct Figures {
    double median;
    double worst;
};

Figures measure(int runs, const std::function<void()>& before, const std::function<void()>& work) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        before();
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

void print(const char* what, Figures f, const char* target) {
    std::printf("%-46s median %8.3f ms   worst %8.3f ms   (target %s)\n", what, f.median, f.worst,
                target);
}

QString writeText(const QTemporaryDir& dir, const QString& name, const QString& text) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(text.toLatin1()) < 0)
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QString writeSource(const QTemporaryDir& dir, const QString& name) {
    bench::SourceShape shape;
    shape.size = 1'000'000;
    return writeText(dir, name, bench::generateSource(shape));
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString a = writeSource(dir, "a.asm");
    const QString b = writeSource(dir, "b.asm");

    MemoryKeyStore store;
    FakeWindowServices services;
    FakeProcessStarter processes;
    FakeShellAssociation association;
    TPFrmContext context{&store, &services, dir.path() + QLatin1Char('/'), &processes,
                         &association};
    TPFrm window(context);
    window.createDialogs();
    window.setWindowState(Qt::WindowNoState);
    window.resize(900, 650);
    window.show();
    QCoreApplication::processEvents();
    DocumentSet& docs = window.documents();
    EditorAppearance& look = window.editorFeatures().appearance();

    auto openFigures = [&] {
        return measure(
            15,
            [&] {
                docs.CloseCurrentDocument();
                QCoreApplication::processEvents();
            },
            [&] {
                docs.OpenDocument(a);
                QCoreApplication::processEvents();
            });
    };
    look.apply({false, false, false});
    const Figures plain = openFigures();
    look.apply({true, true, true});
    const Figures decorated = openFigures();
    print("open a 1 MB source, colours and numbers off", plain, "0.5 x FeatherPad");
    print("open a 1 MB source, colours and numbers on", decorated, "1.2 x off");
    std::printf("%-46s %.2f\n", "  ratio on / off (medians)", decorated.median / plain.median);

    docs.OpenDocument(b);
    QCoreApplication::processEvents();
    int next = 0;
    print("switch between two open 1 MB documents",
          measure(
              21, [&] { next = 1 - docs.CurrentIndex(); },
              [&] {
                  docs.makeCurrent(next);
                  QCoreApplication::processEvents();
              }),
          "< 2 ms");

    QsciScintilla* editor = window.editorWidget();
    editor->setFocus();
    // Then in the middle of the text, on screen: what the editor restyles at
    // the next paint is asked for at once, so that it is timed without the
    // drawing of the pixels.
    EditorAccess& access = window.editor();
    access.setSelectionStart(3);
    QCoreApplication::processEvents();
    print("one typed character at the top of a 1 MB document",
          measure(
              51, [] {}, [&] { QTest::keyClick(editor, Qt::Key_X); }),
          "< 1 ms of own work");
    const int middle = access.offsetOfLine(access.lineCount() / 2) + 3;
    access.setSelectionStart(middle);
    editor->ensureCursorVisible();
    QCoreApplication::processEvents();
    auto styleShown = [&] {
        const long top = editor->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE);
        const long shown = editor->SendScintilla(QsciScintillaBase::SCI_LINESONSCREEN);
        const long end = editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE,
                                               static_cast<unsigned long>(top + shown + 1));
        // From where the styles end, as a paint asks: an earlier start would
        // throw the styles before it away.
        const long styled = editor->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED);
        editor->SendScintilla(QsciScintillaBase::SCI_COLOURISE, static_cast<unsigned long>(styled),
                              end < 0 ? long(access.length()) : end);
    };
    look.apply({false, false, false, false});
    print("one typed character in the middle, colours off",
          measure(
              51, [] {}, [&] { QTest::keyClick(editor, Qt::Key_X); }),
          "< 1 ms of own work");
    look.apply({true, true, true, false});
    QCoreApplication::processEvents();
    print("  colours on, instruction check off, restyled",
          measure(
              51, [] {},
              [&] {
                  QTest::keyClick(editor, Qt::Key_X);
                  styleShown();
              }),
          "(for comparison)");
    look.apply({true, true, true, true});
    QCoreApplication::processEvents();
    print("one typed character in the middle, colours on",
          measure(
              51, [] {}, [&] { QTest::keyClick(editor, Qt::Key_X); }),
          "< 1 ms of own work");
    print("  the same, restyling of the screen included",
          measure(
              51, [] {},
              [&] {
                  QTest::keyClick(editor, Qt::Key_X);
                  styleShown();
              }),
          "< 1 ms of own work");
    print("  the same, painted",
          measure(
              51, [] {},
              [&] {
                  QTest::keyClick(editor, Qt::Key_X);
                  editor->viewport()->repaint();
              }),
          "(drawing included)");

    // Enter after an indented line's first tab: the new line takes the
    // indent, as it does with auto-indent on (the default).
    access.setSelectionStart(access.offsetOfLine(access.lineCount() / 2 + 1) + 1);
    QCoreApplication::processEvents();
    print("one typed line break, auto-indent on",
          measure(
              51, [] {}, [&] { QTest::keyClick(editor, Qt::Key_Return); }),
          "< 1 ms of own work");

    // Replace All, undone between runs so that each run finds every word.
    const QString words =
        writeText(dir, "words.asm", bench::generateReplaceSource(1'000'000, 20'000, "counter"));
    docs.OpenDocument(words);
    QCoreApplication::processEvents();
    ReplaceCommand& replace = window.editorFeatures().replace();
    replace.dialog().findEdit()->setText("counter");
    replace.dialog().replaceEdit()->setText("frames");
    print("Replace All of a word occurring 20,000 times",
          measure(
              7,
              [&] {
                  if (editor->isUndoAvailable())
                      editor->undo();
                  QCoreApplication::processEvents();
              },
              [&] {
                  replace.replaceAll();
                  QCoreApplication::processEvents();
              }),
          "< 100 ms");
    std::printf("%-46s %s\n", "  status", qPrintable(window.statusPanel(1)->text()));

    TLblWinFrm labels;
    const QByteArray text = window.editor().bytes();
    print("labels window refresh on a 1 MB source",
          measure(
              7, [&] { labels.setSourceText(text); },
              [&] {
                  labels.ScanLabels();
                  QCoreApplication::processEvents();
              }),
          "< 50 ms");

    // Last, since the editor keeps serving assistive technology once it has
    // been asked: what a keystroke costs when the editor reports each change
    // as it lands, as it does only while assistive technology is active.
    QAccessible::setActive(true);
    access.setSelectionStart(access.offsetOfLine(access.lineCount() / 2) + 3);
    print("one typed character in the middle, assistive technology on",
          measure(
              51, [] {}, [&] { QTest::keyClick(editor, Qt::Key_X); }),
          "(for comparison)");
    return 0;
}
