#include "core/documents/CaretStatus.h"
#include "core/documents/RecentFiles.h"

#include <QtTest>

using namespace quaredit;

namespace {

// Line starts of a text, for the caret rule's line lookup.
struct Text {
    QString s;
    int lineOf(int offset) const { return int(s.left(offset).count(QLatin1Char('\n'))); }
    int lineStart(int line) const {
        int at = 0;
        for (int i = 0; i < line; ++i)
            at = int(s.indexOf(QLatin1Char('\n'), at)) + 1;
        return at;
    }
    int offset(int line, int column) const { return lineStart(line) + column; }
    CaretPosition status(int caret, int selStart, int selLength) const {
        return caretStatus(lineStart(lineOf(caret)), selStart, selLength,
                           [this](int o) { return lineOf(o); });
    }
};

} // namespace

class TestCaretAndRecent : public QObject {
    Q_OBJECT
private slots:
    void caretStatusFollowsTheSelectionDirection() {
        const Text t{"line one\nline two is long\nthree\nfour four\nfive\n"};
        // Line 2 column 5 to line 4 column 2 (1-based), caret at the end.
        const int from = t.offset(1, 4), to = t.offset(3, 1);
        QCOMPARE(caretStatusText(t.status(to, from, to - from)), QString("4 : 2"));
        // The same selection made backward: the caret stands at its start.
        QCOMPARE(caretStatusText(t.status(from, from, to - from)), QString("2 : 5"));
        // No selection: the caret itself.
        QCOMPARE(caretStatusText(t.status(0, 0, 0)), QString("1 : 1"));
    }
    void tabCountsAsOneColumn() {
        const Text t{"a\nb\n\txy\n"};
        const int caret = t.offset(2, 3);
        QCOMPARE(caretStatusText(t.status(caret, caret, 0)), QString("3 : 4"));
    }

    void recentFilesKeepTenNewestFirst() {
        QStringList list;
        for (int i = 0; i < 11; ++i)
            QVERIFY(addRecentFile(list, QString("/f%1.asm").arg(i)));
        QCOMPARE(list.size(), 10);
        QCOMPARE(list.first(), QString("/f10.asm"));
        QVERIFY(!list.contains("/f0.asm"));
    }
    void entryAlreadyOnTopChangesNothing() {
        QStringList list{"/a.asm", "/b.asm"};
        QVERIFY(!addRecentFile(list, "/a.asm"));
        QCOMPARE(list, QStringList({"/a.asm", "/b.asm"}));
    }
    void laterEntryMovesToTopAndComparisonIsExact() {
        QStringList list{"/a.asm", "/b.asm", "/c.asm"};
        QVERIFY(addRecentFile(list, "/c.asm"));
        QCOMPARE(list, QStringList({"/c.asm", "/a.asm", "/b.asm"}));
        QVERIFY(addRecentFile(list, "/A.asm"));
        QCOMPARE(list.size(), 4);
    }
    void captionsNumberFromOne() {
        QCOMPARE(recentFileCaption(0, "/p/game.asm"), QString("&1:/p/game.asm"));
        QCOMPARE(recentFileCaption(9, "/x"), QString("&10:/x"));
        // The path shows literally: only the number is an access key.
        QCOMPARE(recentFileCaption(0, "/p/R&D/a&b.asm"), QString("&1:/p/R&&D/a&&b.asm"));
    }
};

QTEST_APPLESS_MAIN(TestCaretAndRecent)
#include "tst_caretrecent.moc"
