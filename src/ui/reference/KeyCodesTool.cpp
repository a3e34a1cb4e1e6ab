#include "ui/reference/KeyCodesTool.h"

#include "core/reference/KeyCodes.h"
#include "ui/common/WindowServices.h"
#include "ui/reference/TScanCFrm.h"

#include <QAction>

namespace quaredit {

KeyCodesTool::KeyCodesTool(WindowServices& services, QWidget* parentWindow)
    : m_services(services), m_window(new TScanCFrm(parentWindow)),
      m_ownsWindow(parentWindow == nullptr) {}

KeyCodesTool::~KeyCodesTool() {
    if (m_ownsWindow)
        delete m_window;
}

void KeyCodesTool::load(const QString& keyCodesFile, const QList<QAction*>& actions) {
    const KeyCodesLoad loaded = readKeyCodesFile(keyCodesFile);
    m_available = loaded.ok();
    if (!m_available) {
        m_services.messageBox(keyCodesErrorText(loaded.error), QStringLiteral("File Error"),
                              MsgIcon::Error, MsgButtons::Ok);
        for (QAction* action : actions)
            action->setEnabled(false);
        return;
    }
    m_window->setKeyTable(loaded.table);
}

std::optional<QString> KeyCodesTool::run() {
    // The actions are disabled after a failed load, but a shortcut or a later
    // menu update must not open a window without data either.
    if (!m_available)
        return std::nullopt;
    if (m_services.execDialog(*m_window) != QDialog::Accepted)
        return std::nullopt;
    return immediateOperand(m_window->SelectedValue());
}

void KeyCodesTool::bind(QAction* action, std::function<void(const QString&)> insert) {
    QObject::connect(action, &QAction::triggered, m_window, [this, insert = std::move(insert)] {
        if (const std::optional<QString> text = run())
            insert(*text);
    });
}

} // namespace quaredit
