#include "core/reference/CharSet.h"
#include "core/reference/CharTable.h"
#include "support/MainWindowFixture.h"
#include "ui/reference/TTblCharFrm.h"

#include <QAction>
#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRawFont>
#include <Qsci/qsciscintilla.h>
#include <QtTest>

using namespace quaredit;

namespace {

// Mouse events go straight to the picture, as the window system would send
// them while the button is held, whatever the pointer state of the test.
void mouse(QDialog& dialog, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QWidget* picture = dialog.findChild<QWidget*>("TblChar");
    QVERIFY(picture);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(type, QPointF(at), QPointF(picture->mapToGlobal(at)), button, held,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(picture, &e);
}

void press(QDialog& d, QPoint at) {
    mouse(d, QEvent::MouseButtonPress, at, Qt::LeftButton);
}
void drag(QDialog& d, QPoint at) {
    mouse(d, QEvent::MouseMove, at, Qt::LeftButton);
}
void release(QDialog& d, QPoint at) {
    mouse(d, QEvent::MouseButtonRelease, at, Qt::NoButton);
}
void click(QDialog& d, QPoint at) {
    press(d, at);
    release(d, at);
}

// A point inside the cell of a code.
QPoint cellPoint(int code) {
    return charCellRect(code).center();
}

QString valueText(QDialog& d) {
    return d.findChild<QLabel*>("ValueLbl")->text();
}

bool ringIs(const QImage& picture, int code, QRgb colour) {
    const QRect ring = charCellRect(code).adjusted(1, 1, 0, 0);
    for (int x = ring.left(); x <= ring.right(); ++x) {
        for (int y = ring.top(); y <= ring.bottom(); ++y) {
            const bool onRing =
                x == ring.left() || x == ring.right() || y == ring.top() || y == ring.bottom();
            if (onRing && picture.pixel(x, y) != colour)
                return false;
        }
    }
    return true;
}

} // namespace

class TestTblCharFrm : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void opensOnCodeZeroWithEveryOtherRingWhite() {
        TTblCharFrm frm;
        QCOMPARE(frm.windowTitle(), QString("TI92 Char Table"));
        QCOMPARE(frm.picture().size(), QSize(271, 256));
        QCOMPARE(valueText(frm), QString("0"));
        QVERIFY(ringIs(frm.picture(), 0, qRgb(0, 0, 0)));
        for (int code = 1; code < 256; ++code)
            QVERIFY2(ringIs(frm.picture(), code, qRgb(255, 255, 255)),
                     qPrintable(QString::number(code)));
        // Grid lines, and something drawn for every code but the blank 0:
        // a glyph or a box.
        QCOMPARE(frm.picture().pixel(30, 100), qRgb(0, 0, 0));
        QCOMPARE(frm.picture().pixel(100, 255), qRgb(0, 0, 0));
        for (const int code : {0, 7, 65, 140, 255}) {
            const QRect area = charCellRect(code).adjusted(2, 2, -1, -1);
            bool inked = false;
            for (int x = area.left(); x <= area.right() && !inked; ++x)
                for (int y = area.top(); y <= area.bottom() && !inked; ++y)
                    inked = frm.picture().pixel(x, y) != qRgb(255, 255, 255);
            QVERIFY2(inked == (code != 0), qPrintable(QString::number(code)));
        }
    }

