#include "ui/tools/TLblWinFrm.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QtTest>

using namespace quaredit;

namespace {

const QByteArray program = "WIDTH\tequ\t10\n"
                           "width\tequ\t10\n"
                           "\\local\tnop\n"
                           "zeta:\tnop\n"
                           "\tnop\n"
                           "alpha:\trts\n";

// A source of about 1 MB: `labels` labels, each followed by indented code.
QByteArray bigSource(int labels) {
    QString text;
    for (int i = 0; i < labels; ++i) {
        text += QStringLiteral("label%1:\tmove.l\td0,d1\n").arg((i * 7919) % labels);
        text += QStringLiteral("\tmove.w\t#%1,d2\t; next\n").arg(i);
    }
    return text.toLatin1();
}

} // namespace

class TestLblWinFrm : public QObject {
    Q_OBJECT

    TLblWinFrm* frm = nullptr;

    template <typename T> T* control(const char* name) {
        auto* w = frm->findChild<T*>(QLatin1String(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QString info() { return control<QLabel>("InfoLbl")->text(); }
    QStringList shown() {
        QStringList names;
        auto* model = control<QListView>("LblList")->model();
        for (int r = 0; r < model->rowCount(); ++r)
            names << model->index(r, 0).data().toString();
        return names;
    }
    void select(int row) {
        auto* list = control<QListView>("LblList");
        list->setCurrentIndex(list->model()->index(row, 0));
    }
    void reopen(const QByteArray& text) {
        frm->hide();
        frm->setSourceText(text);
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm));
    }

private slots:
    void init() {
        frm = new TLblWinFrm;
        reopen(program);
    }
    void cleanup() {
        delete frm;
        frm = nullptr;
    }

    void showingScansAndCounts() {
        QCOMPARE(frm->windowTitle(), QStringLiteral("Labels & Variables Window"));
        QCOMPARE(shown(), (QStringList{"WIDTH", "width", "\\local", "zeta:", "alpha:"}));
        QCOMPARE(info(), QStringLiteral("Items Found : 5"));
        reopen(QByteArray());
        QCOMPARE(info(), QStringLiteral("Items Found : 0"));
    }

    void filterClicksRescanAndPersistAcrossShowings() {
        QTest::mouseClick(control<QCheckBox>("ShowMaj"), Qt::LeftButton);
        QCOMPARE(shown(), QStringList{"WIDTH"});
        QCOMPARE(info(), QStringLiteral("Items Found : 1"));
        QTest::mouseClick(control<QCheckBox>("ShowMaj"), Qt::LeftButton);
        QTest::mouseClick(control<QCheckBox>("Show2Pt"), Qt::LeftButton);
        QTest::mouseClick(control<QCheckBox>("AlphOrder"), Qt::LeftButton);
        QCOMPARE(shown(), (QStringList{"alpha:", "zeta:"}));
        // A new text at the next showing is listed with the same choices.
        reopen(program + "beta:\n");
        QVERIFY(control<QCheckBox>("Show2Pt")->isChecked());
        QCOMPARE(shown(), (QStringList{"alpha:", "beta:", "zeta:"}));
        QTest::mouseClick(control<QCheckBox>("HideSlash"), Qt::LeftButton);
        QTest::mouseClick(control<QCheckBox>("Show2Pt"), Qt::LeftButton);
        QCOMPARE(shown(), (QStringList{"alpha:", "beta:", "WIDTH", "width", "zeta:"}));
    }

    // Names are the editor's Latin-1 bytes, shown as the characters they stand for.
    void latin1NamesShownAsCharacters() {
        reopen("caf\xe9:\tnop\n\xa0x\n\xc9T\xc9\n");
        QCOMPARE(shown(),
                 (QStringList{QString::fromLatin1("caf\xe9:"), QString::fromLatin1("\xa0x"),
                              QString::fromLatin1("\xc9T\xc9")}));
    }

    // The caller's buffer may change or go while the window is open; the list
    // must still come from the text it was given.
    void keepsItsOwnCopyOfTheText() {
        QByteArray text = "mine:\tnop\n";
        frm->setSourceText(text);
        text.replace("mine", "gone");
        text.squeeze();
        text.clear();
        frm->ScanLabels();
        QCOMPARE(shown(), QStringList{"mine:"});
    }

    void okHandsBackTheSortedNamesOwnLine() {
        QTest::mouseClick(control<QCheckBox>("AlphOrder"), Qt::LeftButton);
        select(0); // a backslash sorts before letters
        QCOMPARE(shown().at(0), QStringLiteral("\\local"));
        QTest::mouseClick(control<QPushButton>("BtOK"), Qt::LeftButton);
        QCOMPARE(frm->result(), int(QDialog::Accepted));
        QCOMPARE(frm->chosenLine(), std::optional<int>(2));
    }

    void okWithoutSelectionIsCancel() {
        QTest::mouseClick(control<QPushButton>("BtOK"), Qt::LeftButton);
        QCOMPARE(frm->result(), int(QDialog::Rejected));
        QVERIFY(!frm->chosenLine());
    }

    void cancelChoosesNothing() {
        select(0);
        QTest::mouseClick(control<QPushButton>("BtCancel"), Qt::LeftButton);
        QCOMPARE(frm->result(), int(QDialog::Rejected));
    }

    void doubleClickAlwaysClosesWithOk() {
        auto* list = control<QListView>("LblList");
        const QRect zeta = list->visualRect(list->model()->index(3, 0));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, zeta.center());
        QCOMPARE(frm->result(), int(QDialog::Accepted));
        QCOMPARE(frm->chosenLine(), std::optional<int>(3));

        // Away from any name there is no chosen line; the caller uses the caret's.
        reopen(program);
        QVERIFY(!frm->chosenLine());
        const QPoint below(5, list->viewport()->height() - 3);
        QVERIFY(!list->indexAt(below).isValid());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, below);
        QCOMPARE(frm->result(), int(QDialog::Accepted));
        QVERIFY(!frm->chosenLine());
    }

    void largeSourceFillsQuickly() {
        const QByteArray text = bigSource(20000);
        QVERIFY(text.size() >= 900000);
        frm->setSourceText(text);
        QElapsedTimer timer;
        timer.start();
        frm->ScanLabels();
        auto* list = control<QListView>("LblList");
        list->scrollToBottom();
        QCoreApplication::processEvents();
        const qint64 ms = timer.elapsed();
        qInfo("20,000 labels in 1 MB listed in %lld ms", ms);
        QCOMPARE(frm->listedCount(), 20000);
        QCOMPARE(info(), QStringLiteral("Items Found : 20000"));
        // Generous against slow, instrumented builds; one widget item per name
        // would take seconds.
        QVERIFY2(ms < 1000, qPrintable(QString::number(ms)));
    }
};

QTEST_MAIN(TestLblWinFrm)
#include "tst_TLblWinFrm.moc"
