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
    // The table as drawn, selection frame included, in the pixels of the
    // screen it is shown on (its device pixel ratio says how many). Drawn
    // when first asked for: its glyphs load every font that has one of them,
    // which the program need not pay for until the table is opened.
    const QImage& picture();
    // Draws the table again for a screen of that device pixel ratio; the
    // picture's own coordinates (mouse, cells) stay as they are.
    void drawTable(qreal scale);
    // Where the glyph of `code` was drawn, or nothing for a blank or boxed
    // cell; in picture coordinates, as the line it stands on.
    std::optional<QRectF> glyphInk(int code) {
        picture();
        return glyphInk_[code];
    }
    std::optional<qreal> glyphBaseline(int code) {
        picture();
        return glyphBaseline_[code];
    }

protected:
    void showEvent(QShowEvent* event) override;

private:
    class Picture;
    void drawFrame(QRect frame, const QColor& colour);
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
    std::array<std::optional<qreal>, 256> glyphBaseline_;
    CharTableSelection selection_;
    int selectedValue_ = 0;
};

} // namespace quaredit
