#include "core/asm/AsmTokenizer.h"
#include "core/asm/EditorColours.h"
#include "core/settings/KeyStore.h"
#include "support/MainWindowFixture.h"
#include "ui/documents/DocumentSet.h"
#include "ui/editing/EditorFeatures.h"
#include "ui/editing/LabelJumps.h"
#include "ui/editing/ReplaceCommand.h"
#include "ui/editing/ReplaceDialog.h"
#include "ui/editor/AsmLexer.h"
#include "ui/editor/EditorAccess.h"
#include "ui/editor/EditorAppearance.h"
#include "ui/editor/EditorMarkers.h"
#include "ui/settings/TOptionsFrm.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

using namespace quaredit;

namespace {

using Message = FakeWindowServices::Message;

// A program whose definition of DrawSprite lies far below its use, out of
// the first screen.
QByteArray program() {
    QByteArray text = "; Sprite demo\r\n"
                      "\txdef\t_main\r\n"
                      "_main:\r\n"
                      "\tmove.l\t#$FF,d0\t; colour\r\n"
                      "\tbsr\tDrawSprite\r\n"
                      "\tjsr\ttios::DrawStr\r\n"
                      "\trts\r\n";
    for (int i = 0; i < 200; ++i)
        text += "\tnop\r\n";
    text += "DrawSprite:\r\n" // line 207
            "\tmoveq\t#0,d1\r\n"
            "\trts\r\n";
    return text;
}
constexpr int DrawSpriteLine = 207;

// Paints the editor now, which is when it asks for styles.
void paint(MainWindowFixture& f) {
    QCoreApplication::processEvents();
    f.editor()->viewport()->repaint();
}

AsmClass styleAt(MainWindowFixture& f, qsizetype offset) {
    return AsmClass(f.editor()->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, int(offset)) &
                    0x1f);
}

qsizetype offsetOf(MainWindowFixture& f, const char* text, int from = 0) {
    return f.window->editor().bytes().indexOf(text, from);
}

EditorAppearance& appearance(MainWindowFixture& f) {
    return f.window->editorFeatures().appearance();
}

// Scintilla keeps colours as 0xBBGGRR.
long scintillaColour(Rgb rgb) {
    return long(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

long styleGet(MainWindowFixture& f, int message, int style) {
    return long(f.editor()->SendScintilla(message, style));
}

// A new application palette, as a theme switch brings it. A running
// application tells every widget; a test's, outside its event loop, does
// not, so the test tells them as it would.
void switchTheme(const QPalette& palette) {
    QApplication::setPalette(palette);
    QEvent changed(QEvent::ApplicationPaletteChange);
    for (QWidget* w : QApplication::allWidgets())
        QCoreApplication::sendEvent(w, &changed);
}

// A dark theme's palette, as qt6ct's "darker" scheme or GTK's dark style give.
QPalette darkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::Base, QColor(0x2E, 0x2F, 0x30));
    dark.setColor(QPalette::Text, QColor(0xE0, 0xE0, 0xE0));
    dark.setColor(QPalette::WindowText, QColor(0xE0, 0xE0, 0xE0));
    return dark;
}

int marginWidth(MainWindowFixture& f) {
    return f.editor()->marginWidth(0);
}

void openProgram(MainWindowFixture& f, const QString& name = "demo.asm",
                 const QByteArray& text = program()) {
    QVERIFY(f.window->documents().OpenDocument(f.writeFile(name, text)));
    paint(f);
}

QString status(MainWindowFixture& f) {
    return f.window->statusPanel(1)->text();
}

} // namespace

class TestEditorFeatures : public QObject {
    Q_OBJECT

