#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace quaredit {

// The one-line input dialog shared by go to line, a user program's inline
// argument and insert library entry. The caller sets the caption and whether
// only digits are accepted; the text stays from one showing to the next.
class TInputFrm : public QDialog {
    Q_OBJECT
public:
    explicit TInputFrm(QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    // Kept in Txt's "tag" property (1 = on, 0 = off), as the callers expect.
    void setDigitsOnly(bool on);
    bool digitsOnly() const;

    QLineEdit* Txt;
    QPushButton* BtOK;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool rejectsInput(QEvent* event) const;
};

} // namespace quaredit
