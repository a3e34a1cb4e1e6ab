#include "SourceGen.h"

#include <array>

namespace quaredit::bench {

namespace {

constexpr std::array<const char*, 12> Instructions = {"move.l\td0,d1",
                                                      "lea\tbuffer(pc),a0",
                                                      "jsr\ttios::ST_helpMsg",
                                                      "addq.w\t#1,d2",
                                                      "cmp.b\t#$20,(a0)+",
                                                      "bne.s\t\\loop",
                                                      "movem.l\td3-d7/a2-a6,-(a7)",
                                                      "clr.w\t-(a7)",
                                                      "dbra\td4,\\next",
                                                      "moveq\t#0,d0",
                                                      "rts",
                                                      "bsr\tDrawSprite"};

constexpr std::array<const char*, 6> Comments = {"save the registers", "next character",
                                                 "the OS prints it",   "count the frames",
                                                 "done yet?",          "restore the stack"};

// A small linear congruential generator keeps every run identical.
struct Lcg {
    quint32 state = 12345;
    quint32 next() {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    }
};

void addLine(QString& out, const QString& line) {
    out += line;
    out += QLatin1String("\r\n");
}

} // namespace

QString generateSource(const SourceShape& shape) {
    QString out;
    out.reserve(shape.size + 256);
    Lcg rng;
    addLine(out, QStringLiteral("; Generated program for the TI-92 Plus"));
    for (int i = 0; i < shape.libraries; ++i)
        addLine(out, QStringLiteral("\tinclude \"lib%1.h\"").arg(i));
    addLine(out, QStringLiteral("\txdef _main"));
    addLine(out, QStringLiteral("\txdef _comment"));
    addLine(out, QString());

    // Spread the includes over the body by the share of text written so far.
    const qsizetype body = shape.size - out.size();
    int includesDone = 0;
    int lineNo = 0;
    const int labelEvery = shape.labels > 0 ? 0 : 8;
    int labelsDone = 0;
    const qsizetype tail = 40; // room for the closing padding line
    while (out.size() < shape.size - tail) {
        const qsizetype written = shape.size - body >= 0 ? out.size() - (shape.size - body) : 0;
        const double share = body > 0 ? double(written) / double(body) : 1.0;
        if (includesDone < shape.includes && includesDone < share * shape.includes + 1) {
            addLine(out, QStringLiteral("\tinclude \"part%1.h\"\t; section %1").arg(includesDone));
            ++includesDone;
        } else if (labelEvery
                       ? lineNo % labelEvery == 0
                       : labelsDone < shape.labels && labelsDone < share * shape.labels + 1) {
            addLine(out, QStringLiteral("label_%1:").arg(lineNo));
            ++labelsDone;
        } else if (rng.next() % 7 == 0) {
            addLine(out, QStringLiteral("; %1").arg(
                             QLatin1String(Comments[rng.next() % Comments.size()])));
        } else {
            addLine(out, QStringLiteral("\t%1\t; %2")
                             .arg(QLatin1String(Instructions[rng.next() % Instructions.size()]),
                                  QLatin1String(Comments[rng.next() % Comments.size()])));
        }
        ++lineNo;
    }
    // Pad with one comment line so that the size is exact.
    const qsizetype left = shape.size - out.size();
    if (left >= 3)
        addLine(out, QStringLiteral(";") + QString(left - 3, QLatin1Char('-')));
    return out;
}

QString generateReplaceSource(qsizetype size, int occurrences, const QString& word) {
    QString out;
    out.reserve(size + 64);
    int written = 0;
    for (int line = 0; out.size() < size - 40; ++line) {
        if (line % 16 == 0) {
            addLine(out, QStringLiteral("frame_%1:").arg(line));
        } else if (written < occurrences) {
            addLine(out, QStringLiteral("\tmove.w\t%1,d0\t; next").arg(word));
            ++written;
        } else {
            addLine(out, QStringLiteral("\tmove.w\td1,d0\t; next"));
        }
    }
    const qsizetype left = size - out.size();
    if (left >= 3)
        addLine(out, QStringLiteral(";") + QString(left - 3, QLatin1Char('-')));
    return out;
}

} // namespace quaredit::bench
