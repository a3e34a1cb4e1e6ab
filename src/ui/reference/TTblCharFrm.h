#pragma once

#include "core/reference/CharTable.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <optional>

class QFrame;
class QLabel;
class QPushButton;

namespace quaredit {

// "TI92 Char Table": the calculator's 256 characters in a 16 x 16 grid. The
// user picks one with the mouse and "OK" hands its code to the main window.
// Created once; the selection stays as the user left it between openings.
class TTblCharFrm : public QDialog {
    Q_OBJECT
public:
    explicit TTblCharFrm(QWidget* parent = nullptr);

    // The code chosen by the last "OK".
    int SelectedValue() const { return selectedValue_; }
    // The cell selected now, shown in `ValueLbl`.
    int selectedCode() const { return selection_.code(); }
    // The table as drawn, selection frame included.
    const QImage& picture() const { return picture_; }
    // Where the glyph of `code` was drawn, or nothing for a blank or boxed cell.
    std::optional<QRectF> glyphInk(int code) const { return glyphInk_[code]; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    class Picture;
    void drawTable();
    void TblCharMouseDown(QPoint at);
    void TblCharMouseMove(QPoint at);
    void TblCharMouseUp();
    void showSelection(const std::optional<CharFrameMove>& change);
    void OKBtClick();

    QFrame* Bevel1;
    Picture* TblChar;
    QFrame* Panel;
    QLabel* Label1;
    QLabel* ValueLbl;
    QPushButton* OKBt;
    QPushButton* CancelBt;

    QImage picture_;
    std::array<std::optional<QRectF>, 256> glyphInk_;
    CharTableSelection selection_;
    int selectedValue_ = 0;
};

} // namespace quaredit
