#include "ui/reference/TTblCharFrm.h"

#include "core/reference/CharSet.h"
#include "ui/common/ScreenCentring.h"
#include "ui/reference/CharGlyph.h"

#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

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

} // namespace

// The picture takes the mouse and shows the table image as drawn.
class TTblCharFrm::Picture : public QWidget {
public:
    explicit Picture(TTblCharFrm& owner) : QWidget(nullptr), owner_(owner) {
        setObjectName(QStringLiteral("TblChar"));
        setFixedSize(PictureWidth, PictureHeight);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, owner_.picture_); }
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
    Label1->setStyleSheet(QStringLiteral("color: blue"));
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

    drawTable();
    // The first opening shows code 0 selected.
    TblCharMouseDown({32, 20});
    TblCharMouseUp();
}

void TTblCharFrm::drawTable() {
    picture_ = QImage(PictureWidth, PictureHeight, QImage::Format_RGB32);
    picture_.fill(Qt::white);
    QPainter p(&picture_);
    p.setPen(Qt::black);

    // Edge of the picture, then the lines closing off the headings.
    p.drawLine(0, 0, PictureWidth - 1, 0);
    p.drawLine(0, 0, 0, PictureHeight - 1);
    p.drawLine(GridLeft - 1, 0, GridLeft - 1, PictureHeight - 1);
    p.drawLine(0, GridTop - 1, PictureWidth - 1, GridTop - 1);
    for (int i = 0; i <= Columns; ++i)
        p.drawLine(GridLeft + i * CellSize, GridTop, GridLeft + i * CellSize, GridBottom);
    for (int i = 0; i <= Rows; ++i)
        p.drawLine(GridLeft, GridTop + i * CellSize, GridRight, GridTop + i * CellSize);

    QFont headings(QStringLiteral("DejaVu Sans"));
    headings.setStyleHint(QFont::SansSerif);
    headings.setPixelSize(9);
    p.setFont(headings);
    for (int i = 0; i < Columns; ++i)
        p.drawText(QRect(GridLeft + i * CellSize + 1, 1, CellSize - 1, GridTop - 2),
                   Qt::AlignCenter, QString::number(i));
    for (int i = 0; i < Rows; ++i)
        p.drawText(QRect(1, GridTop + i * CellSize + 1, GridLeft - 4, CellSize - 1),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(i * Columns));

    QFont glyphs(QStringLiteral("DejaVu Sans"));
    glyphs.setStyleHint(QFont::SansSerif);
    glyphs.setPixelSize(10);
    for (int code = 0; code < 256; ++code) {
        const QRect area = glyphArea(code);
        const QString text = calculatorCharText(code);
        p.setClipRect(area);
        glyphInk_[code] = drawCharGlyph(p, text, glyphs, area);
        // A code without a glyph in any installed font gets a small box; the
        // string terminator has no glyph at all and stays blank.
        if (!glyphInk_[code] && !text.isEmpty())
            p.drawRect(area.adjusted(3, 3, -4, -4));
    }
}

void TTblCharFrm::showEvent(QShowEvent* event) {
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
    // cells, so erasing one in white leaves the table as it was.
    QPainter p(&picture_);
    p.setBrush(Qt::NoBrush);
    p.setPen(Qt::white);
    p.drawRect(change->erase.adjusted(0, 0, -1, -1));
    p.setPen(Qt::black);
    p.drawRect(change->draw.adjusted(0, 0, -1, -1));
    p.end();
    TblChar->update();
    ValueLbl->setText(QString::number(selection_.code()));
}

void TTblCharFrm::OKBtClick() {
    selectedValue_ = selection_.code();
    accept();
}

} // namespace quaredit
