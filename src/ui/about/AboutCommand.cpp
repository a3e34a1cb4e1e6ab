#include "ui/about/AboutCommand.h"

#include "ui/about/TAboutFrm.h"
#include "ui/common/WindowServices.h"

#include <QAction>

namespace quaredit {

AboutCommand::AboutCommand(WindowServices& services, QAction* command, QWidget* parentWindow)
    : services_(services), window_(new TAboutFrm(parentWindow)),
      ownsWindow_(parentWindow == nullptr) {
    if (command)
        QObject::connect(command, &QAction::triggered, window_, [this] { MNU_Help_AboutClick(); });
}

AboutCommand::~AboutCommand() {
    if (ownsWindow_)
        delete window_;
}

void AboutCommand::MNU_Help_AboutClick() {
    services_.execDialog(*window_);
}

} // namespace quaredit
