#include "ui/reference/CharTableTool.h"

#include "core/reference/KeyCodes.h"
#include "ui/common/WindowServices.h"
#include "ui/editing/EditorServices.h"
#include "ui/reference/TTblCharFrm.h"

#include <QAction>

namespace quaredit {

CharTableTool::CharTableTool(WindowServices& services, EditorServices& editor, QAction* command,
                             QWidget* parentWindow)
    : services_(services), editor_(editor), window_(new TTblCharFrm(parentWindow)),
      ownsWindow_(parentWindow == nullptr) {
    if (command)
        QObject::connect(command, &QAction::triggered, window_,
                         [this] { MNU_Tools_TblCharClick(); });
}

CharTableTool::~CharTableTool() {
    if (ownsWindow_)
        delete window_;
}

std::optional<QString> CharTableTool::run() {
    if (services_.execDialog(*window_) != QDialog::Accepted)
        return std::nullopt;
    return immediateOperand(window_->SelectedValue());
}

void CharTableTool::MNU_Tools_TblCharClick() {
    if (const std::optional<QString> operand = run()) {
        // The insertion goes where the caret status says; make sure it is
        // the caret the user sees, whatever moved it last.
        editor_.UpdateCaretStatus();
        editor_.InsertAtCaret(*operand);
    }
}

} // namespace quaredit
