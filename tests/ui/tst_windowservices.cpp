#include "support/FakeWindowServices.h"
#include "ui/common/QtWindowServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTextDocument>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

using namespace quaredit;

namespace {

// Runs `act` once on the modal window the next exec() opens, as soon as it
// is shown; gives up after a few seconds so that a fault cannot hang the test.
template <typename Widget> void whenShown(std::function<void(Widget&)> act) {
    auto* timer = new QTimer;
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, tries, act] {
        auto* widget = qobject_cast<Widget*>(QApplication::activeModalWidget());
        if (widget && widget->isVisible()) {
            timer->deleteLater();
            timer->stop();
            act(*widget);
        } else if (++*tries > 300) {
            timer->deleteLater();
            timer->stop();
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->done(QDialog::Rejected);
        }
    });
    timer->start(10);
}

} // namespace

class TestWindowServices : public QObject {
    Q_OBJECT
private slots:
    void messageBoxAnswers_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("press"); // a standard button, or NoButton for Escape
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes") << int(MsgButtons::YesNo) << int(QMessageBox::Yes)
                             << int(MsgResult::Yes);
        QTest::newRow("No") << int(MsgButtons::YesNoCancel) << int(QMessageBox::No)
                            << int(MsgResult::No);
        QTest::newRow("Cancel") << int(MsgButtons::OkCancel) << int(QMessageBox::Cancel)
                                << int(MsgResult::Cancel);
        QTest::newRow("Escape on Yes/No is No")
            << int(MsgButtons::YesNo) << int(QMessageBox::NoButton) << int(MsgResult::No);
        QTest::newRow("Escape on Yes/No/Cancel is Cancel")
            << int(MsgButtons::YesNoCancel) << int(QMessageBox::NoButton) << int(MsgResult::Cancel);
        QTest::newRow("Escape on OK/Cancel is Cancel")
            << int(MsgButtons::OkCancel) << int(QMessageBox::NoButton) << int(MsgResult::Cancel);
        QTest::newRow("Escape on OK is OK")
            << int(MsgButtons::Ok) << int(QMessageBox::NoButton) << int(MsgResult::Ok);
    }
    void messageBoxAnswers() {
        QFETCH(int, buttons);
        QFETCH(int, press);
        QFETCH(int, answer);
        whenShown<QMessageBox>([press](QMessageBox& box) {
            if (press == QMessageBox::NoButton)
                QTest::keyClick(&box, Qt::Key_Escape);
            else
                box.button(QMessageBox::StandardButton(press))->click();
        });
        QtWindowServices services;
        QCOMPARE(
            int(services.messageBox("Text", "Caption", MsgIcon::Question, MsgButtons(buttons))),
            answer);
    }

    void messageTextIsNeverMarkup() {
        QString shownText;
        QString caption;
        whenShown<QMessageBox>([&](QMessageBox& box) {
            shownText = box.findChild<QLabel*>("qt_msgbox_label")->text();
            caption = box.windowTitle();
            QCOMPARE(box.textFormat(), Qt::PlainText);
            box.accept();
        });
        QtWindowServices services;
        services.plainMessage("<b>/tmp/a&b.asm</b>");
        QCOMPARE(shownText, QString("<b>/tmp/a&b.asm</b>"));
        QCOMPARE(caption, QString("Quaro Program Editor v2.0"));
    }

    // The detail line is shown as the characters it holds: no markup is
    // taken from it, and no escape is shown as typed ("&gt;").
    void detailLineShowsItsCharacters_data() {
        QTest::addColumn<QString>("detail");
        QTest::newRow("a menu path") << "Options > General Options writes it.";
        QTest::newRow("markup-like text") << "<b>a & b</b>";
    }
    void detailLineShowsItsCharacters() {
        QFETCH(QString, detail);
        QString shown;
        int depthWhileShown = -1;
        QtWindowServices services;
        whenShown<QMessageBox>([&](QMessageBox& box) {
            auto* label = box.findChild<QLabel*>("qt_msgbox_informativelabel");
            QTextDocument document;
            const bool rich =
                label->textFormat() == Qt::RichText ||
                (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
            if (rich)
                document.setHtml(label->text());
            else
                document.setPlainText(label->text());
            shown = document.toPlainText();
            depthWhileShown = services.modalDepth();
            box.accept();
        });
        services.plainMessage("error", detail);
        QCOMPARE(shown, detail);
        QCOMPARE(depthWhileShown, 1);
        QCOMPARE(services.modalDepth(), 0);
    }

    void fileDialogsTakeTheOptions() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        QString suffix;
        QStringList filters;
        whenShown<QFileDialog>([&](QFileDialog& dialog) {
            mode = dialog.acceptMode();
            suffix = dialog.defaultSuffix();
            filters = dialog.nameFilters();
            // Typed into the name box as a user does: selectFile() leaves the
            // box alone once it has the focus, which a shown dialog gets at
            // some moment of its own, so it would race the window activation.
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setFocus(); // the moment that broke selectFile(), now every time
            name->clear();
            QTest::keyClicks(name, QStringLiteral("prog"));
            static_cast<QDialog&>(dialog).accept(); // runs the file dialog's own accept
        });
        QtWindowServices services;
        const std::optional<QString> chosen = services.saveFileName(
            {"ASM Files (*.asm)|*.asm|All (*.*)|*.*", "Save As", "old.asm", "asm", folder.path()});
        QCOMPARE(mode, QFileDialog::AcceptSave);
        QCOMPARE(suffix, QString("asm"));
        QCOMPARE(filters, QStringList({"ASM Files (*.asm)", "All (*)"}));
        QCOMPARE(chosen, std::optional<QString>(folder.filePath("prog.asm")));

        whenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
        QCOMPARE(services.openFileName({"Text|*.txt", "Open", {}, {}, folder.path()}),
                 std::optional<QString>());
    }

    void detailBoxIsAsWideAsItsCaption() {
        int width = 0;
        int captionWidth = 0;
        whenShown<QMessageBox>([&](QMessageBox& box) {
            QFont bold = box.font();
            bold.setBold(true);
            captionWidth = QFontMetrics(bold).horizontalAdvance(box.windowTitle());
            width = box.width();
            box.accept();
        });
        QtWindowServices services;
        services.plainMessage("error", "No wine found on PATH.");
        QVERIFY2(width > captionWidth, qPrintable(QString("%1 %2").arg(width).arg(captionWidth)));
    }

    void fileDialogColumnsRead() {
        QTemporaryDir folder;
        QFile file(folder.filePath("placement.asm"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QList<int> widths;
        QStringList texts;
        int dialogWidth = 0;
        whenShown<QFileDialog>([&](QFileDialog& dialog) {
            auto* view = dialog.findChild<QTreeView*>("treeView");
            QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 1);
            QTest::qWait(50); // the folder's contents are in: the columns have followed
            for (int c = 0; c < 4; ++c) {
                widths << view->columnWidth(c);
                texts << view->model()->index(0, c, view->rootIndex()).data().toString();
            }
            dialogWidth = dialog.width();
            dialog.reject();
        });
        QtWindowServices services;
        services.openFileName({"All (*.*)|*.*", "Open", {}, {}, folder.path()});
        QCOMPARE(widths.size(), 4);
        const QFontMetrics metrics(QApplication::font("QTreeView"));
        // Every text of the row fits its column: nothing is cut to "pla…ent".
        for (int c = 0; c < 4; ++c)
            QVERIFY2(metrics.horizontalAdvance(texts[c]) + 8 <= widths[c],
                     qPrintable(texts[c] + " " + QString::number(widths[c])));
        QVERIFY(dialogWidth >= widths[0] + widths[1] + widths[2] + widths[3]);
    }

    void unscriptedFakeAnswersSafely_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("answer");
        QTest::newRow("OK") << int(MsgButtons::Ok) << int(MsgResult::Ok);
        QTest::newRow("OK/Cancel") << int(MsgButtons::OkCancel) << int(MsgResult::Ok);
        QTest::newRow("Yes/No") << int(MsgButtons::YesNo) << int(MsgResult::No);
        QTest::newRow("Yes/No/Cancel") << int(MsgButtons::YesNoCancel) << int(MsgResult::Cancel);
    }
    void unscriptedFakeAnswersSafely() {
        QFETCH(int, buttons);
        QFETCH(int, answer);
        FakeWindowServices fake;
        QCOMPARE(int(fake.messageBox("t", "c", MsgIcon::Error, MsgButtons(buttons))), answer);
        QCOMPARE(fake.messages.size(), 1);
        QCOMPARE(fake.openFileName({}), std::optional<QString>());
        QCOMPARE(fake.saveFileName({}), std::optional<QString>());
        QDialog dialog;
        QCOMPARE(fake.execDialog(dialog), int(QDialog::Rejected));
        QCOMPARE(fake.dialogs, QStringList{"QDialog"});
        QCOMPARE(fake.openRequests.size() + fake.saveRequests.size(), 2);
    }

    void fakeAnswersInOrderAndShowsTheDialog() {
        FakeWindowServices fake;
        fake.expectMessage(MsgResult::Yes);
        fake.expectMessage(MsgResult::Cancel);
        fake.answerOpen(QString("/a.asm"));
        bool visibleWhileScripted = false;
        fake.onDialog([&](QDialog& dialog) {
            visibleWhileScripted = dialog.isVisible();
            return int(QDialog::Accepted);
        });
        QCOMPARE(fake.pendingAnswers(), 4);
        QCOMPARE(fake.messageBox("q1", "c", MsgIcon::Question, MsgButtons::YesNo), MsgResult::Yes);
        QCOMPARE(fake.messageBox("q2", "c", MsgIcon::None, MsgButtons::YesNoCancel),
                 MsgResult::Cancel);
        QCOMPARE(fake.openFileName({}), std::optional<QString>("/a.asm"));
        QDialog dialog;
        dialog.setObjectName("OptionsFrm");
        QCOMPARE(fake.execDialog(dialog), int(QDialog::Accepted));
        QVERIFY(visibleWhileScripted);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(fake.dialogs, QStringList{"OptionsFrm"});
        QCOMPARE(fake.messages.at(1),
                 (FakeWindowServices::Message{"q2", "c", MsgIcon::None, MsgButtons::YesNoCancel}));
        QCOMPARE(fake.pendingAnswers(), 0);
    }
};

QTEST_MAIN(TestWindowServices)
#include "tst_windowservices.moc"
