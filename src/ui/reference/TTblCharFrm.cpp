#include "ui/reference/TTblCharFrm.h"

#include "core/reference/CharSet.h"
#include "core/settings/ColourScheme.h"
#include "ui/common/ScreenCentring.h"
#include "ui/reference/CharGlyph.h"

#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace quaredit {

using namespace chartable;

namespace {

constexpr int Margin = 8;
constexpr int PanelWidth = 89;

// The area a glyph may cover: the cell less its grid lines and the white
// ring on which the selection frame is drawn and erased.
QRect glyphArea(int code) {
    return charCellRect(code).adjusted(2, 2, -1, -1);
}

// Picture coordinates to the pixels of a picture drawn `scale` times larger.
// Every line starts on a whole pixel and all lines are equally thick, so a
// grid at 1.5 does not alternate between thin and thick lines.
struct DevicePixels {
    qreal scale;
    int at(int x) const { return int(std::floor(x * scale + 1e-9)); }
    int line() const { return qMax(1, int(std::floor(scale + 1e-9))); }
    QRect rect(QRect r) const {
        return QRect(QPoint(at(r.left()), at(r.top())),
                     QPoint(at(r.right() + 1) - 1, at(r.bottom() + 1) - 1));
    }
    // A one-pixel frame of the picture, as thick as a grid line.
    void frame(QPainter& p, QRect r, const QColor& colour) const {
        const QRect d = rect(r);
        const int w = line();
        p.fillRect(d.left(), d.top(), d.width(), w, colour);
        p.fillRect(d.left(), d.bottom() - w + 1, d.width(), w, colour);
        p.fillRect(d.left(), d.top(), w, d.height(), colour);
        p.fillRect(d.right() - w + 1, d.top(), w, d.height(), colour);
    }
};

} // namespace

