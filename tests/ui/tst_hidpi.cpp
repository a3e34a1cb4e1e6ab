// What the program draws itself stays sharp on a scaled screen: drawn at the
// screen's device pixel ratio, never a 1x drawing enlarged. Checked at 1,
// 1.5 and 2 by the size of each rendering in device pixels and by its
// pixels, not by how any font looks.
#include "core/reference/CharTable.h"
#include "ui/common/DrawnIcons.h"
#include "ui/common/ProgramArt.h"
#include "ui/reference/TTblCharFrm.h"

#include <QLabel>
#include <QPainter>
#include <QtTest>
#include <cmath>

using namespace quaredit;
using namespace chartable;

namespace {

void addScales() {
    QTest::addColumn<qreal>("scale");
    QTest::newRow("1x") << 1.0;
    QTest::newRow("1.5x") << 1.5;
    QTest::newRow("2x") << 2.0;
}

// An enlarged 1x drawing repeats each of its pixels over a block of
// scale x scale; a drawing made at the scale does not.
bool looksEnlarged(const QImage& image, int block) {
    for (int y = 0; y + block <= image.height(); y += block)
        for (int x = 0; x + block <= image.width(); x += block)
            for (int dy = 0; dy < block; ++dy)
                for (int dx = 0; dx < block; ++dx)
                    if (image.pixel(x + dx, y + dy) != image.pixel(x, y))
                        return false;
    return true;
}

bool black(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 64;
}

} // namespace

class TestHiDpi : public QObject {
    Q_OBJECT
private slots:
    void iconsAreDrawnAtTheAskedSize_data() { addScales(); }
    void iconsAreDrawnAtTheAskedSize() {
        QFETCH(qreal, scale);
        for (const ToolbarIcon which :
             {ToolbarIcon::NewFile, ToolbarIcon::OpenFile, ToolbarIcon::Save, ToolbarIcon::Copy,
              ToolbarIcon::Cut, ToolbarIcon::Paste}) {
            const QPixmap pm = toolbarIcon(which).pixmap(QSize(16, 16), scale);
            QCOMPARE(pm.size(), QSize(qRound(16 * scale), qRound(16 * scale)));
            QCOMPARE(pm.deviceIndependentSize(), QSizeF(16, 16));
        }
        if (scale == 2.0) {
            // The scissors' round handles show the difference best.
            const QImage cut = toolbarIcon(ToolbarIcon::Cut).pixmap(QSize(16, 16), 2).toImage();
            QVERIFY(!looksEnlarged(cut, 2));
        }
        // Disabled, as the library button starts, is drawn at the scale too.
        const QPixmap off = drawn::icon([](QPainter& p) {
                                p.fillRect(2, 2, 12, 12, Qt::blue);
                            }).pixmap(QSize(16, 16), scale, QIcon::Disabled);
        QCOMPARE(off.size(), QSize(qRound(16 * scale), qRound(16 * scale)));
    }

    void artworkIsDrawnInDevicePixels_data() { addScales(); }
    void artworkIsDrawnInDevicePixels() {
        QFETCH(qreal, scale);
        const QPixmap art = programArtwork(QSize(132, 69), scale);
        QCOMPARE(art.size(), QSize(qRound(132 * scale), qRound(69 * scale)));
        QCOMPARE(art.devicePixelRatio(), scale);
        // Within a screen pixel of the asked size (69 x 1.5 is no whole number).
        QVERIFY(qAbs(art.deviceIndependentSize().height() - 69) <= 1 / scale);
        QVERIFY(qAbs(art.deviceIndependentSize().width() - 132) <= 1 / scale);
        if (scale == 2.0)
            QVERIFY(!looksEnlarged(art.toImage(), 2));
        // The icon is there, drawn from its SVG by Qt's image plugin: the
        // calculator's dark body in the middle of its square, paper beside it.
        const QImage pixels = art.toImage();
        QVERIFY(pixels.pixelColor(int(34 * scale), int(55 * scale)).lightness() < 100);
        QCOMPARE(pixels.pixelColor(1, 1), QColor(Qt::white));
    }

    // A picture shown on a screen of another ratio than it was drawn for
    // (the window moved to another monitor) is drawn again before it paints.
    void pictureFollowsTheScreenItPaintsOn() {
        QLabel label;
        int drawn = 0;
        showSharpPicture(&label, [&drawn](qreal ratio) {
            ++drawn;
            return programArtwork(QSize(132, 69), ratio);
        });
        QCOMPARE(drawn, 1);
        QCOMPARE(label.pixmap().devicePixelRatio(), label.devicePixelRatioF());
        label.show();
        label.repaint();
        QCOMPARE(drawn, 1);                                   // the same screen: drawn once
        label.setPixmap(programArtwork(QSize(132, 69), 2.0)); // as for another screen
        label.repaint();
        QCoreApplication::processEvents();
        QCOMPARE(drawn, 2);
        QCOMPARE(label.pixmap().devicePixelRatio(), label.devicePixelRatioF());
    }

