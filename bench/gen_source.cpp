// Writes a generated 68000 source of the given size, for the start-up and
// open benchmarks: gen_source <bytes> <output file>
#include "SourceGen.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool ok = false;
    const qsizetype size = args.size() == 3 ? args[1].toLongLong(&ok) : 0;
    if (!ok || size <= 0) {
        std::fprintf(stderr, "usage: gen_source <bytes> <output file>\n");
        return 2;
    }
    quaredit::bench::SourceShape shape;
    shape.size = size;
    shape.includes = int(qMax<qsizetype>(1, size / 200));
    QFile out(args[2]);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(quaredit::bench::generateSource(shape).toLatin1()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
