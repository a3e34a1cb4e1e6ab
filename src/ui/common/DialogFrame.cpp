#include "ui/common/DialogFrame.h"

#include <QWidget>

namespace quaredit {

void useFixedDialogFrame(QWidget* dialog) {
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
}

} // namespace quaredit