    ReplaceDialog& replaceBox(MainWindowFixture& f) {
        return f.window->editorFeatures().replace().dialog();
    }
    void fillReplace(MainWindowFixture& f, const QString& find, const QString& with,
                     bool wholeWord = false, bool matchCase = false) {
        f.window->menus().MNU_Edit_Replace->trigger();
        ReplaceDialog& box = replaceBox(f);
        box.findEdit()->setText(find);
        box.replaceEdit()->setText(with);
        box.wholeWordBox()->setChecked(wholeWord);
        box.matchCaseBox()->setChecked(matchCase);
    }

private slots:
    void stylesAfterOpeningOnlyWhatIsShown() {
        MainWindowFixture f;
        openProgram(f);
        QVERIFY(appearance(f).coloursActive());
        QCOMPARE(styleAt(f, 0), AsmClass::Comment);
        QCOMPARE(styleAt(f, offsetOf(f, "_main:")), AsmClass::Label);
        QCOMPARE(styleAt(f, offsetOf(f, "move.l") + 5), AsmClass::Mnemonic);
        QCOMPARE(styleAt(f, offsetOf(f, "$FF")), AsmClass::Number);
        QCOMPARE(styleAt(f, offsetOf(f, "tios::")), AsmClass::LibraryCall);
        // The editor asked for the first screen, not for the whole text.
        const long styled = f.editor()->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED);
        QVERIFY2(styled < offsetOf(f, "DrawSprite:"), qPrintable(QString::number(styled)));
    }

    void typingInTheMiddleOfALineRestyles() {
        MainWindowFixture f;
        openProgram(f, "t.asm", "\tmov.l\td0,d1\r\n\tnop\r\n");
        QCOMPARE(styleAt(f, 1), AsmClass::Default); // "mov" is no instruction
        f.window->editor().setSelectionStart(4);    // after "mov"
        f.type("e");
        paint(f);
        QCOMPARE(f.window->editor().line(0), QString("\tmove.l\td0,d1"));
        QCOMPARE(styleAt(f, 1), AsmClass::Mnemonic);
        QCOMPARE(styleAt(f, 6), AsmClass::Mnemonic); // the size
        QCOMPARE(styleAt(f, 8), AsmClass::Register);
    }

    void typingEndTurnsTheRestIntoComment() {
        MainWindowFixture f;
        openProgram(f, "t.asm", "\tnop\r\n\n\tmove.l\td0,d1\r\n");
        f.window->editor().setSelectionStart(6);
        f.type("\tend");
        paint(f);
        QCOMPARE(styleAt(f, offsetOf(f, "move")), AsmClass::Comment);
        f.editor()->undo();
        f.editor()->undo();
        f.editor()->undo();
        f.editor()->undo();
        paint(f);
        QCOMPARE(styleAt(f, offsetOf(f, "move")), AsmClass::Mnemonic);
    }

    void stylesSurviveATabSwitchAndTextFilesArePlain() {
        MainWindowFixture f;
        openProgram(f, "a.asm");
        openProgram(f, "notes.txt", "\tmove.l d0,d1 ; not a program\r\n");
        QCOMPARE(styleAt(f, 1), AsmClass::Default);
        QCOMPARE(styleAt(f, 15), AsmClass::Default);
        f.window->documents().makeCurrent(0);
        paint(f);
        QCOMPARE(styleAt(f, offsetOf(f, "_main:")), AsmClass::Label);
        QCOMPARE(styleAt(f, offsetOf(f, "bsr")), AsmClass::Mnemonic);
        f.window->documents().makeCurrent(1);
        paint(f);
        QCOMPARE(styleAt(f, 1), AsmClass::Default);
    }

    void coloursOffLeavesThePlainEditor() {
        MainWindowFixture f;
        openProgram(f);
        const QFont font = f.editor()->font();
        appearance(f).apply({false, true, true});
        paint(f);
        QVERIFY(!f.editor()->lexer());
        QCOMPARE(styleAt(f, offsetOf(f, "bsr")), AsmClass::Default);
        QCOMPARE(f.editor()->SendScintilla(QsciScintillaBase::SCI_STYLEGETSIZE, 0),
                 long(font.pointSize()));
        // A document that was coloured while hidden is shown plain too.
        openProgram(f, "b.asm");
        appearance(f).apply({true, true, true});
        f.window->documents().makeCurrent(0);
        paint(f);
        QCOMPARE(styleAt(f, offsetOf(f, "bsr")), AsmClass::Mnemonic);
        appearance(f).apply({false, true, true});
        f.window->documents().makeCurrent(1);
        paint(f);
        QCOMPARE(styleAt(f, offsetOf(f, "bsr")), AsmClass::Default);
    }

    void lineNumberMarginFollowsTheLineCount() {
        MainWindowFixture f;
        auto text = [](int lines) {
            QByteArray t;
            for (int i = 0; i < lines - 1; ++i)
                t += "\tnop\r\n";
            return t + "\trts";
        };
        openProgram(f, "nine.asm", text(9));
        const int nine = marginWidth(f);
        openProgram(f, "many.asm", text(99'999));
        QCOMPARE(f.editor()->lines(), 99'999);
        const int many = marginWidth(f);
        // Advances need not be whole pixels: five digits are measured as five.
        const auto width = [&](const char* digits) {
            return f.editor()->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH,
                                             uintptr_t(QsciScintillaBase::STYLE_LINENUMBER),
                                             digits);
        };
        QVERIFY(width("9") > 0);
        QCOMPARE(many - nine, width("99999") - width("9"));
        // Back to the short document, the margin narrows again.
        f.window->documents().makeCurrent(0);
        QCOMPARE(marginWidth(f), nine);
        // Typed lines widen it as they pass a power of ten.
        f.window->editor().setSelectionStart(0);
        f.type("\r\r");
        // Measured once the edits have landed, before they are painted.
        QCoreApplication::processEvents();
        QCOMPARE(marginWidth(f), nine + width("99") - width("9"));
        appearance(f).apply({true, false, true});
        QCOMPARE(marginWidth(f), 0);
    }

    // The colour set follows the option, and for "Follow the desktop" the
    // palette, also when the theme changes while the editor runs; text,
    // syntax classes, margin and current line all take it, with the syntax
    // colours on or off.
    void coloursFollowTheSchemeAndTheDesktop_data() {
        QTest::addColumn<int>("scheme");
        QTest::addColumn<bool>("darkDesktop");
        QTest::addColumn<bool>("syntax");
        QTest::addColumn<bool>("dark");
        QTest::newRow("follow, light desktop") << 0 << false << true << false;
        QTest::newRow("follow, dark desktop") << 0 << true << true << true;
        QTest::newRow("follow, dark desktop, colours off") << 0 << true << false << true;
        QTest::newRow("light on a dark desktop") << 1 << true << true << false;
        QTest::newRow("dark on a light desktop") << 2 << false << true << true;
        QTest::newRow("dark, colours off") << 2 << false << false << true;
    }
    void coloursFollowTheSchemeAndTheDesktop() {
        QFETCH(int, scheme);
        QFETCH(bool, darkDesktop);
        QFETCH(bool, syntax);
        QFETCH(bool, dark);
        const QPalette light = QApplication::palette();
        MainWindowFixture f;
        openProgram(f);
        if (darkDesktop)
            QApplication::setPalette(darkPalette());
        appearance(f).apply({syntax, true, true, scheme});
        paint(f);
        const EditorColours& c = editorColours(dark);
        QCOMPARE(&appearance(f).colours(), &c);
        // Without colours the whole text is in the first style.
        const int textStyle = syntax ? int(AsmClass::Mnemonic) : 0;
        const Rgb textColour = syntax ? c.syntax[size_t(AsmClass::Mnemonic)] : c.text;
        QCOMPARE(styleGet(f, QsciScintillaBase::SCI_STYLEGETBACK, textStyle),
                 scintillaColour(c.paper));
        QCOMPARE(styleGet(f, QsciScintillaBase::SCI_STYLEGETFORE, textStyle),
                 scintillaColour(textColour));
        // Past the ends of the lines.
        QCOMPARE(styleGet(f, QsciScintillaBase::SCI_STYLEGETBACK, QsciScintillaBase::STYLE_DEFAULT),
                 scintillaColour(c.paper));
        QCOMPARE(
            styleGet(f, QsciScintillaBase::SCI_STYLEGETBACK, QsciScintillaBase::STYLE_LINENUMBER),
            scintillaColour(c.marginPaper));
        QCOMPARE(long(f.editor()->SendScintilla(QsciScintillaBase::SCI_GETCARETLINEBACK)),
                 scintillaColour(c.currentLine));
        QCOMPARE(long(f.editor()->SendScintilla(QsciScintillaBase::SCI_GETCARETFORE)),
                 scintillaColour(c.caret));
        // The instruction check's squiggle takes the set's colours too.
        QCOMPARE(long(f.editor()->SendScintilla(QsciScintillaBase::SCI_INDICGETFORE,
                                                markers::InstructionIndicator)),
                 scintillaColour(markers::markerColours(dark).fault.rgb() & 0xFFFFFF));

        // The desktop switches its theme while the editor runs.
        switchTheme(darkDesktop ? light : darkPalette());
        const bool nowDark = scheme == 0 ? !darkDesktop : dark;
        const EditorColours& after = editorColours(nowDark);
        QCOMPARE(&appearance(f).colours(), &after);
        QCOMPARE(styleGet(f, QsciScintillaBase::SCI_STYLEGETBACK, textStyle),
                 scintillaColour(after.paper));
        QCOMPARE(
            styleGet(f, QsciScintillaBase::SCI_STYLEGETBACK, QsciScintillaBase::STYLE_LINENUMBER),
            scintillaColour(after.marginPaper));
        QApplication::setPalette(light);
    }

    void currentLineFollowsTheOption() {
        MainWindowFixture f;
        QVERIFY(f.editor()->SendScintilla(QsciScintillaBase::SCI_GETCARETLINEVISIBLE));
        appearance(f).apply({true, true, false});
        QVERIFY(!f.editor()->SendScintilla(QsciScintillaBase::SCI_GETCARETLINEVISIBLE));
    }

    void optionsAreStoredAndApplied() {
        MainWindowFixture f;
        openProgram(f);
        f.services.onDialog([](QDialog& d) {
            for (const char* name : {"SyntaxOpt", "LineNumOpt", "CurLineOpt"}) {
                auto* box = d.findChild<QCheckBox*>(name);
                if (!box || !box->isChecked())
                    return int(QDialog::Rejected); // every box starts ticked
                box->setChecked(false);
            }
            QTest::mouseClick(d.findChild<QPushButton*>("OkBt"), Qt::LeftButton);
            return d.result();
        });
        f.window->menus().MNU_Options_General->trigger();
        RegKey options(f.store, "Options", false);
        QCOMPARE(options.readInt("SyntaxColours", -1), 0);
        QCOMPARE(options.readInt("LineNumbers", -1), 0);
        QCOMPARE(options.readInt("CurrentLine", -1), 0);
        QVERIFY(!f.editor()->lexer());
        QCOMPARE(marginWidth(f), 0);
        QVERIFY(!f.editor()->SendScintilla(QsciScintillaBase::SCI_GETCARETLINEVISIBLE));
    }

    void replaceAllIsOneUndoStep() {
        MainWindowFixture f;
        const QByteArray text = "\tmove.l\td0,d1\r\n\tadd.w\tD0,d2\r\n\ttst.l\td01\r\n";
        openProgram(f, "r.asm", text);
        f.window->editor().setSelectionStart(int(text.indexOf("add")));
        fillReplace(f, "d0", "d7", true);
        QTest::mouseClick(replaceBox(f).replaceAllButton(), Qt::LeftButton);
        QCOMPARE(f.window->editor().bytes(),
                 QByteArray("\tmove.l\td7,d1\r\n\tadd.w\td7,d2\r\n\ttst.l\td01\r\n"));
        QCOMPARE(status(f), QString("2 occurrences replaced"));
        QVERIFY(f.window->documents().current().Modified);
        // The caret stays on its line.
        QCOMPARE(f.window->editor().lineOfOffset(f.window->editor().caretPosition()), 1);
        f.editor()->undo();
        QCOMPARE(f.window->editor().bytes(), text);
        QVERIFY(!f.editor()->isUndoAvailable());
    }

    void replaceAllPastTheLimitReplacesNothing() {
        MainWindowFixture f;
        QByteArray text;
        while (text.size() < 600'000)
            text += "\tnop\r\n";
        openProgram(f, "big.asm", text);
        fillReplace(f, "nop", "nop\tnop\tnop");
        f.services.expectMessage(MsgResult::Ok);
        QTest::mouseClick(replaceBox(f).replaceAllButton(), Qt::LeftButton);
        QCOMPARE(f.services.messages.size(), 1);
        QVERIFY(f.services.messages[0].text.contains("1000000"));
        QCOMPARE(f.window->editor().length(), int(text.size()));
    }

    void replaceTakesTheSelectedMatchThenSelectsTheNext() {
        MainWindowFixture f;
        openProgram(f, "r.asm", "a d0 b d0 c d0\r\n");
        fillReplace(f, "d0", "d3");
        ReplaceDialog& box = replaceBox(f);
        // Nothing selected yet: the first press only finds.
        QTest::mouseClick(box.replaceButton(), Qt::LeftButton);
        QCOMPARE(f.window->editor().selectedText(), QString("d0"));
        QCOMPARE(f.window->editor().selectionStart(), 2);
        QTest::mouseClick(box.replaceButton(), Qt::LeftButton);
        QCOMPARE(f.window->editor().line(0), QString("a d3 b d0 c d0"));
        QCOMPARE(f.window->editor().selectionStart(), 7);
        f.editor()->undo();
        QCOMPARE(f.window->editor().line(0), QString("a d0 b d0 c d0"));
    }

    void findNextGoesOnFromTheTop() {
        MainWindowFixture f;
        openProgram(f, "r.asm", "d0 x d0\r\n");
        fillReplace(f, "d0", "d1");
        ReplaceDialog& box = replaceBox(f);
        f.window->editor().setSelectionStart(3);
        QTest::mouseClick(box.findNextButton(), Qt::LeftButton);
        QCOMPARE(f.window->editor().selectionStart(), 5);
        QTest::mouseClick(box.findNextButton(), Qt::LeftButton);
        QCOMPARE(f.window->editor().selectionStart(), 0);
        QVERIFY(status(f).contains("from the top"));
        box.findEdit()->setText("zz");
        f.services.expectMessage(MsgResult::Ok);
        QTest::mouseClick(box.findNextButton(), Qt::LeftButton);
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.services.messages[0].text, QString("Text Not Found"));
    }

    void replacementOutsideLatin1IsRefused() {
        MainWindowFixture f;
        openProgram(f, "r.asm", "price\r\n");
        fillReplace(f, "price", QString::fromUtf8("\u20ac"));
        f.services.expectMessage(MsgResult::Ok);
        QTest::mouseClick(replaceBox(f).replaceAllButton(), Qt::LeftButton);
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(f.window->editor().line(0), QString("price"));
    }

    void f12JumpsToTheLabelAndAltLeftComesBack() {
        MainWindowFixture f;
        openProgram(f);
        EditorAccess& ed = f.window->editor();
        const int use = int(offsetOf(f, "DrawSprite")) + 3;
        ed.setSelectionStart(use);
        f.editor()->setFocus();
        QTest::keyClick(f.editor(), Qt::Key_F12);
        QCOMPARE(ed.lineOfOffset(ed.caretPosition()), DrawSpriteLine);
        QCOMPARE(ed.caretPosition(), ed.offsetOfLine(DrawSpriteLine));
        QVERIFY(ed.firstVisibleLine() <= DrawSpriteLine);
        QCOMPARE(f.window->statusPanel(0)->text(), QString("%1 : 1").arg(DrawSpriteLine + 1));
        QTest::keyClick(f.editor(), Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(ed.caretPosition(), use);
        QCOMPARE(ed.firstVisibleLine(), 0);
        // The keys did not reach the text.
        QVERIFY(!f.window->documents().current().Modified);
    }

    void f12OnAnUnknownNameSaysSo() {
        MainWindowFixture f;
        openProgram(f);
        EditorAccess& ed = f.window->editor();
        ed.setSelectionStart(int(offsetOf(f, "DrawStr")) + 2);
        f.window->menus().MNU_Edit_GotoDefinition->trigger();
        QCOMPARE(status(f), QString("No definition of DrawStr in this source"));
        QCOMPARE(f.window->editorFeatures().jumps().historySize(), 0);
    }

    void ctrlClickJumpsAPlainClickDoesNot() {
        MainWindowFixture f;
        openProgram(f);
        QsciScintilla* editor = f.editor();
        const long at = offsetOf(f, "DrawSprite") + 2;
        const QPoint point(
            int(editor->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, at)),
            int(editor->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, at)) + 2);
        EditorAccess& ed = f.window->editor();
        QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::NoModifier, point);
        QCoreApplication::processEvents();
        QCOMPARE(ed.lineOfOffset(ed.caretPosition()), 4);
        QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::ControlModifier, point);
        QCoreApplication::processEvents();
        QCOMPARE(ed.lineOfOffset(ed.caretPosition()), DrawSpriteLine);
    }

    void ctrlHOpensTheReplaceBoxWithTheSelection() {
        MainWindowFixture f;
        openProgram(f);
        f.window->editor().setSelection(int(offsetOf(f, "DrawSprite")), 10);
        f.editor()->setFocus();
        QTest::keyClick(f.editor(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(replaceBox(f).isVisible());
        QCOMPARE(replaceBox(f).findEdit()->text(), QString("DrawSprite"));
        QVERIFY(!f.window->documents().current().Modified);
    }

    void completionListAfterThreeCharacters() {
        MainWindowFixture f;
        openProgram(f);
        EditorAccess& ed = f.window->editor();
        ed.setSelectionStart(ed.length());
        f.type("\tbsr\tDr");
        QVERIFY(!f.editor()->isListActive());
        f.type("a");
        QVERIFY(f.editor()->isListActive());
        QTest::keyClick(f.editor(), Qt::Key_Return);
        QVERIFY(ed.bytes().endsWith("\tbsr\tDrawSprite"));
    }
};

QTEST_MAIN(TestEditorFeatures)
#include "tst_editorfeatures.moc"
