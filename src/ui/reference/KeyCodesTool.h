#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QAction;
class QWidget;

namespace quaredit {

class TScanCFrm;
class WindowServices;

// The main window's side of the key codes window: reads "keycodes.lst" once
// at start-up, owns the window, and turns its OK into the text to insert.
class KeyCodesTool {
public:
    KeyCodesTool(WindowServices& services, QWidget* parentWindow);
    ~KeyCodesTool();
    KeyCodesTool(const KeyCodesTool&) = delete;
    KeyCodesTool& operator=(const KeyCodesTool&) = delete;

    // Reads the "keycodes.lst" at that path. When it is missing or of the wrong
    // version, says so and disables `actions` for the rest of the run.
    void load(const QString& keyCodesFile, const QList<QAction*>& actions);
    bool available() const { return m_available; }

    // Shows the window modally; the immediate operand to insert ("#" and the
    // code) when it closed with OK, nothing otherwise.
    std::optional<QString> run();

    // Runs the window whenever `action` fires and hands the operand to `insert`.
    void bind(QAction* action, std::function<void(const QString&)> insert);

    TScanCFrm& window() { return *m_window; }

private:
    WindowServices& m_services;
    TScanCFrm* m_window; // owned by the parent window when there is one
    bool m_ownsWindow;
    bool m_available = false;
};

} // namespace quaredit
