// The floor: the least any Qt 6 Widgets program with one QScintilla editor
// pays to show its window, optionally with a file given on the command line
// loaded into the editor (bytes as Latin-1) and named in the title. The
// start-up benchmark measures the editor against it.
#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <Qsci/qsciscintilla.h>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* editor = new QsciScintilla(&window);
    editor->setUtf8(false);
    window.setCentralWidget(editor);
    window.setWindowTitle(QStringLiteral("floor"));
    if (argc > 1) {
        QFile file(QString::fromLocal8Bit(argv[1]));
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            editor->SendScintilla(QsciScintillaBase::SCI_SETTEXT, bytes.constData());
            window.setWindowTitle(QString::fromLocal8Bit(argv[1]).section(u'/', -1));
        }
    }
    window.resize(800, 600);
    window.show();
    return app.exec();
}
