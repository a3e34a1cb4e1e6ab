#include "core/documents/TextFile.h"
#include "ui/editor/EditNotices.h"
#include "ui/editor/EditorAccess.h"

#include <QAccessible>
#include <QClipboard>
#include <QSignalSpy>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

using namespace quaredit;

class TestEditorAccess : public QObject {
    Q_OBJECT

    QsciScintilla* editor = nullptr;
    EditorAccess* access = nullptr;

    void load(const QByteArray& bytes) {
        editor->SendScintilla(QsciScintillaBase::SCI_SETTEXT, bytes.constData());
        editor->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    }

private slots:
    void init() {
        editor = new QsciScintilla;
        editor->setUtf8(false);
        access = new EditorAccess(editor);
    }
    void cleanup() {
        delete access;
        delete editor;
    }

    void typingAndPastingStopAtTheLimit() {
        // Lines of a source's length: one line of a million characters
        // would spend the test laying itself out at every keystroke.
        QByteArray start = QByteArray(98, 'x').append("\r\n").repeated(9999);
        start.append(QByteArray(MaxEditorChars - 10 - start.size(), 'x'));
        load(start);
        editor->SendScintilla(QsciScintillaBase::SCI_DOCUMENTEND);
        QTest::keyClicks(editor, "012345678");
        // A paste that does not fit whole inserts nothing.
        QGuiApplication::clipboard()->setText("pasted");
        editor->paste();
        QVERIFY(access->bytes().endsWith("x012345678"));
        QTest::keyClicks(editor, "9AB");
        QCOMPARE(access->length(), int(MaxEditorChars));
        QVERIFY(access->bytes().endsWith("x0123456789"));

        // Pasting over a selection has the room the selection leaves.
        access->setSelection(int(MaxEditorChars) - 6, 6);
        editor->paste();
        QVERIFY(access->bytes().endsWith("x0123pasted"));
        QCOMPARE(access->length(), int(MaxEditorChars));

        // Undo is never refused: it restores what was there.
        while (editor->isUndoAvailable())
            editor->undo();
        QCOMPARE(access->bytes(), start);

        // The program's own line edits are whole even at the limit.
        QTest::keyClicks(editor, "0123456789");
        QCOMPARE(access->length(), int(MaxEditorChars));
        access->insertLineBefore(0, QStringLiteral("\tinclude\t\"tios.h\""));
        QVERIFY(access->bytes().startsWith("\tinclude\t\"tios.h\"\r\nxx"));
        QCOMPARE(access->length(), int(MaxEditorChars) + 19); // the line and its line end
    }

    void everyByteSurvives() {
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all.append(char(b));
        load(all);
        QCOMPARE(access->bytes(), all);
        QCOMPARE(access->length(), 255);
        QCOMPARE(access->text(), QString::fromLatin1(all));

        // Through the line operations as well: Latin-1 in, the same bytes out.
        load("x\r\ny");
        const QString high = QString::fromLatin1("\xa9\xe9\xff\x80");
        access->replaceLine(0, high);
        access->insertLineBefore(1, high);
        QCOMPARE(access->bytes(), QByteArray("\xa9\xe9\xff\x80\r\n\xa9\xe9\xff\x80\r\ny"));
        QCOMPARE(access->line(1), high);
        access->setSelection(0, 4);
        QCOMPARE(access->selectedText(), high);
    }

    // The view is the editor's own buffer: after an edit in the middle it
    // must be read again, and then shows the whole new text in one piece.
    void viewFollowsEdits() {
        QVERIFY(access->view().isEmpty());
        load("first\r\nsecond\r\nthird");
        QCOMPARE(access->view(), QByteArrayView("first\r\nsecond\r\nthird"));
        access->insertLineBefore(1, QString::fromLatin1("caf\xe9"));
        access->replaceLine(3, "3rd");
        const QByteArray expected = "first\r\ncaf\xe9\r\nsecond\r\n3rd";
        QCOMPARE(access->view(), QByteArrayView(expected));
        QCOMPARE(access->view().size(), qsizetype(access->length()));
        access->deleteLine(0);
        QCOMPARE(access->view(), QByteArrayView(expected.mid(7)));
    }

