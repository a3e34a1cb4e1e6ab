#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quaredit {

class WindowServices;
class SpinArrows;

// Asks for the name and size of an empty sprite to write into the source.
// Created once; the name is kept from one use to the next, the sizes start at 8.
class TNewSpriteFrm : public QDialog {
    Q_OBJECT
public:
    explicit TNewSpriteFrm(WindowServices& services, QWidget* parent = nullptr);

    QString spriteName() const;
    int spriteWidth() const;
    int spriteHeight() const;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormActivate();
    void edHChange();
    void edWExit();
    void BtOKClick();
    void showError(const QString& text);

    WindowServices& m_services;
    bool m_inHeightChange = false;

    QLabel* lbInfo1;
    QLineEdit* edName;
    QLabel* Label1;
    QLineEdit* edH;
    SpinArrows* udH;
    QLabel* Label2;
    QLineEdit* edW;
    SpinArrows* udW;
    QPushButton* BtOK;
    QPushButton* BtCancel;
};

} // namespace quaredit
