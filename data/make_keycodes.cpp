// Turns the readable key table into the binary "keycodes.lst" the editor
// reads at start-up. Run by the build: make_keycodes <table.tsv> <keycodes.lst>

#include "core/reference/KeyCodes.h"
#include "core/reference/KeyCodesSource.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>

using namespace quaredit;

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_keycodes <table.tsv> <keycodes.lst>\n");
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    QFile in(input);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(in.errorString()));
        return 1;
    }
    const KeyCodesSource source = parseKeyCodesSource(in.readAll());
    if (!source.ok()) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(source.error));
        return 1;
    }
    QSaveFile out(output);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(encodeKeyCodes(source.table)) != KeyCodesFileSize || !out.commit()) {
        std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