    void linesOfEachLineEnd_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("ab\r\ncd\r\nef") << QStringList{"ab", "cd", "ef"};
        QTest::newRow("LF") << QByteArray("ab\ncd\nef") << QStringList{"ab", "cd", "ef"};
        QTest::newRow("CR") << QByteArray("ab\rcd\ref") << QStringList{"ab", "cd", "ef"};
        QTest::newRow("mixed") << QByteArray("ab\rcd\nef\r\n") << QStringList{"ab", "cd", "ef", ""};
        QTest::newRow("final line end gives an empty last line")
            << QByteArray("ab\r\n") << QStringList{"ab", ""};
        QTest::newRow("empty text has one empty line") << QByteArray() << QStringList{""};
    }
    void linesOfEachLineEnd() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, lines);
        load(text);
        QCOMPARE(access->lineCount(), lines.size());
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(access->line(i), lines[i]);
        QCOMPARE(access->line(lines.size()), QString());
        QCOMPARE(access->line(-1), QString());
    }

    void lineEditsKeepOtherLineEnds_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("expected");
        const int replace = int(LineEdit::Kind::Replace);
        const int insert = int(LineEdit::Kind::InsertBefore);
        const int remove = int(LineEdit::Kind::Delete);
        QTest::newRow("replace keeps an LF end")
            << QByteArray("a\nb\nc") << replace << 1 << QByteArray("a\nX\nc");
        QTest::newRow("replace the last line without end")
            << QByteArray("a\r\nb") << replace << 1 << QByteArray("a\r\nX");
        QTest::newRow("insert before the first line")
            << QByteArray("a\nb") << insert << 0 << QByteArray("X\r\na\nb");
        QTest::newRow("insert at the count appends a last line")
            << QByteArray("a\r\nb") << insert << 2 << QByteArray("a\r\nb\r\nX");
        QTest::newRow("append after a final line end")
            << QByteArray("a\r\n") << insert << 2 << QByteArray("a\r\n\r\nX");
        QTest::newRow("insert into an empty text")
            << QByteArray() << insert << 0 << QByteArray("X\r\n");
        QTest::newRow("delete takes the line's own end")
            << QByteArray("a\rb\rc") << remove << 1 << QByteArray("a\rc");
        QTest::newRow("delete the last line takes the end before it")
            << QByteArray("a\r\nb\r\nc") << remove << 2 << QByteArray("a\r\nb");
        QTest::newRow("delete the empty last line")
            << QByteArray("a\r\nb\r\n") << remove << 2 << QByteArray("a\r\nb");
        QTest::newRow("delete the only line empties the text")
            << QByteArray("abc") << remove << 0 << QByteArray();
        QTest::newRow("replace past the end is ignored")
            << QByteArray("a\nb") << replace << 2 << QByteArray("a\nb");
        QTest::newRow("insert past the count is ignored")
            << QByteArray("a") << insert << 2 << QByteArray("a");
        QTest::newRow("negative line is ignored")
            << QByteArray("a\nb") << remove << -1 << QByteArray("a\nb");
    }
    void lineEditsKeepOtherLineEnds() {
        QFETCH(QByteArray, text);
        QFETCH(int, kind);
        QFETCH(int, line);
        QFETCH(QByteArray, expected);
        load(text);
        switch (LineEdit::Kind(kind)) {
        case LineEdit::Kind::Replace:
            access->replaceLine(line, "X");
            break;
        case LineEdit::Kind::InsertBefore:
            access->insertLineBefore(line, "X");
            break;
        case LineEdit::Kind::Delete:
            access->deleteLine(line);
            break;
        }
        QCOMPARE(access->bytes(), expected);
    }

    void applyLineEditsIsOneUndoStep() {
        load("include \"a.h\"\r\nxdef _main\r\n_main:\r\n");
        QSignalSpy changed(&access->notices(), &EditNotices::aboutToChange);
        access->applyLineEdits({LineEdit::insertBefore(0, "include \"b.h\""),
                                LineEdit::replace(1, "include \"c.h\""), LineEdit::remove(2)});
        QCOMPARE(access->bytes(), QByteArray("include \"b.h\"\r\ninclude \"c.h\"\r\n_main:\r\n"));
        QVERIFY(!changed.isEmpty());
        QVERIFY(editor->isModified());
        editor->undo();
        QCOMPARE(access->bytes(), QByteArray("include \"a.h\"\r\nxdef _main\r\n_main:\r\n"));
        QVERIFY(!editor->isUndoAvailable());
    }

    void changesAreAnnouncedWithoutCountingFromTheStart() {
        load("first\r\nsecond\r\n");
        EditNotices& notices = access->notices();
        // The notices that make the editor count characters from the start of
        // the text are off while no assistive technology listens...
        QVERIFY(!notices.reportsEachChange());
        QSignalSpy coming(&notices, &EditNotices::aboutToChange);
        QVector<int> reported;
        const auto spy = connect(editor, &QsciScintillaBase::SCN_MODIFIED, this,
                                 [&](int, int type, const char*, int, int, int, int, int, int,
                                     int) { reported.append(type); });
        QSignalSpy landed(&notices, &EditNotices::changed);
        // ...and every kind of change is still heard: typing, deleting, a
        // paste over a selection, undo and redo.
        access->setSelectionStart(5);
        QTest::keyClicks(editor, "ab");
        QTest::keyClick(editor, Qt::Key_Backspace);
        QGuiApplication::clipboard()->setText("X");
        access->setSelection(0, 2);
        editor->paste();
        editor->undo();
        editor->redo();
        // Two typed, one deleted; the paste, its undo and its redo each delete
        // and insert.
        QCOMPARE(coming.count(), 9);
        // Once the run is over, a single notice that it has landed.
        QVERIFY(landed.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(landed.count(), 1);
        QCOMPARE(access->bytes(), QByteArray("Xrsta\r\nsecond\r\n"));
        const int asLanded =
            QsciScintillaBase::SC_MOD_INSERTTEXT | QsciScintillaBase::SC_MOD_DELETETEXT;
        for (int type : std::as_const(reported))
            QVERIFY2(!(type & asLanded), qPrintable(QString::number(type, 16)));
        disconnect(spy);

        // With assistive technology the editor reports each change again, and
        // stops when it goes.
        QAccessible::setActive(true);
        QVERIFY(notices.reportsEachChange());
        QTest::keyClicks(editor, "c");
        QCOMPARE(coming.count(), 10);
        QAccessible::setActive(false);
        QVERIFY(!notices.reportsEachChange());
    }

    void singleOperationsAreUndoable() {
        load("a\r\nb");
        access->deleteLine(0);
        QCOMPARE(access->bytes(), QByteArray("b"));
        editor->undo();
        QCOMPARE(access->bytes(), QByteArray("a\r\nb"));
    }

    void selectionAndCaret() {
        load("first\r\nsecond\r\nthird");
        access->setSelection(7, 6);
        QCOMPARE(access->selectionStart(), 7);
        QCOMPARE(access->selectionLength(), 6);
        QCOMPARE(access->caretPosition(), 13);
        QCOMPARE(access->selectedText(), QString("second"));

        // Selected backwards: the start is still the lower offset.
        access->setSelection(13, -6);
        QCOMPARE(access->selectionLength(), 0);
        editor->SendScintilla(QsciScintillaBase::SCI_SETSEL, 13ul, 7l);
        QCOMPARE(access->selectionStart(), 7);
        QCOMPARE(access->selectionLength(), 6);
        QCOMPARE(access->caretPosition(), 7);

        access->setSelectionStart(3);
        QCOMPARE(access->selectionStart(), 3);
        QCOMPARE(access->selectionLength(), 0);
        QCOMPARE(access->caretPosition(), 3);

        access->setSelectionStart(1000);
        QCOMPARE(access->caretPosition(), access->length());
        access->setSelection(-5, 2);
        QCOMPARE(access->selectionStart(), 0);
        QCOMPARE(access->selectionLength(), 2);
    }

    void offsetsAndLines_data() {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("line");
        // "ab\r\ncd\r\n" : lines start at 0, 4 and 8 (the empty last line).
        QTest::newRow("start of text") << 0 << 0;
        QTest::newRow("on the CR of the line end") << 2 << 0;
        QTest::newRow("on the LF of the line end") << 3 << 0;
        QTest::newRow("start of the second line") << 4 << 1;
        QTest::newRow("end of text is the empty last line") << 8 << 2;
        QTest::newRow("past the end clamps") << 100 << 2;
    }
    void offsetsAndLines() {
        QFETCH(int, offset);
        QFETCH(int, line);
        load("ab\r\ncd\r\n");
        QCOMPARE(access->lineOfOffset(offset), line);
        QCOMPARE(access->offsetOfLine(1), 4);
        QCOMPARE(access->offsetOfLine(2), 8);
        QCOMPARE(access->offsetOfLine(3), 8);
    }

    void scrolling() {
        QByteArray many;
        for (int i = 0; i < 200; ++i)
            many += "line\r\n";
        load(many);
        editor->resize(400, 200);
        QCOMPARE(access->firstVisibleLine(), 0);
        access->scrollLines(50);
        QCOMPARE(access->firstVisibleLine(), 50);
        access->scrollLines(-20);
        QCOMPARE(access->firstVisibleLine(), 30);
    }
};

QTEST_MAIN(TestEditorAccess)
#include "tst_editoraccess.moc"