// The picture takes the mouse and shows the table image as drawn.
class TTblCharFrm::Picture : public QWidget {
public:
    explicit Picture(TTblCharFrm& owner) : QWidget(nullptr), owner_(owner) {
        setObjectName(QStringLiteral("TblChar"));
        setFixedSize(PictureWidth, PictureHeight);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        // Drawn at this screen's scale: one pixel of the picture per pixel
        // of the screen, never an enlargement.
        if (owner_.picture_.isNull() ||
            !qFuzzyCompare(owner_.picture_.devicePixelRatio(), devicePixelRatioF()))
            owner_.drawTable(devicePixelRatioF());
        QPainter(this).drawImage(QPointF(0, 0), owner_.picture_);
    }
    void mousePressEvent(QMouseEvent* e) override {
        owner_.TblCharMouseDown(e->position().toPoint());
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        owner_.TblCharMouseMove(e->position().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent*) override { owner_.TblCharMouseUp(); }

private:
    TTblCharFrm& owner_;
};

TTblCharFrm::TTblCharFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TblCharFrm"));
    setWindowTitle(QStringLiteral("TI92 Char Table"));
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint);

    const int frameWidth = 2 * Margin + PictureWidth;
    const int frameHeight = PictureHeight + 2 * Margin;
    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Raised);
    Bevel1->setGeometry(Margin, Margin, frameWidth, frameHeight);
    TblChar = new Picture(*this);
    TblChar->setParent(Bevel1);
    TblChar->move(Margin, Margin);
    TblChar->setToolTip(QStringLiteral("It is the table of the 255 TI92 chars "));

    Panel = new QFrame(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setGeometry(PictureWidth + 4 * Margin, Margin, PanelWidth, frameHeight);
    Label1 = new QLabel(QStringLiteral("Value :"), Panel);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont underlined = Label1->font();
    underlined.setUnderline(true);
    Label1->setFont(underlined);
    Label1->setGeometry(4, 8, PanelWidth - 8, 18);
    ValueLbl = new QLabel(Panel);
    ValueLbl->setObjectName(QStringLiteral("ValueLbl"));
    ValueLbl->setAlignment(Qt::AlignCenter);
    ValueLbl->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ValueLbl->setToolTip(QStringLiteral("Value of selected char"));
    ValueLbl->setFrameShape(QFrame::Panel);
    ValueLbl->setFrameShadow(QFrame::Sunken);
    ValueLbl->setGeometry(4, 30, PanelWidth - 8, 24);
    OKBt = new QPushButton(QStringLiteral("OK"), Panel);
    OKBt->setObjectName(QStringLiteral("OKBt"));
    OKBt->setDefault(true);
    OKBt->setGeometry(4, frameHeight - 62, PanelWidth - 8, 25);
    CancelBt = new QPushButton(QStringLiteral("Cancel"), Panel);
    CancelBt->setObjectName(QStringLiteral("CancelBt"));
    CancelBt->setGeometry(4, frameHeight - 30, PanelWidth - 8, 25);
    connect(OKBt, &QPushButton::clicked, this, &TTblCharFrm::OKBtClick);
    connect(CancelBt, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(frameWidth + PanelWidth + Margin * 7 / 2, Margin * 11 / 2 + frameHeight);

    // The first opening shows code 0 selected.
    TblCharMouseDown({32, 20});
    TblCharMouseUp();
}

void TTblCharFrm::drawTable(qreal scale) {
    // Drawn in the screen's pixels, with the picture's own coordinates
    // mapped by hand: the painter's scaling would blur lines that fall
    // between pixels.
    const DevicePixels d{scale};
    picture_ = QImage(d.at(PictureWidth), d.at(PictureHeight), QImage::Format_RGB32);
    picture_.fill(Qt::white);
    QPainter p(&picture_);
    const int w = d.line();
    const auto vertical = [&](int x, int top, int bottom) {
        p.fillRect(d.at(x), d.at(top), w, d.at(bottom) - d.at(top) + w, Qt::black);
    };
    const auto horizontal = [&](int y, int left, int right) {
        p.fillRect(d.at(left), d.at(y), d.at(right) - d.at(left) + w, w, Qt::black);
    };

    // Edge of the picture, then the lines closing off the headings.
    horizontal(0, 0, PictureWidth - 1);
    vertical(0, 0, PictureHeight - 1);
    vertical(GridLeft - 1, 0, PictureHeight - 1);
    horizontal(GridTop - 1, 0, PictureWidth - 1);
    for (int i = 0; i <= Columns; ++i)
        vertical(GridLeft + i * CellSize, GridTop, GridBottom);
    for (int i = 0; i <= Rows; ++i)
        horizontal(GridTop + i * CellSize, GridLeft, GridRight);

    p.setPen(Qt::black);
    QFont headings(QStringLiteral("DejaVu Sans"));
    headings.setStyleHint(QFont::SansSerif);
    headings.setPixelSize(qRound(9 * scale));
    p.setFont(headings);
    for (int i = 0; i < Columns; ++i)
        p.drawText(d.rect(QRect(GridLeft + i * CellSize + 1, 1, CellSize - 1, GridTop - 2)),
                   Qt::AlignCenter, QString::number(i));
    for (int i = 0; i < Rows; ++i)
        p.drawText(d.rect(QRect(1, GridTop + i * CellSize + 1, GridLeft - 4, CellSize - 1)),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(i * Columns));

    QFont glyphs(QStringLiteral("DejaVu Sans"));
    glyphs.setStyleHint(QFont::SansSerif);
    glyphs.setPixelSize(qRound(10 * scale));
    for (int code = 0; code < 256; ++code) {
        const QRect area = d.rect(glyphArea(code));
        const QString text = calculatorCharText(code);
        p.setClipRect(area);
        // Three quarters down the area: the capitals' accents fit above,
        // the descenders below.
        const int baseline = area.top() + qRound(area.height() * 0.75);
        const auto drawn = drawCharGlyph(p, text, glyphs, area, baseline);
        glyphInk_[code].reset();
        glyphBaseline_[code] = std::nullopt;
        if (drawn) {
            const QRectF& ink = drawn->ink;
            glyphInk_[code] = QRectF(ink.topLeft() / scale, ink.size() / scale);
            glyphBaseline_[code] = drawn->baseline / scale;
        }
        // A code without a glyph in any installed font gets a small box; the
        // string terminator has no glyph at all and stays blank.
        if (!drawn && !text.isEmpty())
            d.frame(p, glyphArea(code).adjusted(3, 3, -3, -3), Qt::black);
    }
    p.end();
    picture_.setDevicePixelRatio(scale);
    // The frame of the selected cell, drawn into the picture like every frame.
    if (selection_.cell().column >= 0)
        drawFrame(charFrameRect(selection_.frameCorner()), Qt::black);
}

const QImage& TTblCharFrm::picture() {
    if (picture_.isNull())
        drawTable(devicePixelRatioF());
    return picture_;
}

void TTblCharFrm::drawFrame(QRect frame, const QColor& colour) {
    const qreal scale = picture_.devicePixelRatio();
    // Painted in the picture's own pixels, as the table was.
    picture_.setDevicePixelRatio(1);
    QPainter p(&picture_);
    DevicePixels{scale}.frame(p, frame, colour);
    p.end();
    picture_.setDevicePixelRatio(scale);
}

void TTblCharFrm::showEvent(QShowEvent* event) {
    // The heading keeps its blue where blue reads on the theme's window.
    QPalette heading = Label1->palette();
    heading.setColor(QPalette::WindowText,
                     QColor(QRgb(headingBlueOn(palette().color(QPalette::Window).rgb()))));
    Label1->setPalette(heading);
    QDialog::showEvent(event);
    centreOnScreen(this);
}

void TTblCharFrm::TblCharMouseDown(QPoint at) {
    showSelection(selection_.press(at));
}

void TTblCharFrm::TblCharMouseMove(QPoint at) {
    showSelection(selection_.move(at));
}

void TTblCharFrm::TblCharMouseUp() {
    selection_.release();
}

void TTblCharFrm::showSelection(const std::optional<CharFrameMove>& change) {
    if (!change)
        return;
    // The frames are drawn into the picture itself, on the white ring of the
    // cells, so erasing one in white leaves the table as it was. A table not
    // drawn yet gets the frame where it is when it is drawn.
    if (!picture_.isNull()) {
        drawFrame(change->erase, Qt::white);
        drawFrame(change->draw, Qt::black);
    }
    TblChar->update();
    ValueLbl->setText(QString::number(selection_.code()));
}

void TTblCharFrm::OKBtClick() {
    selectedValue_ = selection_.code();
    accept();
}

} // namespace quaredit
