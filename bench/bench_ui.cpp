// In-process timings through the real windows on the offscreen platform:
// opening a 1 MB source (OpenDocument until the tree is built and the text
// painted), switching between two open 1 MB documents, one typed character
// in a 1 MB document, and refreshing the labels window on a 1 MB source.
// Prints the median and the worst of each.
#include "SourceGen.h"
#include "support/FakeWindowServices.h"
#include "core/settings/MemoryKeyStore.h"
#include "ui/app/TPFrm.h"
#include "ui/documents/DocumentSet.h"
#include "ui/documents/EditorAccess.h"
#include "ui/tools/TLblWinFrm.h"

#include <Qsci/qsciscintilla.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
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

QString writeSource(const QTemporaryDir& dir, const QString& name) {
    bench::SourceShape shape;
    shape.size = 1'000'000;
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bench::generateSource(shape).toLatin1()) < 0)
        qFatal("cannot write %s", qPrintable(path));
    return path;
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
    TPFrmContext context{&store, &services, dir.path() + QLatin1Char('/')};
    TPFrm window(context);
    window.createDialogs();
    window.setWindowState(Qt::WindowNoState);
    window.resize(900, 650);
    window.show();
    QCoreApplication::processEvents();
    DocumentSet& docs = window.documents();

    print("open a 1 MB source (text shown, tree built)",
          measure(
              7, [&] { docs.CloseCurrentDocument(); QCoreApplication::processEvents(); },
              [&] {
                  docs.OpenDocument(a);
                  QCoreApplication::processEvents();
              }),
          "0.5 x FeatherPad");

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
    print("one typed character in a 1 MB document",
          measure(
              51, [] {}, [&] { QTest::keyClick(editor, Qt::Key_X); }),
          "< 1 ms of own work");

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
    return 0;
}
