#include "ui/about/TAboutFrm.h"

#include "core/settings/ColourScheme.h"
#include "ui/common/DialogFrame.h"
#include "ui/common/ProgramArt.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace quaredit {

using namespace aboutbox;

namespace {

QFrame* panel(QWidget* parent, const char* name, QRect place) {
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setFrameShape(QFrame::Panel);
    f->setFrameShadow(QFrame::Raised);
    f->setGeometry(place);
    return f;
}

} // namespace

TAboutFrm::TAboutFrm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutFrm"));
    useFixedDialogFrame(this);
    setWindowTitle(QStringLiteral("About..."));

    TopPanel = panel(this, "TopPanel", {8, 8, 466, 62});
    Label1 = new QLabel(QStringLiteral("Quaro Program Editor"), TopPanel);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont title = Label1->font();
    title.setPixelSize(24);
    title.setBold(true);
    title.setUnderline(true);
    Label1->setFont(title);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(4, 4, 458, 32);
    Label2 = new QLabel(QStringLiteral("v2.0 ALPHA 5"), TopPanel);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont bold = Label2->font();
    bold.setBold(true);
    Label2->setFont(bold);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(4, 38, 458, 18);

    LowerPanel = panel(this, "LowerPanel", {8, 76, 466, 167});
    Image1 = new QLabel(LowerPanel);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 8, 129, 89);
    Image1->setAlignment(Qt::AlignCenter);
    // Drawn when the box first shows: its text is laid out in a font of
    // its own, which need not be loaded for a box that may never open.
    showSharpPicture(
        Image1, [](qreal ratio) { return programArtwork(QSize(129, 89), ratio); },
        PictureDrawing::WhenPainted);
    Label3 = new QLabel(QStringLiteral("Vask Software\nwritten by Vask"), LowerPanel);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setWordWrap(true);
    Label3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label3->setGeometry(8, 102, 129, 56);

    // The white panel clips the text that moves up and down inside it.
    TextPanel = new QFrame(LowerPanel);
    TextPanel->setObjectName(QStringLiteral("TextPanel"));
    TextPanel->setGeometry(145, 8, 313, 151);
    TextPanel->setAutoFillBackground(true);
    QPalette white = TextPanel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    // Black on the white panel whatever the theme's text colour.
    white.setColor(QPalette::Text, Qt::black);
    white.setColor(QPalette::WindowText, Qt::black);
    TextPanel->setPalette(white);
    AboutTxt = new QPlainTextEdit(TextPanel);
    AboutTxt->setObjectName(QStringLiteral("AboutTxt"));
    AboutTxt->setReadOnly(true);
    AboutTxt->setFrameShape(QFrame::NoFrame);
    AboutTxt->setFocusPolicy(Qt::NoFocus);
    AboutTxt->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AboutTxt->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    AboutTxt->setLineWrapMode(QPlainTextEdit::NoWrap);
    AboutTxt->setPalette(white);
    QFont small = AboutTxt->font();
    small.setPixelSize(11);
    AboutTxt->setFont(small);
    AboutTxt->setPlainText(aboutTextLines().join(QLatin1Char('\n')));
    AboutTxt->setGeometry(8, scroll_.top(), 297, 473);

    Info = new QLabel(QStringLiteral("Multiple Compilators Compatibility"), this);
    Info->setObjectName(QStringLiteral("Info"));
    Info->setFont(bold);
    Info->setGeometry(8, 252, 360, 25);
    BtOK = new QPushButton(QStringLiteral("OK"), this);
    BtOK->setObjectName(QStringLiteral("BtOK"));
    BtOK->setDefault(true);
    BtOK->setGeometry(399, 252, 75, 25);
    connect(BtOK, &QPushButton::clicked, this, &QDialog::accept);

    fullSize_ = QSize(482, 285);
    setFixedSize(fullSize_);

    // Both timers stay off until the box is shown.
    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(ScrollIntervalMs);
    connect(Timer, &QTimer::timeout, this, &TAboutFrm::TimerTimer);
    zoomTimer_ = new QTimer(this);
    zoomTimer_->setInterval(ZoomPauseMs);
    connect(zoomTimer_, &QTimer::timeout, this, &TAboutFrm::zoomStep);
}

bool TAboutFrm::scrolling() const {
    return Timer->isActive();
}

bool TAboutFrm::zooming() const {
    return zoomWanted_ || zoomTimer_->isActive();
}

QWidget* TAboutFrm::aboutText() const {
    return AboutTxt;
}

void TAboutFrm::showEvent(QShowEvent* event) {
    // The title keeps its blue where blue reads on the theme's panel.
    QPalette heading = Label1->palette();
    heading.setColor(
        QPalette::WindowText,
        QColor(QRgb(headingBlueOn(TopPanel->palette().color(QPalette::Window).rgb()))));
    Label1->setPalette(heading);
    QDialog::showEvent(event);
    FormShow();
}

void TAboutFrm::FormShow() {
    zoomWanted_ = true;
}

void TAboutFrm::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (zoomWanted_)
        FormPaint();
}

void TAboutFrm::FormPaint() {
    zoomWanted_ = false;
    // The steps run from a timer rather than a loop of pauses, so the window
    // keeps painting while it grows and no geometry changes inside a paint.
    zoomDone_ = 0;
    zoomTimer_->start();
}

void TAboutFrm::zoomStep() {
    ++zoomDone_;
    const QScreen* s = screen();
    const QRect screenArea = s ? s->geometry() : QRect(0, 0, 1024, 768);
    const QRect place = aboutZoomGeometry(zoomDone_, screenArea.size(), fullSize_);
    setFixedSize(place.size());
    move(screenArea.topLeft() + place.topLeft());
    if (zoomDone_ < ZoomSteps)
        return;
    zoomTimer_->stop();
    Timer->start();
}

void TAboutFrm::TimerTimer() {
    scroll_.step();
    AboutTxt->move(AboutTxt->x(), scroll_.top());
}

bool TAboutFrm::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate)
        FormDeactivate();
    return QDialog::event(event);
}

void TAboutFrm::FormDeactivate() {
    Timer->stop();
}

void TAboutFrm::hideEvent(QHideEvent* event) {
    stopMoving();
    QDialog::hideEvent(event);
}

void TAboutFrm::stopMoving() {
    Timer->stop();
    // A box closed half-way through its zoom opens at full size next time.
    zoomTimer_->stop();
    zoomWanted_ = false;
    setFixedSize(fullSize_);
}

} // namespace quaredit
