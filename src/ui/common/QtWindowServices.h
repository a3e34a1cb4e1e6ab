#pragma once

#include "ui/common/WindowServices.h"

class QFileDialog;
class QMessageBox;

namespace quaredit {

// A message box is at least as wide as its caption, which the window
// manager would otherwise cut ("error" alone makes a narrow box).
void fitMessageBoxToCaption(QMessageBox& box);
// The file dialog's columns wide enough for a long name, a size, a type and
// a date and time, and the dialog wide enough for them, within the screen.
void fitFileDialogColumns(QFileDialog& dialog);

class QtWindowServices : public WindowServices {
public:
    MsgResult messageBox(const QString& text, const QString& caption, MsgIcon icon,
                         MsgButtons buttons) override;
    void plainMessage(const QString& text) override;
    void plainMessage(const QString& text, const QString& detail) override;
    std::optional<QString> openFileName(const FileDialogOptions& options) override;
    std::optional<QString> saveFileName(const FileDialogOptions& options) override;
    int execDialog(QDialog& dialog) override;
};

} // namespace quaredit
