#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quaredit {

// The greeting of a first launch: borderless, white, one button.
class TWelcomeFrm : public QDialog {
    Q_OBJECT
public:
    static const QStringList& welcomeLines();

    explicit TWelcomeFrm(QWidget* parent = nullptr);

    QPushButton* okButton() const { return btOk; }
    QPlainTextEdit* informations() const { return Informations; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeControls();
    void InformationsEnter();

    QFrame* Shape1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPlainTextEdit* Informations = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* btOk = nullptr;
};

} // namespace quaredit
