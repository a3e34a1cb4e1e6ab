#pragma once

#include "core/about/AboutBox.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace quaredit {

// "About...": the product, its version and a slowly scrolling text. Each
// showing opens with a zoom from the centre of the screen; the text scrolls
// only while the box is the active window and resumes where it stood.
class TAboutFrm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutFrm(QWidget* parent = nullptr);

    const AboutScroll& scroll() const { return scroll_; }
    bool scrolling() const;
    bool zooming() const;
    QWidget* aboutText() const;
    // One tick of the scrolling timer.
    void TimerTimer();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FormShow();
    void FormPaint();
    void FormDeactivate();
    void zoomStep();
    void stopMoving();

    QFrame* TopPanel;
    QLabel* Label1;
    QLabel* Label2;
    QFrame* LowerPanel;
    QLabel* Image1;
    QLabel* Label3;
    QFrame* TextPanel;
    QPlainTextEdit* AboutTxt;
    QLabel* Info;
    QPushButton* BtOK;
    QTimer* Timer;
    QTimer* zoomTimer_;

    AboutScroll scroll_;
    QSize fullSize_;
    bool zoomWanted_ = false;
    int zoomDone_ = 0;
};

} // namespace quaredit