    // The main window's picture waits for its first paint, so that laying
    // out its text does not delay the window's showing; then it is there.
    void pictureCanWaitForItsFirstPaint() {
        QLabel label;
        label.resize(132, 69);
        int drawn = 0;
        showSharpPicture(
            &label,
            [&drawn](qreal ratio) {
                ++drawn;
                return programArtwork(QSize(132, 69), ratio);
            },
            PictureDrawing::WhenPainted);
        QCOMPARE(drawn, 0);
        QVERIFY(label.pixmap().isNull());
        label.show();
        QVERIFY(QTest::qWaitForWindowExposed(&label));
        label.repaint();
        QCOMPARE(drawn, 1);
        QCOMPARE(label.pixmap().deviceIndependentSize().toSize(), QSize(132, 69));
        label.repaint();
        QCOMPARE(drawn, 1);
    }

    void charTableHasOnePixelPerScreenPixel_data() { addScales(); }
    void charTableHasOnePixelPerScreenPixel() {
        QFETCH(qreal, scale);
        TTblCharFrm frm;
        frm.drawTable(scale);
        const QImage& picture = frm.picture();
        QCOMPARE(picture.size(), QSize(int(std::floor(PictureWidth * scale)),
                                       int(std::floor(PictureHeight * scale))));
        QCOMPARE(picture.devicePixelRatio(), scale);
    }

    // At 1.5 a one-pixel line of the picture falls on 1.5 screen pixels;
    // drawn as such, the lines alternate between one and two pixels.
    void gridLinesAreAllAlike_data() { addScales(); }
    void gridLinesAreAllAlike() {
        QFETCH(qreal, scale);
        TTblCharFrm frm;
        frm.drawTable(scale);
        const QImage& picture = frm.picture();
        // Across row 5 on its white ring, under the grid line: only the
        // vertical grid lines are black there.
        const int y = int(std::floor((GridTop + 5 * CellSize + 1) * scale));
        QList<int> runs;
        int run = 0;
        for (int x = int(std::floor(GridLeft * scale)); x < picture.width(); ++x) {
            if (black(picture, x, y)) {
                ++run;
            } else if (run > 0) {
                runs << run;
                run = 0;
            }
        }
        if (run > 0)
            runs << run;
        QCOMPARE(runs.size(), Columns + 1);
        const int width = qMax(1, int(std::floor(scale)));
        for (const int r : runs)
            QCOMPARE(r, width);
    }

    void selectionFrameStaysOnTheRing_data() { addScales(); }
    void selectionFrameStaysOnTheRing() {
        QFETCH(qreal, scale);
        TTblCharFrm frm;
        frm.drawTable(scale); // code 0 is selected: its frame is drawn again
        const QImage& picture = frm.picture();
        const QRect ring = charFrameRect(charFrameCorner({0, 0}));
        const auto at = [scale](int v) { return int(std::floor(v * scale)); };
        QVERIFY(black(picture, at(ring.left()), at(ring.center().y())));
        QVERIFY(black(picture, at(ring.center().x()), at(ring.top())));
        // Between the frame and the grid line the paper stays white, as
        // the picture at 1x has no such gap only when the scale is 1.
        QVERIFY(!black(picture, at(ring.left() + 2) + 1, at(ring.top() + 1) + 1));
    }

    // Letters stand on one line, as in print: a round C or a tall t is not
    // lifted or lowered to centre its outline in the cell.
    void lettersShareOneBaseline_data() { addScales(); }
    void lettersShareOneBaseline() {
        QFETCH(qreal, scale);
        TTblCharFrm frm;
        frm.drawTable(scale);
        std::optional<qreal> first;
        int letters = 0;
        for (int code = 'A'; code <= 'z'; ++code) {
            if (!QChar(code).isLetter())
                continue;
            const auto baseline = frm.glyphBaseline(code);
            if (!baseline)
                continue; // no installed font has it: a box, no baseline
            const qreal inCell = *baseline - charCellRect(code).top();
            if (!first)
                first = inCell;
            QVERIFY2(
                qAbs(inCell - *first) <= 1 / scale + 1e-6,
                qPrintable(
                    QStringLiteral("%1: %2 against %3").arg(QChar(code)).arg(inCell).arg(*first)));
            ++letters;
        }
        if (letters == 0)
            QSKIP("no font with Latin letters");
    }
};

QTEST_MAIN(TestHiDpi)
#include "tst_hidpi.moc"
