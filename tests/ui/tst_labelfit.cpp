#include "support/MainWindowFixture.h"
#include "ui/settings/TWelcomeFrm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QtTest>

using namespace quaredit;

namespace {

// Where a widget is, for a failure message.
QString where(const QWidget* w) {
    QString path = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                             : w->objectName();
    return w->window()->objectName() + QLatin1Char('/') + path;
}

QString shortfall(const QWidget* w, const QString& text, QSize needed, QSize has) {
    return QStringLiteral("%1 \"%2\": needs %3 x %4, has %5 x %6")
        .arg(where(w), text)
        .arg(needed.width())
        .arg(needed.height())
        .arg(has.width())
        .arg(has.height());
}

bool fits(QSize needed, QSize has) {
    return needed.width() <= has.width() && needed.height() <= has.height();
}

// A label shows its text on one line (or on as many as it holds) unless it wraps.
void checkLabel(const QLabel* label, QStringList& failures) {
    const QString text = label->text();
    if (text.isEmpty() || label->textFormat() == Qt::RichText ||
        (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text)))
        return;
    const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                      -label->margin(), -label->margin());
    const int flags = Qt::TextShowMnemonic | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QSize needed =
        label->fontMetrics().boundingRect(QRect(0, 0, room.width(), 100000), flags, text).size();
    if (!fits(needed, room.size()))
        failures << shortfall(label, text, needed, room.size());
}

void checkButton(const QAbstractButton* button, QStringList& failures) {
    const QString text = button->text();
    if (text.isEmpty())
        return;
    const QStyle* style = button->style();
    QSize needed = button->fontMetrics().size(Qt::TextShowMnemonic, text);
    if (!button->icon().isNull())
        needed.rwidth() += button->iconSize().width() + 4;
    if (qobject_cast<const QCheckBox*>(button) || qobject_cast<const QRadioButton*>(button)) {
        const bool check = qobject_cast<const QCheckBox*>(button) != nullptr;
        const int indicator = style->pixelMetric(check ? QStyle::PM_IndicatorWidth
                                                       : QStyle::PM_ExclusiveIndicatorWidth,
                                                 nullptr, button);
        const int spacing = style->pixelMetric(check ? QStyle::PM_CheckBoxLabelSpacing
                                                     : QStyle::PM_RadioButtonLabelSpacing,
                                               nullptr, button);
        needed.rwidth() += indicator + spacing;
    } else if (qobject_cast<const QPushButton*>(button)) {
        // The bevel's frame on both sides of the text.
        const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        needed += QSize(2 * frame, 2 * frame);
    }
    if (!fits(needed, button->size()))
        failures << shortfall(button, text, needed, button->size());
}

// A read-only text that cannot be scrolled sideways is there to be read whole.
void checkReadOnlyText(const QPlainTextEdit* edit, QStringList& failures) {
    if (!edit->isReadOnly() || edit->lineWrapMode() != QPlainTextEdit::NoWrap)
        return;
    const QFontMetrics m(edit->font());
    const int margin = 2 * int(edit->document()->documentMargin());
    const QSize room = edit->viewport()->size() - QSize(margin, margin);
    int width = 0;
    int lines = 0;
    for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next(), ++lines)
        width = qMax(width, m.horizontalAdvance(b.text()));
    const QSize needed(width, lines * m.lineSpacing());
    if (!fits(needed, room))
        failures << shortfall(edit, edit->document()->firstBlock().text(), needed, room);
}

void checkVisibleControls(QWidget* window, QStringList& failures) {
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->window() != window)
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(w))
            checkLabel(label, failures);
        else if (const auto* button = qobject_cast<const QAbstractButton*>(w))
            checkButton(button, failures);
        else if (const auto* edit = qobject_cast<const QPlainTextEdit*>(w))
            checkReadOnlyText(edit, failures);
    }
}

// Shows the window as the program would and checks each page of its tabs.
QStringList captionsCutIn(QWidget* window) {
    QStringList failures;
    window->show();
    QCoreApplication::processEvents();
    const QList<QTabWidget*> tabs = window->findChildren<QTabWidget*>();
    checkVisibleControls(window, failures);
    for (QTabWidget* t : tabs) {
        const int shown = t->currentIndex();
        for (int i = 0; i < t->count(); ++i) {
            if (!t->isTabVisible(i) || i == shown)
                continue;
            t->setCurrentIndex(i);
            QCoreApplication::processEvents();
            checkVisibleControls(window, failures);
        }
        t->setCurrentIndex(shown);
    }
    window->hide();
    failures.removeDuplicates();
    return failures;
}

} // namespace

class TestLabelFit : public QObject {
    Q_OBJECT

private slots:
    void init() { QApplication::setFont(defaultFont_); }
    void cleanup() { QApplication::setFont(defaultFont_); }

    void everyWindowShowsItsCaptionsWhole_data() {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("platform font") << 1.0;
        QTest::newRow("platform font at 1.25 times") << 1.25;
    }
    void everyWindowShowsItsCaptionsWhole() {
        QFETCH(qreal, scale);
        QFont font = defaultFont_;
        font.setPointSizeF(font.pointSizeF() * scale);
        QApplication::setFont(font);

        MainWindowFixture f;
        TWelcomeFrm welcome(f.window.get());
        QStringList failures = captionsCutIn(f.window.get());
        QStringList checked{f.window->objectName()};
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w == f.window.get() || !w->isWindow() || w->objectName().isEmpty())
                continue;
            checked << w->objectName();
            failures << captionsCutIn(w);
        }
        // Every window of the program took part.
        for (const char* name :
             {"PFrm", "AboutFrm", "PrjWizardFrm", "CompilPathFrm", "OptionsFrm", "TblCharFrm",
              "TScanCFrm", "LblWinFrm", "LibWindowFrm", "UserPrgmFrm", "InputFrm", "UserFileFrm",
              "NewSpriteFrm", "WelcomeFrm"})
            QVERIFY2(checked.contains(QLatin1String(name)), name);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join(QLatin1Char('\n'))));
    }

private:
    const QFont defaultFont_ = QApplication::font();
};

QTEST_MAIN(TestLabelFit)
#include "tst_labelfit.moc"
