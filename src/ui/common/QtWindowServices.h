#pragma once

#include "ui/common/WindowServices.h"

namespace quaredit {

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
