#include "ui/settings/TWelcomeFrm.h"

#include "core/app/ProductName.h"
#include "ui/common/ProgramArt.h"
#include "ui/common/ScreenCentring.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>

namespace quaredit {

namespace {

// A small calculator with the kernel's prompt on its screen.
QPixmap calculatorPicture(qreal devicePixelRatio) {
    QPixmap picture(QSize(qRound(132 * devicePixelRatio), qRound(92 * devicePixelRatio)));
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::white);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 60), 2));
    p.setBrush(QColor(70, 80, 110));
    p.drawRoundedRect(QRectF(6, 4, 120, 84), 10, 10);
    p.setBrush(QColor(190, 205, 170));
    p.drawRect(QRectF(18, 12, 96, 40));
    p.setPen(QColor(30, 40, 30));
    p.setFont(QFont(QStringLiteral("Courier New"), 8));
    p.drawText(QRectF(22, 14, 90, 36), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("68000\n:_"));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 210, 220));
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 6; ++col)
            p.drawRoundedRect(QRectF(18 + col * 16, 60 + row * 12, 12, 8), 2, 2);
    }
    return picture;
}

} // namespace

const QStringList& TWelcomeFrm::welcomeLines() {
    static const QStringList lines{
        QStringLiteral("Welcome in Quaro Program Editor v2.0 !"),
        QString(),
        QStringLiteral("It is the first time you run this version. Because of "),
        QStringLiteral("Quaro II / PlusShell / DoorsOS compilators "),
        QStringLiteral("compatibility, you have to define the directory "),
        QStringLiteral("where your compilator is installed."),
        QString(),
        QStringLiteral("Click on OK to continue..."),
    };
    return lines;
}

TWelcomeFrm::TWelcomeFrm(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("WelcomeFrm"));
    centreOnScreenAtEachShowing(this);
    setWindowTitle(QStringLiteral(" "));
    // A white card whatever the theme: its text is black with it, or a dark
    // theme's light text would vanish on it. The button keeps the theme's.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    white.setColor(QPalette::Text, Qt::black);
    setPalette(white);
    setAutoFillBackground(true);

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setGeometry(8, 8, 436, 64);

    Label1 = new QLabel(ProductName, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont titleFont = Label1->font();
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    titleFont.setUnderline(true);
    Label1->setFont(titleFont);
    QPalette blue = Label1->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    Label1->setPalette(blue);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(12, 12, 428, 32);

    Label2 = new QLabel(QStringLiteral("ALPHA 5"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont boldFont = Label2->font();
    boldFont.setBold(true);
    Label2->setFont(boldFont);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(12, 46, 428, 20);

    Informations = new QPlainTextEdit(this);
    Informations->setObjectName(QStringLiteral("Informations"));
    Informations->setReadOnly(true);
    Informations->setFrameShape(QFrame::NoFrame);
    Informations->setPalette(white);
    Informations->setLineWrapMode(QPlainTextEdit::NoWrap);
    Informations->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Informations->setPlainText(welcomeLines().join(u'\n'));
    Informations->installEventFilter(this);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    showSharpPicture(Image1, calculatorPicture);

    btOk = new QPushButton(QStringLiteral("OK"), this);
    btOk->setObjectName(QStringLiteral("btOk"));
    btOk->setDefault(true);
    placeControls();
    connect(btOk, &QPushButton::clicked, this, &QDialog::accept);
    btOk->setFocus();
}

// The design size, 452 x 260, holds the text in the narrow fonts it was drawn
// with; the platform's fonts (and a user's larger ones) widen it, and the text
// must still show whole, so the window grows around it.
void TWelcomeFrm::placeControls() {
    const QFontMetrics m(Informations->font());
    int textWidth = 0;
    for (const QString& line : welcomeLines())
        textWidth = qMax(textWidth, m.horizontalAdvance(line));
    // The document's margin on both sides, and a pixel for the caret.
    const int margin =
        2 * int(Informations->document()->documentMargin()) + 2 * Informations->frameWidth() + 1;
    const QSize text(qMax(296, textWidth + margin),
                     qMax(140, int(welcomeLines().size()) * m.lineSpacing() + margin));
    const int width = qMax(452, 8 + text.width() + 8 + 132 + 8);
    const int buttonHeight = qMax(26, btOk->fontMetrics().height() + 10);
    const int height = qMax(260, 80 + text.height() + 6 + buttonHeight + 8);

    Shape1->setGeometry(8, 8, width - 16, 64);
    Label1->setGeometry(12, 12, width - 24, 32);
    Label2->setGeometry(12, 46, width - 24, 20);
    Informations->setGeometry(8, 80, text.width(), text.height());
    Image1->setGeometry(width - 8 - 132, 88, 132, 92);
    btOk->setGeometry((width - 76) / 2, height - 8 - buttonHeight, 76, buttonHeight);
    setFixedSize(width, height);
}

bool TWelcomeFrm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Informations && event->type() == QEvent::FocusIn)
        InformationsEnter();
    return QDialog::eventFilter(watched, event);
}

// Enter and Space must always press OK, so the text never keeps the focus.
void TWelcomeFrm::InformationsEnter() {
    btOk->setFocus();
}

} // namespace quaredit
