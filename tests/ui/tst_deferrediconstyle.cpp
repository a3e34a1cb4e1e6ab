#include "ui/common/DeferredIconStyle.h"

#include <QApplication>
#include <QMenuBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolButton>
#include <QtTest>
#include <memory>

using namespace quaredit;

namespace {

QImage pixels(const QIcon& icon, QSize size) {
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestDeferredIconStyle : public QObject {
    Q_OBJECT

    QString styleName;

private slots:
    void initTestCase() {
        styleName = QApplication::style()->name();
        deferStandardIcons(*qApp);
    }

    // The user's style stays what it was; only the arrow waits.
    void styleLooksAsBefore() {
        auto* deferred = dynamic_cast<DeferredIconStyle*>(QApplication::style());
        QVERIFY(deferred);
        QCOMPARE(deferred->baseStyle()->name(), styleName);
        std::unique_ptr<QStyle> plain(QStyleFactory::create(styleName));
        const QStyle* style = QApplication::style();
        for (const auto icon : {QStyle::SP_MessageBoxWarning, QStyle::SP_DirIcon,
                                QStyle::SP_ToolBarHorizontalExtensionButton,
                                QStyle::SP_ToolBarVerticalExtensionButton}) {
            for (const QSize size : {QSize(8, 16), QSize(16, 16), QSize(32, 32)})
                QCOMPARE(pixels(style->standardIcon(icon), size),
                         pixels(plain->standardIcon(icon), size));
        }
        QCOMPARE(style->pixelMetric(QStyle::PM_ToolBarExtensionExtent),
                 plain->pixelMetric(QStyle::PM_ToolBarExtensionExtent));
        QCOMPARE(style->standardPalette(), plain->standardPalette());
    }

    // The arrow of a right-to-left menu bar points the other way, also when
    // it is drawn long after it was asked for.
    void arrowKeepsItsDirection() {
        std::unique_ptr<QStyle> plain(QStyleFactory::create(styleName));
        QStyleOption rtl;
        rtl.direction = Qt::RightToLeft;
        QStyleOption ltr;
        ltr.direction = Qt::LeftToRight;
        const auto arrow = QStyle::SP_ToolBarHorizontalExtensionButton;
        const QIcon asked = QApplication::style()->standardIcon(arrow, &rtl);
        QVERIFY(!asked.isNull());
        QCOMPARE(pixels(asked, QSize(8, 16)),
                 pixels(plain->standardIcon(arrow, &rtl), QSize(8, 16)));
        QCOMPARE(pixels(QApplication::style()->standardIcon(arrow, &ltr), QSize(8, 16)),
                 pixels(plain->standardIcon(arrow, &ltr), QSize(8, 16)));
    }

    // A menu bar too narrow for its menus shows the arrow drawn.
    void narrowMenuBarShowsTheArrow() {
        QMenuBar bar;
        for (const char* title : {"&File", "&Edit", "&Search", "&Project", "&Tools", "&Help"})
            bar.addMenu(QString::fromLatin1(title));
        bar.resize(60, bar.sizeHint().height());
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        auto* extension = bar.findChild<QToolButton*>();
        QVERIFY(extension);
        QTRY_VERIFY(extension->isVisible());
        const QImage shown = extension->grab().toImage();
        bool inked = false;
        const QRgb background = shown.pixel(0, 0);
        for (int y = 0; y < shown.height() && !inked; ++y)
            for (int x = 0; x < shown.width() && !inked; ++x)
                inked = shown.pixel(x, y) != background;
        QVERIFY(inked);
    }
};

QTEST_MAIN(TestDeferredIconStyle)
#include "tst_deferrediconstyle.moc"
