#include "ui/tools/TPrjWizardFrm.h"

#include "core/documents/TextFile.h"
#include "ui/common/DialogFrame.h"
#include "ui/common/ScreenCentring.h"
#include "ui/common/WindowServices.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace quaredit {

namespace {

QLabel* boldLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

template <class W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A calculator drawn in a few strokes, so the wizard needs no image file.
QPixmap logoPicture() {
    QPixmap pixmap(96, 150);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(60, 60, 70));
    p.drawRoundedRect(6, 4, 84, 142, 10, 10);
    p.setBrush(QColor(170, 190, 160));
    p.drawRect(16, 14, 64, 44);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(200, 200, 205));
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRoundedRect(16 + col * 17, 68 + row * 15, 13, 10, 2, 2);
    return pixmap;
}

} // namespace

TPrjWizardFrm::TPrjWizardFrm(WindowServices& services, DataFolders folders, QWidget* parent)
    : QDialog(parent), services_(services), folders_(std::move(folders)) {
    setObjectName(QStringLiteral("PrjWizardFrm"));
    centreOnScreenAtEachShowing(this);
    useFixedDialogFrame(this);
    setWindowTitle(QStringLiteral("Program Wizard"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    Panel1 = named(new QWidget(this), "Panel1");
    Logo = named(new QLabel(Panel1), "Logo");
    Logo->setPixmap(logoPicture());

    Wiz1 = named(new QWidget(Panel1), "Wiz1");
    Label1 = boldLabel(Wiz1, "Label1",
                       QStringLiteral("First define if you want to create a program or a library"));
    PrgOpt = named(new QRadioButton(QStringLiteral("Program"), Wiz1), "PrgOpt");
    LibOpt = named(new QRadioButton(QStringLiteral("Library"), Wiz1), "LibOpt");
    PrgOpt->setChecked(true);
    auto* page1 = new QVBoxLayout(Wiz1);
    page1->addWidget(Label1);
    page1->addWidget(PrgOpt);
    page1->addWidget(LibOpt);
    page1->addStretch();

    Wiz2 = named(new QWidget(Panel1), "Wiz2");
    info2 = boldLabel(Wiz2, "info2", QStringLiteral("Now enter the program comment :"));
    PrgName = named(new QLineEdit(Wiz2), "PrgName");
    auto* page2 = new QVBoxLayout(Wiz2);
    page2->addWidget(info2);
    page2->addWidget(PrgName);
    page2->addStretch();

    Wiz3 = named(new QWidget(Panel1), "Wiz3");
    // The kernel buttons sit in their own box so that they do not exclude
    // the program/library choice.
    auto* kernels = new QWidget(Wiz3);
    rdQuaro = named(new QRadioButton(QStringLiteral("Use Quaro II"), kernels), "rdQuaro");
    rdPsD = named(new QRadioButton(QStringLiteral("Use PlusShell/DoorsOS"), kernels), "rdPsD");
    rdQuaro->setChecked(true);
    auto* kernelLayout = new QVBoxLayout(kernels);
    kernelLayout->setContentsMargins(0, 0, 0, 0);
    kernelLayout->addWidget(rdQuaro);
    kernelLayout->addWidget(rdPsD);
    Label2 = boldLabel(Wiz3, "Label2", QStringLiteral("Insert directives :"));
    optTI92 = named(new QCheckBox(QStringLiteral("xdef _ti92"), Wiz3), "optTI92");
    optTI92P = named(new QCheckBox(QStringLiteral("xdef _ti92plus"), Wiz3), "optTI92P");
    optTI89 = named(new QCheckBox(QStringLiteral("xdef _ti89"), Wiz3), "optTI89");
    auto* page3 = new QVBoxLayout(Wiz3);
    page3->addWidget(kernels);
    page3->addWidget(Label2);
    page3->addWidget(optTI92);
    page3->addWidget(optTI92P);
    page3->addWidget(optTI89);
    page3->addStretch();

    auto* pages = new QVBoxLayout;
    pages->addWidget(Wiz1);
    pages->addWidget(Wiz2);
    pages->addWidget(Wiz3);
    auto* panel = new QHBoxLayout(Panel1);
    panel->addWidget(Logo, 0, Qt::AlignTop);
    panel->addLayout(pages, 1);
    Panel1->setMinimumSize(420, 190);

    CancelBt = named(new QPushButton(QStringLiteral("Cancel"), this), "CancelBt");
    PrevBt = named(new QPushButton(QStringLiteral("< Back"), this), "PrevBt");
    NextBt = named(new QPushButton(QStringLiteral("Next >"), this), "NextBt");
    CancelBt->setAutoDefault(false);
    PrevBt->setAutoDefault(false);
    NextBt->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CancelBt);
    buttons->addWidget(PrevBt);
    buttons->addWidget(NextBt);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Panel1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Esc rejects through QDialog itself.
    connect(CancelBt, &QPushButton::clicked, this, &QDialog::reject);
    connect(PrevBt, &QPushButton::clicked, this, &TPrjWizardFrm::PrevBtClick);
    connect(NextBt, &QPushButton::clicked, this, &TPrjWizardFrm::NextBtClick);
    showPage(0);
}

WizardAnswers TPrjWizardFrm::answers() const {
    WizardAnswers a;
    a.kind = PrgOpt->isChecked() ? WizardKind::Program : WizardKind::Library;
    a.text = PrgName->text();
    a.ti92 = optTI92->isChecked();
    a.ti92plus = optTI92P->isChecked();
    a.ti89 = optTI89->isChecked();
    a.kernel = rdQuaro->isChecked() ? WizardKernel::QuaroII : WizardKernel::PlusShellDoorsOS;
    return a;
}

void TPrjWizardFrm::showEvent(QShowEvent* event) {
    // Each opening starts over, except for the kind and kernel choices.
    if (!event->spontaneous())
        FormActivate();
    QDialog::showEvent(event);
}

void TPrjWizardFrm::FormActivate() {
    PrgName->clear();
    optTI92->setChecked(false);
    optTI92P->setChecked(false);
    optTI89->setChecked(false);
    documentLines_.clear();
    showPage(0);
}

void TPrjWizardFrm::showPage(int page) {
    page_ = page;
    Wiz1->setVisible(page == 0);
    Wiz2->setVisible(page == 1);
    Wiz3->setVisible(page == 2);
    NextBt->setText(page == 2 ? QStringLiteral("Finish") : QStringLiteral("Next >"));
    if (page == 1)
        PrgName->setFocus();
}

void TPrjWizardFrm::NextBtClick() {
    switch (page_) {
    case 0:
        info2->setText(PrgOpt->isChecked() ? QStringLiteral("Now enter the program comment :")
                                           : QStringLiteral("Now enter the name of the library :"));
        showPage(1);
        break;
    case 1:
        rdQuaro->setVisible(LibOpt->isChecked());
        rdPsD->setVisible(LibOpt->isChecked());
        showPage(2);
        break;
    default:
        if (Finish())
            accept();
        break;
    }
}

void TPrjWizardFrm::PrevBtClick() {
    if (page_ > 0)
        showPage(page_ - 1);
}

bool TPrjWizardFrm::Finish() {
    const WizardAnswers a = answers();
    const QString path = folders_.path(wizardTemplateName(a.kind));
    // Anything there that is not a file (a FIFO, a device) is refused by the
    // loader with its reason.
    if (!QFileInfo::exists(path)) {
        services_.messageBox(QStringLiteral("Cannot find the file ") + path,
                             QStringLiteral("File Error"), MsgIcon::Error, MsgButtons::Ok);
        return false;
    }
    const LoadedText loaded = loadTextFile(path);
    if (!loaded.ok()) {
        services_.messageBox(loaded.error, QStringLiteral("File Error"), MsgIcon::Error,
                             MsgButtons::Ok);
        return false;
    }
    documentLines_ = FillTemplate(templateLines(loaded.bytes), a);
    return true;
}

} // namespace quaredit
