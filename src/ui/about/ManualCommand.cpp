#include "ui/about/ManualCommand.h"

#include "ui/common/WindowServices.h"

#include <QAction>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace quaredit {

TManualFrm::TManualFrm(QWidget* parent) : QDialog(parent), Browser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("ManualFrm"));
    setWindowTitle(QStringLiteral("Quaredit User Manual"));
    setModal(false);
    setWindowFlags(Qt::Window);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Browser);
    resize(760, 620);
}

void TManualFrm::showManual(const QString& path) {
    Browser->setSource(QUrl::fromLocalFile(path));
    // The first time over the main window, later where the user left it.
    if (!placed_ && parentWidget()) {
        placed_ = true;
        const QRect over = parentWidget()->window()->geometry();
        move(over.center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

ManualCommand::ManualCommand(WindowServices& services, QString manualPath, QAction* command,
                             QWidget* parentWindow)
    : QObject(parentWindow), services_(services), manualPath_(std::move(manualPath)),
      parentWindow_(parentWindow) {
    if (command)
        connect(command, &QAction::triggered, this, &ManualCommand::MNU_Help_ContentsClick);
}

void ManualCommand::MNU_Help_ContentsClick() {
    if (!QFileInfo(manualPath_).isFile()) {
        services_.messageBox(QStringLiteral("Cannot find the user manual ") + manualPath_ +
                                 QStringLiteral("."),
                             QStringLiteral("Contents"), MsgIcon::Error, MsgButtons::Ok);
        return;
    }
    if (!window_)
        window_ = new TManualFrm(parentWindow_);
    window_->showManual(manualPath_);
}

} // namespace quaredit
