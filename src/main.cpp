#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationDisplayName(QStringLiteral("Quaro Program Editor v2.0"));
    return 0;
}
