#include "support/FakeWindowServices.h"
#include "ui/common/TInputFrm.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace quaredit;

namespace {

// Types characters as a keyboard does, including ones QTest cannot name.
void type(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        const int key = c.unicode() < 0x80 ? c.toUpper().unicode() : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace

class TestInputFrm : public QObject {
    Q_OBJECT

    // Shows the dialog through the services as a command would, runs the
    // script on the shown dialog and returns the dialog's result.
    int show(TInputFrm& frm, FakeWindowServices& services,
             const std::function<int(TInputFrm&)>& script) {
        services.onDialog([&](QDialog& dialog) {
            auto& input = static_cast<TInputFrm&>(dialog);
            return script(input);
        });
        return services.execDialog(frm);
    }

private slots:
    void digitsOnlyDiscardsOtherCharacters_data() {
        QTest::addColumn<bool>("digitsOnly");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("letters dropped when on") << true << "12a3"
                                                 << "123";
        QTest::newRow("punctuation and blanks dropped") << true << "-4 .5+"
                                                        << "45";
        QTest::newRow("letters accepted when off") << false << "12a3"
                                                   << "12a3";
        QTest::newRow("Latin-1 letters dropped") << true << QString::fromLatin1("7\xe9") << "7";
    }
    void digitsOnlyDiscardsOtherCharacters() {
        QFETCH(bool, digitsOnly);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        TInputFrm frm;
        frm.setDigitsOnly(digitsOnly);
        frm.setText(QString());
        type(frm.Txt, typed);
        QCOMPARE(frm.text(), expected);
    }

    void digitsOnlyEditingKeys() {
        TInputFrm frm;
        frm.setDigitsOnly(true);
        frm.setText(QString());
        QTest::keyClicks(frm.Txt, "123");
        QTest::keyClick(frm.Txt, Qt::Key_Backspace);
        QCOMPARE(frm.text(), QString("123"));

        // Delete produces no character and still deletes.
        QTest::keyClick(frm.Txt, Qt::Key_Home);
        QTest::keyClick(frm.Txt, Qt::Key_Delete);
        QCOMPARE(frm.text(), QString("23"));
        QTest::keyClick(frm.Txt, Qt::Key_End);
        QTest::keyClicks(frm.Txt, "4");
        QCOMPARE(frm.text(), QString("234"));

        // Off again: Backspace works like anywhere else.
        frm.setDigitsOnly(false);
        QTest::keyClick(frm.Txt, Qt::Key_Backspace);
        QCOMPARE(frm.text(), QString("23"));
    }

    void digitsOnlyBlocksTheClipboard() {
        if (!QGuiApplication::clipboard())
            QSKIP("no clipboard");
        QGuiApplication::clipboard()->setText("abc");
        TInputFrm frm;
        frm.setDigitsOnly(true);
        frm.setText("42");
        frm.Txt->selectAll();
        QTest::keySequence(frm.Txt, QKeySequence::Paste);
        QTest::keyClick(frm.Txt, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(frm.Txt, Qt::Key_Insert, Qt::ShiftModifier);
        QTest::keySequence(frm.Txt, QKeySequence::Cut);
        QTest::keyClick(frm.Txt, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(frm.text(), QString("42"));
        QCOMPARE(frm.Txt->contextMenuPolicy(), Qt::NoContextMenu);
        QVERIFY(!frm.Txt->acceptDrops());

        frm.setDigitsOnly(false);
        QCOMPARE(frm.Txt->contextMenuPolicy(), Qt::DefaultContextMenu);
        frm.Txt->selectAll();
        QTest::keyClick(frm.Txt, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(frm.text(), QString("abc"));
    }

    void flagKeptInTheTag() {
        TInputFrm frm;
        QVERIFY(!frm.digitsOnly());
        frm.setDigitsOnly(true);
        QCOMPARE(frm.Txt->property("tag").toInt(), 1);
        QVERIFY(frm.digitsOnly());
        frm.setDigitsOnly(false);
        QCOMPARE(frm.Txt->property("tag").toInt(), 0);
    }

    void showingSelectsTheKeptText() {
        FakeWindowServices services;
        TInputFrm frm;
        frm.setDigitsOnly(true);
        const int first = show(frm, services, [](TInputFrm& input) {
            QTest::keyClicks(input.Txt, "17");
            QTest::keyClick(input.Txt, Qt::Key_Return);
            return input.result();
        });
        QCOMPARE(first, int(QDialog::Accepted));
        QCOMPARE(frm.text(), QString("17"));

        // Another caller: the text is still there, selected, and typing replaces it.
        frm.setDigitsOnly(false);
        show(frm, services, [](TInputFrm& input) {
            [&] {
                QCOMPARE(input.focusWidget(), input.Txt);
                QCOMPARE(input.Txt->selectedText(), QString("17"));
            }();
            QTest::keyClicks(input.Txt, "lib");
            input.Button2->click();
            return input.result();
        });
        QCOMPARE(frm.text(), QString("lib"));
        QCOMPARE(services.dialogs, QStringList({"InputFrm", "InputFrm"}));
    }

    void closingResults_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter on an empty box is OK") << "enter" << int(QDialog::Accepted);
        QTest::newRow("OK button") << "ok" << int(QDialog::Accepted);
        QTest::newRow("Escape is Cancel") << "escape" << int(QDialog::Rejected);
        QTest::newRow("Cancel button") << "cancel" << int(QDialog::Rejected);
        QTest::newRow("close box is Cancel") << "close" << int(QDialog::Rejected);
    }
    void closingResults() {
        QFETCH(QString, how);
        QFETCH(int, result);
        FakeWindowServices services;
        TInputFrm frm;
        frm.setText(QString());
        const int shown = show(frm, services, [&](TInputFrm& input) {
            // Start from the opposite result so that the close really decides it.
            input.setResult(result == QDialog::Accepted ? QDialog::Rejected : QDialog::Accepted);
            if (how == "enter")
                QTest::keyClick(input.Txt, Qt::Key_Return);
            else if (how == "ok")
                QTest::mouseClick(input.BtOK, Qt::LeftButton);
            else if (how == "escape")
                QTest::keyClick(input.Txt, Qt::Key_Escape);
            else if (how == "cancel")
                QTest::mouseClick(input.Button2, Qt::LeftButton);
            else
                input.close();
            return input.result();
        });
        QCOMPARE(shown, result);
        QCOMPARE(frm.text(), QString());
    }

    void layoutAndNames() {
        TInputFrm frm;
        frm.show();
        QCOMPARE(frm.BtOK->text(), QString("OK"));
        QCOMPARE(frm.Button2->text(), QString("Cancel"));
        QVERIFY(frm.BtOK->isDefault());
        QCOMPARE(frm.Txt->font().family(), QString("Courier New"));
        QCOMPARE(frm.minimumSize(), frm.maximumSize());
        QVERIFY(frm.findChild<QLineEdit*>("Txt"));
    }
};

QTEST_MAIN(TestInputFrm)
#include "tst_inputfrm.moc"