    // The table is drawn when it first paints; a cell picked before that
    // shows framed in it, and the first one does not.
    void tableDrawnAtItsFirstPaintShowsThePickedCell() {
        TTblCharFrm frm;
        click(frm, cellPoint(65));
        QCOMPARE(valueText(frm), QString("65"));
        QWidget* cells = frm.findChild<QWidget*>("TblChar");
        const QImage shown = cells->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(271, 256));
        QVERIFY(ringIs(shown, 65, qRgb(0, 0, 0)));
        QVERIFY(ringIs(shown, 0, qRgb(255, 255, 255)));
        QCOMPARE(shown, frm.picture().convertToFormat(QImage::Format_RGB32));
    }

    void everyGlyphShowsWholeInsideItsCell() {
        TTblCharFrm frm;
        for (int code = 0; code < 256; ++code) {
            const auto ink = frm.glyphInk(code);
            if (!ink || ink->isEmpty()) // a blank glyph, such as the space
                continue;
            // The accents of the capitals 192-221 reach highest.
            const QRectF area = QRectF(charCellRect(code).adjusted(2, 2, -1, -1));
            QVERIFY2(area.contains(*ink), qPrintable(QStringLiteral("%1: %2,%3 %4x%5")
                                                         .arg(code)
                                                         .arg(ink->x())
                                                         .arg(ink->y())
                                                         .arg(ink->width())
                                                         .arg(ink->height())));
        }
        for (int code = 192; code <= 221; ++code)
            QVERIFY2(frm.glyphInk(code), qPrintable(QString::number(code)));
    }

    // A character the first font lacks is looked for in every other one
    // before the cell gets the "no glyph" box.
    void aGlyphFromAnyInstalledFontIsUsed() {
        TTblCharFrm frm;
        QVERIFY(!frm.glyphInk(0)); // drawn blank, not boxed
        QStringList families = QFontDatabase::families();
        QList<QRawFont> fonts;
        for (const QString& family : families) {
            QFont font(family);
            font.setPixelSize(10);
            fonts << QRawFont::fromFont(font);
        }
        int fromOtherFonts = 0;
        for (int code = 1; code < 256; ++code) {
            const QString text = calculatorCharText(code);
            bool somewhere = false;
            for (const QRawFont& font : fonts) {
                bool all = font.isValid();
                for (const uint point : text.toUcs4())
                    all = all && font.supportsCharacter(point);
                somewhere = somewhere || all;
            }
            if (!somewhere)
                continue;
            QVERIFY2(frm.glyphInk(code), qPrintable(QString::number(code)));
            QFont first(QStringLiteral("DejaVu Sans"));
            first.setPixelSize(10);
            if (!QRawFont::fromFont(first).supportsCharacter(text.toUcs4().first()))
                ++fromOtherFonts;
        }
        qInfo("%d codes drawn from other fonts than the first", fromOtherFonts);
    }

    void clickMovesTheFrame() {
        TTblCharFrm frm;
        click(frm, cellPoint(33));
        QCOMPARE(valueText(frm), QString("33"));
        QVERIFY(ringIs(frm.picture(), 0, qRgb(255, 255, 255)));
        QVERIFY(ringIs(frm.picture(), 33, qRgb(0, 0, 0)));
        // The grid line shared by both cells survives the erasing.
        QCOMPARE(frm.picture().pixel(45, 20), qRgb(0, 0, 0));

        const QImage before = frm.picture();
        click(frm, {29, 15});
        click(frm, {270, 255});
        QCOMPARE(valueText(frm), QString("33"));
        QCOMPARE(frm.picture(), before);
    }

    void dragSelectsTheCellsCrossed() {
        TTblCharFrm frm;
        press(frm, {5, 5});
        QCOMPARE(valueText(frm), QString("0"));
        drag(frm, cellPoint(16));
        QCOMPARE(valueText(frm), QString("16"));
        drag(frm, cellPoint(17));
        QCOMPARE(valueText(frm), QString("17"));
        QVERIFY(ringIs(frm.picture(), 16, qRgb(255, 255, 255)));
        release(frm, cellPoint(17));
        drag(frm, cellPoint(200)); // the button is up: no selection
        QCOMPARE(valueText(frm), QString("17"));
    }

    void okInsertsTheCodeAtTheCaret() {
        MainWindowFixture f;
        f.type("\tmove.b ");
        f.services.onDialog([](QDialog& d) {
            click(d, cellPoint(65));
            d.findChild<QPushButton*>("OKBt")->click();
            return d.result();
        });
        f.window->menus().MNU_Tools_TblChar->trigger();
        QCOMPARE(f.services.dialogs, QStringList{"TblCharFrm"});
        QCOMPARE(f.editor()->text(), QString("\tmove.b #65"));
        int line = -1, column = -1;
        f.editor()->getCursorPosition(&line, &column);
        QCOMPARE(column, 11);
    }

    void cancelInsertsNothingAndKeepsThePick() {
        MainWindowFixture f;
        f.type("x");
        f.services.onDialog([](QDialog& d) {
            click(d, cellPoint(66));
            d.findChild<QPushButton*>("CancelBt")->click();
            return d.result();
        });
        f.window->menus().POPUPED_TblChar->trigger();
        QCOMPARE(f.editor()->text(), QString("x"));

        int shown = -1;
        f.services.onDialog([&shown](QDialog& d) {
            shown = valueText(d).toInt();
            d.findChild<QPushButton*>("OKBt")->click();
            return d.result();
        });
        f.window->menus().MNU_Tools_TblChar->trigger();
        QCOMPARE(shown, 66);
        QCOMPARE(f.editor()->text(), QString("x#66"));
        QCOMPARE(f.services.dialogs.size(), 2);
    }
};

QTEST_MAIN(TestTblCharFrm)
#include "tst_tblcharfrm.moc"
